// The font box: enumeration of the screen's and the printer's fonts, the filter, the
// selection by name and the drawing of the items.
#include "fontbox/FontComboBox.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <vector>

#include "core/FontList.h"
#include "ui/Application.h"
#include "ui/ShellLibraries.h"

namespace tessarin {

static_assert(foAnsiOnly == fontlist::kAnsiOnly && foSymbolOnly == fontlist::kSymbolOnly &&
              foTrueTypeOnly == fontlist::kTrueTypeOnly);

namespace {

// The closed box is as high as a one-line field; the open list shows eight items.
constexpr int kDropDownCount = 8;
// The glyph size the item height counts on when a bitmap is missing.
constexpr int kGlyphHeight = 12;
constexpr int kNoGlyphWidth = 20;

// Runs a cleanup at the end of a scope, also when it is left by an exception.
template <typename F>
class Finally {
 public:
  explicit Finally(F f) : f_(f) {}
  ~Finally() { f_(); }
  Finally(const Finally&) = delete;
  Finally& operator=(const Finally&) = delete;

 private:
  F f_;
};

struct FontItem {
  std::string name;
  unsigned flags;
  std::basic_string<unsigned char> sortKey;  // compared byte by byte, unsigned, as sort keys are
};

struct EnumContext {
  fontlist::ListBuilder* builder;
  std::vector<FontItem> items;
  std::exception_ptr error;
};

int CALLBACK EnumFamily(const LOGFONTA* logFont, const TEXTMETRICA*, DWORD fontType, LPARAM data) {
  auto& context = *reinterpret_cast<EnumContext*>(data);
  // No exception may cross the enumeration: keep it and stop.
  try {
    const std::string name(logFont->lfFaceName, strnlen(logFont->lfFaceName, LF_FACESIZE));
    if (const auto flags = context.builder->Offer(name, logFont->lfCharSet, fontType))
      context.items.push_back({name, *flags});
    return 1;
  } catch (...) {
    context.error = std::current_exception();
    return 0;
  }
}

}  // namespace

FontComboBox::FontComboBox(ui::Control* parent, ui::Bounds bounds, FontDevice device, std::uint16_t options)
    : ui::Control(parent), device_(device), options_(options) {
  SetColor(ui::kSysColor | COLOR_WINDOW);
  trueTypeGlyph_ = LoadGlyph("TRUETYPE_FNT");
  deviceGlyph_ = LoadGlyph("DEVICE_FNT");
  // The window is made later (HandleNeeded); remember where it belongs among its siblings.
  if (HWND first = parent->Handle() ? GetWindow(parent->Handle(), GW_CHILD) : nullptr)
    previousSibling_ = GetWindow(first, GW_HWNDLAST);
  // Until the window exists: the selection field (one item) within its 3-pixel borders.
  SetBounds({Scale(bounds.left), Scale(bounds.top), Scale(bounds.width), ItemHeight() + Scale(6)});
}

FontComboBox::~FontComboBox() {
  // Destroy the window while this object is whole: the list's last messages reach it.
  if (handle_) DestroyWindow(handle_);
}

FontComboBox::GlyphImage FontComboBox::LoadGlyph(const char* resource) {
  GlyphImage glyph;
  glyph.image.Reset(LoadBitmapA(GetModuleHandleA(nullptr), resource));
  if (!glyph.image) return glyph;
  BITMAP info{};
  GetObjectA(glyph.image, sizeof info, &info);
  glyph.width = info.bmWidth;
  glyph.height = info.bmHeight;
  glyph.mask.Reset(CreateBitmap(glyph.width, glyph.height, 1, 1, nullptr));
  ui::CompatibleDC image(nullptr), mask(nullptr);
  const ui::SelectObjectScope selectImage(image, glyph.image), selectMask(mask, glyph.mask);
  // The lower-left pixel's colour is the background: white in the mask, black in the image.
  SetBkColor(image, GetPixel(image, 0, glyph.height - 1));
  BitBlt(mask, 0, 0, glyph.width, glyph.height, image, 0, 0, SRCCOPY);
  SetBkColor(image, RGB(0, 0, 0));
  SetTextColor(image, RGB(255, 255, 255));
  BitBlt(image, 0, 0, glyph.width, glyph.height, mask, 0, 0, SRCAND);
  return glyph;
}

void FontComboBox::DrawGlyph(HDC dc, const GlyphImage& glyph, int x, int y, int width, int height) {
  ui::CompatibleDC source(dc);
  const ui::SaveDCScope saved(dc);
  SetBkColor(dc, RGB(255, 255, 255));
  SetTextColor(dc, RGB(0, 0, 0));
  // Each pixel of the picture becomes a block of whole pixels, none blended: at 150 %
  // alternate pixels take one and two, and the mask stays exact.
  SetStretchBltMode(dc, COLORONCOLOR);
  {
    const ui::SelectObjectScope mask(source, glyph.mask);
    StretchBlt(dc, x, y, width, height, source, 0, 0, glyph.width, glyph.height, SRCAND);
  }
  const ui::SelectObjectScope image(source, glyph.image);
  StretchBlt(dc, x, y, width, height, source, 0, 0, glyph.width, glyph.height, SRCPAINT);
}

int FontComboBox::ItemHeight() const {
  ui::WindowDC dc(nullptr);
  const ui::SelectObjectScope font(dc, font_.Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  return fontlist::ItemHeight(metrics.tmHeight,
                              Scale(trueTypeGlyph_.image ? trueTypeGlyph_.height : kGlyphHeight));
}

void FontComboBox::HandleNeeded() {
  if (handle_) return;
  const std::string previous = FontName();
  CreateHandle({.className = "COMBOBOX",
                .style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                         CBS_SORT | CBS_HASSTRINGS,
                .bounds = {Left(), Top(), Width(), Height() + kDropDownCount * ItemHeight() + Scale(2)},
                .pixels = true});
  SetWindowPos(handle_, previousSibling_ && IsWindow(previousSibling_) ? previousSibling_ : HWND_TOP, 0, 0, 0,
               0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  UpdateItemHeights();
  // The control's height is the closed box's, as the combo box makes it; a combo box
  // keeps its open list's height when it is made no higher than that.
  RECT closed{};
  GetWindowRect(handle_, &closed);
  ui::Control::SetBounds({Left(), Top(), Width(), closed.bottom - closed.top});
  {
    updating_ = true;
    Finally done([this] { updating_ = false; });
    Refill(previous);
  }
  if (FontName() != previous) NotifyChange();
}

void FontComboBox::Refill(const std::string& name) {
  // What the closed box shows now, and what of it still waits to be painted.
  const int before = ItemIndex();
  const std::string shownName = before >= 0 ? ItemName(before) : std::string();
  const unsigned shownFlags = before >= 0 ? ItemFlags(before) : 0;
  const ui::Region pending(CreateRectRgn(0, 0, 0, 0));
  const bool anyPending = GetUpdateRgn(handle_, pending.Get(), FALSE) > NULLREGION;
  // Nothing is drawn while the list is emptied, filled and the name selected again: the
  // emptied box would otherwise show for a moment, and each step draw the field anew.
  SendMessageA(handle_, WM_SETREDRAW, FALSE, 0);
  try {
    FillList();
    SelectName(name);
  } catch (...) {
    SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(handle_, nullptr, TRUE);
    throw;
  }
  SendMessageA(handle_, WM_SETREDRAW, TRUE, 0);
  const int after = ItemIndex();
  if (after >= 0 && before >= 0 && ItemName(after) == shownName && ItemFlags(after) == shownFlags) {
    // The same item in the same look: the box's pixels stand. Emptying the list asked for
    // the whole box to be painted again; only what was waiting before still waits.
    ValidateRect(handle_, nullptr);
    if (anyPending) InvalidateRgn(handle_, pending.Get(), TRUE);
  } else {
    InvalidateRect(handle_, nullptr, TRUE);
  }
}

void FontComboBox::UpdateItemHeights() {
  if (!handle_) return;
  const int height = ItemHeight();
  SendMessageA(handle_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height);
  SendMessageA(handle_, CB_SETITEMHEIGHT, 0, height);
}

void FontComboBox::FontChanged() {
  ui::Control::FontChanged();
  UpdateItemHeights();
}

void FontComboBox::SetDevice(FontDevice device) {
  if (device == device_) return;
  device_ = device;
  RebuildList();
}

void FontComboBox::SetOptions(std::uint16_t options) {
  if (options == options_) return;
  options_ = options;
  RebuildList();
}

void FontComboBox::SetUseFonts(bool useFonts) {
  if (useFonts == useFonts_) return;
  useFonts_ = useFonts;
  Invalidate();
  COMBOBOXINFO info{sizeof info};
  if (handle_ && GetComboBoxInfo(handle_, &info) && info.hwndList)
    InvalidateRect(info.hwndList, nullptr, TRUE);
}

int FontComboBox::Count() const {
  return handle_ ? static_cast<int>(SendMessageA(handle_, CB_GETCOUNT, 0, 0)) : 0;
}

std::string FontComboBox::ItemName(int index) const {
  if (!handle_) return {};
  const LRESULT length = SendMessageA(handle_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) return {};
  std::string name(static_cast<size_t>(length) + 1, '\0');
  const LRESULT got =
      SendMessageA(handle_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(name.data()));
  name.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return name;
}

unsigned FontComboBox::ItemFlags(int index) const {
  if (!handle_) return 0;
  const LRESULT data = SendMessageA(handle_, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == CB_ERR ? 0 : static_cast<unsigned>(data);
}

int FontComboBox::ItemIndex() const {
  return handle_ ? static_cast<int>(SendMessageA(handle_, CB_GETCURSEL, 0, 0)) : -1;
}

void FontComboBox::SetItemIndex(int index) {
  HandleNeeded();
  SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string FontComboBox::FontName() const {
  const int index = ItemIndex();
  return index < 0 ? std::string() : ItemName(index);
}

void FontComboBox::SelectName(const std::string& name) {
  int found = -1;
  if (!name.empty()) {
    // The list's own search ignores case by the locale's rules, a superset of ASCII
    // case: its matches are only candidates, the first that holds is taken.
    int from = -1;
    for (;;) {
      const auto at = static_cast<int>(SendMessageA(handle_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(from),
                                                    reinterpret_cast<LPARAM>(name.c_str())));
      if (at == CB_ERR || at <= from) break;  // none, or the search came round again
      if (fontlist::SameName(ItemName(at), name)) {
        found = at;
        break;
      }
      from = at;
    }
  }
  SendMessageA(handle_, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
}

void FontComboBox::SetFontName(const std::string& name) {
  if (name == FontName()) return;
  if (!handle_) firstName_ = name;
  HandleNeeded();
  SelectName(name);
  NotifyChange();
}

void FontComboBox::NotifyChange() {
  if (updating_) return;
  if (OnChange) OnChange();
}

void FontComboBox::RebuildList() {
  if (!handle_) return;
  const std::string previous = FontName();
  {
    updating_ = true;
    Finally done([this] { updating_ = false; });
    Refill(previous);
  }
  if (FontName() != previous) NotifyChange();
}

void FontComboBox::FillList() {
  if (!handle_) return;
  SendMessageA(handle_, CB_RESETCONTENT, 0, 0);
  ++fills_;
  const bool screenFonts = device_ == FontDevice::fdScreen || device_ == FontDevice::fdBoth;
  const bool printerFonts = device_ == FontDevice::fdPrinter || device_ == FontDevice::fdBoth;
  ui::Application& app = ui::Application::Instance();
  if (!app.StartupFinished()) {
    // Until the program's window has been drawn the closed box shows one name: only that
    // family is looked up now (a process's first look at all the fonts opens every one
    // of them), and the whole list, with the printer's fonts (the common dialogs and the
    // spooler), follows. A newer fill makes a waiting one moot.
    if (screenFonts && !firstName_.empty()) {
      fontlist::ListBuilder builder(options_);
      ui::WindowDC screen(nullptr);
      AddFonts(screen, builder, firstName_.c_str());
    }
    app.AfterFirstPaint([box = std::weak_ptr(self_), fill = fills_] {
      if (const auto self = box.lock(); self && fill == (*self)->fills_) (*self)->RebuildList();
    });
    return;
  }
  fontlist::ListBuilder builder(options_);
  if (screenFonts) {
    ui::WindowDC screen(nullptr);
    AddFonts(screen, builder);
  }
  if (printerFonts) AddPrinterFonts(builder);
}

void FontComboBox::AddFonts(HDC dc, fontlist::ListBuilder& builder, const char* family) {
  // The items go into the list after the enumeration: messages sent from inside its
  // callback cost Wine about three times as much.
  EnumContext context{&builder, {}, nullptr};
  EnumFontFamiliesA(dc, family, &EnumFamily, reinterpret_cast<LPARAM>(&context));
  if (context.error) std::rethrow_exception(context.error);
  std::vector<FontItem>& items = context.items;
  if (items.empty()) return;
  size_t bytes = 0;
  for (const FontItem& item : items) bytes += item.name.size() + 1;
  SendMessageA(handle_, CB_INITSTORAGE, items.size() + static_cast<size_t>(Count()),
               static_cast<LPARAM>(bytes));
  // Into an empty list the names are sorted once here, in the list's own order (the
  // user's locale, case ignored), and appended, so the list need not search for each
  // place; the sort keys compare as the locale's comparison does, one key per name.
  // Into a list that holds items already, each goes to its place.
  const bool append = Count() == 0;
  if (append) {
    for (FontItem& item : items) {
      const int size = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, item.name.c_str(),
                                    -1, nullptr, 0);
      item.sortKey.resize(static_cast<size_t>(std::max(size, 0)));
      LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, item.name.c_str(), -1,
                   reinterpret_cast<char*>(item.sortKey.data()), size);
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const FontItem& a, const FontItem& b) { return a.sortKey < b.sortKey; });
  }
  for (const FontItem& item : items) {
    const LPARAM name = reinterpret_cast<LPARAM>(item.name.c_str());
    const LRESULT index = append ? SendMessageA(handle_, CB_INSERTSTRING, static_cast<WPARAM>(-1), name)
                                 : SendMessageA(handle_, CB_ADDSTRING, 0, name);
    if (index >= 0)
      SendMessageA(handle_, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(item.flags));
  }
}

void FontComboBox::AddPrinterFonts(fontlist::ListBuilder& builder) {
  // No printer, or one that cannot be reached, is an ordinary case: the list keeps what
  // the screen gave.
  try {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC | PD_NOWARNING;
    if (!ui::late::PrintDlgA(&dialog)) return;
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    if (!dialog.hDC) return;
    ui::OwnedDC printer(dialog.hDC);
    AddFonts(printer, builder);
  } catch (...) {
  }
}

bool FontComboBox::Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wParam) == CBN_SELCHANGE) {
        NotifyChange();
        result = 0;
        return true;
      }
      break;
    case WM_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(ItemHeight());
      result = TRUE;
      return true;
    case WM_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      result = TRUE;
      return true;
    default: break;
  }
  return ui::Control::Notify(msg, wParam, lParam, result);
}

void FontComboBox::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const bool hasItem = item.itemID != static_cast<UINT>(-1);
  const bool selected = hasItem && (item.itemState & ODS_SELECTED);
  const COLORREF background = selected ? GetSysColor(COLOR_HIGHLIGHT) : ui::ResolveColor(Color());
  const COLORREF text = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ui::ResolveColor(font_.Color());
  // The item's own font outlives the saved state, which selects it out again.
  ui::GdiFont ownFont;
  {
    const ui::SaveDCScope saved(dc);
    FillRect(dc, &item.rcItem, ui::Brush(CreateSolidBrush(background)));
    if (hasItem) {
      const auto flags = static_cast<unsigned>(item.itemData);
      const GlyphImage* glyph = nullptr;
      switch (fontlist::GlyphFor(flags)) {
        case fontlist::Glyph::TrueType: glyph = &trueTypeGlyph_; break;
        case fontlist::Glyph::Device: glyph = &deviceGlyph_; break;
        case fontlist::Glyph::None: break;
      }
      if (glyph && !glyph->image) glyph = nullptr;
      RECT r = item.rcItem;
      // The glyph's picture and the gap after it are 100 % pixels; the text starts at the
      // same place with and without a glyph.
      const int glyphWidth = Scale(glyph ? glyph->width : kNoGlyphWidth);
      if (glyph) {
        const int glyphHeight = Scale(glyph->height);
        DrawGlyph(dc, *glyph, r.left + Scale(2), (r.top + r.bottom - glyphHeight) / 2, glyphWidth,
                  glyphHeight);
      }
      r.left += glyphWidth + Scale(6);
      const std::string name = ItemName(static_cast<int>(item.itemID));
      if (fontlist::DrawsInOwnFont(useFonts_, flags)) {
        LOGFONTA logFont{};
        GetObjectA(font_.Handle(), sizeof logFont, &logFont);
        std::memset(logFont.lfFaceName, 0, sizeof logFont.lfFaceName);
        std::strncpy(logFont.lfFaceName, name.c_str(), LF_FACESIZE - 1);
        ownFont.Reset(CreateFontIndirectA(&logFont));
      }
      SelectObject(dc, ownFont ? ownFont.Get() : font_.Handle());  // the saved state restores the font
      SetTextColor(dc, text);
      SetBkMode(dc, TRANSPARENT);
      DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &r,
                DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
  }
  if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &item.rcItem);
}

}  // namespace tessarin
