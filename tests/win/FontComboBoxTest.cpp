// The font box and the main window's font filter, on the fonts of the test prefix: Arial,
// "Arial Cyr" and "Times New Roman Greek" (font replacements of the Liberation fonts),
// the symbol fonts Marlett, Symbol, Webdings and Wingdings, and the raster font
// MS Sans Serif. The prefix has no printer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "main/Main.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "ui/Application.h"
#include "ui/Canvas.h"

using namespace tessarin;

namespace {

std::vector<std::string> Names(const FontComboBox& box) {
  std::vector<std::string> names;
  for (int i = 0; i < box.Count(); ++i) names.push_back(box.ItemName(i));
  return names;
}

int IndexOf(const FontComboBox& box, const std::string& name) {
  for (int i = 0; i < box.Count(); ++i)
    if (box.ItemName(i) == name) return i;
  return -1;
}

// A 32-bit colour as a top-down DIB holds it (0x00RRGGBB).
std::uint32_t DibColor(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// A 32-bit memory canvas to draw items into and read back.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
    // A colour nobody draws with, so that every untouched pixel shows.
    std::fill(bits_, bits_ + width * height, 0x123456u);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  std::uint32_t At(int x, int y) const {
    GdiFlush();
    return bits_[y * width_ + x] & 0xFFFFFFu;
  }
  // The first column from x on that holds a pixel other than the colour in the rows
  // from top to bottom (exclusive), or -1.
  int FirstColumnNot(std::uint32_t color, int x, int top, int bottom) const {
    for (; x < width_; ++x)
      for (int y = top; y < bottom; ++y)
        if (At(x, y) != color) return x;
    return -1;
  }
  std::vector<std::uint32_t> Pixels() const {
    GdiFlush();
    std::vector<std::uint32_t> p(bits_, bits_ + width_ * height_);
    for (auto& v : p) v &= 0xFFFFFFu;
    return p;
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
  std::uint32_t* bits_ = nullptr;
};

// The pixels of one of the program's glyph bitmaps, top row first.
std::vector<std::uint32_t> GlyphPixels(const char* resource, int& width, int& height) {
  HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), resource);
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  width = info.bmWidth;
  height = info.bmHeight;
  BITMAPINFO header{};
  header.bmiHeader.biSize = sizeof header.bmiHeader;
  header.bmiHeader.biWidth = width;
  header.bmiHeader.biHeight = -height;
  header.bmiHeader.biPlanes = 1;
  header.bmiHeader.biBitCount = 32;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(width * height));
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap, 0, height, pixels.data(), &header, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(bitmap);
  for (auto& v : pixels) v &= 0xFFFFFFu;
  return pixels;
}

// Has the box draw one item into the canvas through the parent's WM_DRAWITEM, as the
// list does. itemData are the flags the drawing goes by.
void DrawItem(FontComboBox& box, const Canvas& canvas, int index, unsigned itemData, RECT rect,
              UINT state = 0) {
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_COMBOBOX;
  item.CtlID = static_cast<UINT>(box.Id());
  item.itemID = static_cast<UINT>(index);
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = state;
  item.hwndItem = box.Handle();
  item.hDC = canvas.Dc();
  item.rcItem = rect;
  item.itemData = itemData;
  SendMessageA(GetParent(box.Handle()), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

// --- The box on a form of its own ------------------------------------------------------

struct BoxForm : ui::Form {
  static Options FormOptions() {
    Options o;
    o.windowClass = "FontBoxTestForm";
    o.caption = "Font box";
    o.clientWidth = 300;
    o.clientHeight = 200;
    return o;
  }
  BoxForm(FontDevice device, std::uint16_t options)
      : ui::Form(FormOptions()), box(this, {4, 4, 193, 0}, device, options) {
    box.OnChange = [this] { ++changes; };
  }
  FontComboBox box;
  int changes = 0;
};

class FontBox : public ::testing::Test {
 protected:
  void SetUp() override { ui::Application::Instance().Initialize(); }
  // A box of a program past its start (its window drawn once), unless told otherwise.
  std::unique_ptr<BoxForm> MakeBox(FontDevice device = FontDevice::fdBoth,
                                   std::uint16_t options = foTrueTypeOnly, bool started = true) {
    if (started) ui::Application::Instance().FinishStartup();
    return std::make_unique<BoxForm>(device, options);
  }
};

TEST_F(FontBox, BeforeTheFirstPaintTheBoxListsTheFirstNameAloneThenAllWithoutAChange) {
  auto f = MakeBox(FontDevice::fdBoth, foTrueTypeOnly, /*started=*/false);
  ASSERT_FALSE(ui::Application::Instance().StartupFinished());
  f->box.SetFontName("arial");
  EXPECT_EQ(f->box.Count(), 1);
  EXPECT_EQ(f->box.FontName(), "Arial");
  EXPECT_EQ(f->box.ItemFlags(0), 4u | 256u);  // TrueType, drawn in its own face
  EXPECT_EQ(f->changes, 1);

  ui::Application::Instance().FinishStartup();
  auto all = MakeBox();
  all->box.SetFontName("Arial");
  EXPECT_GT(f->box.Count(), 1);
  EXPECT_EQ(f->box.Count(), all->box.Count());
  EXPECT_EQ(f->box.FontName(), "Arial");
  EXPECT_EQ(f->changes, 1);  // the same font: nothing to tell
}

TEST_F(FontBox, FirstNameMakesAndFillsTheListWithOneChange) {
  auto f = MakeBox();
  EXPECT_FALSE(f->box.HandleAllocated());
  EXPECT_EQ(f->box.Count(), 0);
  f->box.SetFontName("Arial");
  ASSERT_TRUE(f->box.HandleAllocated());
  EXPECT_GT(f->box.Count(), 0);
  EXPECT_EQ(f->box.FontName(), "Arial");
  EXPECT_EQ(f->changes, 1);  // the selection; the fill itself raises none
  EXPECT_EQ(f->box.GetFont().Name(), "MS Sans Serif");
  // The closed box is as high as the form description has it; items are 14 pixels.
  const RECT r = f->box.BoundsRect();
  EXPECT_EQ(r.bottom - r.top, 20);
  EXPECT_EQ(f->box.Height(), 20);
  // Opened, the list shows at least eight names.
  f->Show();
  SendMessageA(f->box.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  COMBOBOXINFO info{sizeof info};
  ASSERT_TRUE(GetComboBoxInfo(f->box.Handle(), &info));
  RECT list{};
  GetClientRect(info.hwndList, &list);
  EXPECT_TRUE(IsWindowVisible(info.hwndList));
  EXPECT_GE(list.bottom / 14, 8);
  SendMessageA(f->box.Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(SendMessageA(f->box.Handle(), CB_GETITEMHEIGHT, 0, 0), 14);
  EXPECT_EQ(f->box.ItemHeight(), 14);
  const LONG style = GetWindowLongA(f->box.Handle(), GWL_STYLE);
  EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
  EXPECT_TRUE(style & CBS_OWNERDRAWFIXED);
  EXPECT_TRUE(style & CBS_SORT);
  EXPECT_TRUE(style & CBS_HASSTRINGS);
}

TEST_F(FontBox, NameSelectsWithoutRegardToCaseAndNotifiesEveryChange) {
  auto f = MakeBox();
  f->box.SetFontName("Arial");
  struct {
    const char* set;
    const char* selected;
    int changes;
  } const steps[] = {
      {"Arial", "Arial", 0},  // the name already selected
      {"arial", "Arial", 1},
      {"TAHOMA", "Tahoma", 1},
      {"Tahoma", "Tahoma", 0},
      {"No Such Font", "", 1},
      {"", "", 0},
      {"wingdings", "Wingdings", 1},
      {"", "", 1},
  };
  for (const auto& s : steps) {
    f->changes = 0;
    f->box.SetFontName(s.set);
    EXPECT_EQ(f->box.FontName(), s.selected) << s.set;
    EXPECT_EQ(f->changes, s.changes) << s.set;
  }
}

TEST_F(FontBox, EachFilterOnTheInstalledFonts) {
  constexpr int kAbsent = -1;
  struct {
    std::uint16_t options;
    std::map<std::string, int> flags;  // name → expected flags, or absent
    bool arialKept;
  } const cases[] = {
      {foTrueTypeOnly,
       {{"Arial", 260},
        {"Arial Cyr", 260},
        {"Times New Roman Greek", 260},
        {"Wingdings", 4},
        {"Marlett", 4},
        {"MS Sans Serif", kAbsent},
        {"System", kAbsent}},
       true},
      {foAnsiOnly,
       {{"Arial", 260}, {"Tahoma", 260}, {"MS Sans Serif", 257}, {"Wingdings", kAbsent}, {"Symbol", kAbsent}},
       true},
      {foSymbolOnly,
       {{"Marlett", 4},
        {"Symbol", 4},
        {"Webdings", 4},
        {"Wingdings", 4},
        {"Arial", kAbsent},
        {"MS Sans Serif", kAbsent}},
       false},
      {0, {{"Arial", 260}, {"MS Sans Serif", 257}, {"Wingdings", 4}}, true},
      {foAnsiOnly | foSymbolOnly, {{"Arial", kAbsent}, {"Wingdings", kAbsent}}, false},
  };
  auto f = MakeBox();
  f->box.SetFontName("Arial");
  for (const auto& c : cases) {
    f->box.SetOptions(foTrueTypeOnly);
    f->box.SetFontName("Arial");
    f->changes = 0;
    f->box.SetOptions(c.options);
    EXPECT_EQ(f->box.Options(), c.options);
    for (const auto& [name, flags] : c.flags) {
      const int index = IndexOf(f->box, name);
      if (flags == kAbsent) {
        EXPECT_EQ(index, -1) << name << " with options " << c.options;
      } else {
        ASSERT_GE(index, 0) << name << " with options " << c.options;
        EXPECT_EQ(f->box.ItemFlags(index), static_cast<unsigned>(flags)) << name;
      }
    }
    // The chosen font survives the rebuild, or the box is left with none and says so once.
    EXPECT_EQ(f->box.FontName(), c.arialKept ? "Arial" : "") << c.options;
    EXPECT_EQ(f->changes, c.arialKept ? 0 : 1) << c.options;
    EXPECT_FALSE(f->box.Updating());
    // Each name once, whatever its case; sorted by the list.
    const auto names = Names(f->box);
    for (size_t i = 1; i < names.size(); ++i) {
      EXPECT_LT(lstrcmpiA(names[i - 1].c_str(), names[i].c_str()), 0) << names[i - 1] << " / " << names[i];
    }
    if (c.options == foSymbolOnly) {
      for (int i = 0; i < f->box.Count(); ++i) EXPECT_FALSE(f->box.ItemFlags(i) & 256) << names[i];
    }
  }
}

TEST_F(FontBox, SameOptionsOrDeviceLeaveTheListAlone) {
  auto f = MakeBox();
  f->box.SetFontName("Arial");
  // An item the enumeration would not give: only a rebuild removes it.
  SendMessageA(f->box.Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Zz Not A Font"));
  f->box.SetOptions(foTrueTypeOnly);
  f->box.SetDevice(FontDevice::fdBoth);
  EXPECT_NE(IndexOf(f->box, "Zz Not A Font"), -1);
  f->box.SetDevice(FontDevice::fdScreen);
  EXPECT_EQ(IndexOf(f->box, "Zz Not A Font"), -1);
  EXPECT_EQ(f->box.FontName(), "Arial");
  EXPECT_EQ(f->changes, 1);
}

TEST_F(FontBox, WithoutAPrinterThePrinterListIsEmptyAndTheScreenListStands) {
  auto screen = MakeBox(FontDevice::fdScreen);
  auto both = MakeBox(FontDevice::fdBoth);
  auto printer = MakeBox(FontDevice::fdPrinter);
  for (auto* f : {screen.get(), both.get(), printer.get()}) f->box.SetFontName("Arial");
  EXPECT_EQ(Names(both->box), Names(screen->box));
  EXPECT_EQ(printer->box.Count(), 0);
  EXPECT_EQ(printer->box.FontName(), "");
  EXPECT_EQ(printer->changes, 1);
}

// --- Drawing ---------------------------------------------------------------------------

// Counts the drawings of a box's selection field: the WM_DRAWITEM messages for it that reach
// the box's parent, however they are sent (a paint, or the box drawing at once).
class FieldDrawings {
 public:
  explicit FieldDrawings(HWND box) {
    target_ = box;
    count_ = 0;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, &Record, nullptr, GetCurrentThreadId());
  }
  ~FieldDrawings() { UnhookWindowsHookEx(hook_); }
  FieldDrawings(const FieldDrawings&) = delete;
  FieldDrawings& operator=(const FieldDrawings&) = delete;
  bool Hooked() const { return hook_ != nullptr; }
  int Count() const { return count_; }

 private:
  static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_DRAWITEM) {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(sent->lParam);
      if (item->hwndItem == target_ && (item->itemState & ODS_COMBOBOXEDIT)) ++count_;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static inline HWND target_ = nullptr;
  static inline int count_ = 0;
  HHOOK hook_;
};

// What the box's window shows, read from its own DC.
std::vector<std::uint32_t> BoxPixels(HWND box) {
  RECT r{};
  GetClientRect(box, &r);
  Canvas canvas(r.right, r.bottom);
  HDC dc = GetDC(box);
  BitBlt(canvas.Dc(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(box, dc);
  return canvas.Pixels();
}

bool NothingToPaint(HWND window) { return !GetUpdateRect(window, nullptr, FALSE); }

// Handles this thread's messages without the application's own delivery until the condition
// holds (at most five seconds); true when it held.
bool PlainPumpUntil(const std::function<bool()>& condition) {
  const ULONGLONG end = GetTickCount64() + 5000;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (condition()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
  }
}

TEST_F(FontBox, ARefillThatKeepsTheShownItemDrawsNothingAndOneThatChangesItDrawsTheBox) {
  // The box as the program starts: one name listed until the window has been drawn, then
  // the whole list.
  auto f = MakeBox(FontDevice::fdBoth, foTrueTypeOnly, /*started=*/false);
  ui::Application& app = ui::Application::Instance();
  ASSERT_FALSE(app.StartupFinished());
  f->box.SetFontName("Arial");
  ASSERT_EQ(f->box.Count(), 1);
  HWND box = f->box.Handle();
  FieldDrawings drawings(box);
  ASSERT_TRUE(drawings.Hooked());
  f->Show();
  // The first complete paint, with the thread's own pump (the application's would start the
  // waiting work at once): what it left, before that work.
  ASSERT_TRUE(PlainPumpUntil([&] { return NothingToPaint(f->Handle()) && NothingToPaint(box); }));
  ASSERT_FALSE(app.StartupFinished());
  const int drawnFirst = drawings.Count();
  const std::vector<std::uint32_t> first = BoxPixels(box);
  EXPECT_GE(drawnFirst, 1);
  app.FinishStartup();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return NothingToPaint(box); }));
  EXPECT_GT(f->box.Count(), 1);
  EXPECT_EQ(f->box.FontName(), "Arial");
  // The first picture was the final one.
  EXPECT_EQ(drawings.Count(), drawnFirst);
  EXPECT_EQ(BoxPixels(box), first);

  // A filter that keeps Arial, with a part of the box waiting for its paint: it still waits,
  // and nothing else is drawn.
  RECT part{0, 0, 5, 5};
  InvalidateRect(box, &part, FALSE);
  f->box.SetOptions(foAnsiOnly);
  EXPECT_EQ(f->box.FontName(), "Arial");
  RECT waiting{};
  EXPECT_TRUE(GetUpdateRect(box, &waiting, FALSE));
  EXPECT_TRUE(EqualRect(&waiting, &part))
      << waiting.left << "," << waiting.top << " " << waiting.right << "," << waiting.bottom;
  ASSERT_TRUE(testing_support::PumpUntil([&] { return NothingToPaint(box); }));
  EXPECT_EQ(drawings.Count(), drawnFirst + 1);  // the waiting part's paint
  EXPECT_EQ(BoxPixels(box), first);

  // A filter that drops Arial: the field is drawn empty.
  f->box.SetOptions(foSymbolOnly);
  EXPECT_EQ(f->box.FontName(), "");
  ASSERT_TRUE(testing_support::PumpUntil([&] { return NothingToPaint(box); }));
  EXPECT_GT(drawings.Count(), drawnFirst + 1);
  EXPECT_NE(BoxPixels(box), first);
  EXPECT_EQ(f->changes, 2);  // Arial chosen, then none
}

class FontBoxDrawing : public FontBox {
 protected:
  void SetUp() override {
    FontBox::SetUp();
    form = MakeBox(FontDevice::fdBoth, 0);
    form->box.SetFontName("Arial");
    window = DibColor(GetSysColor(COLOR_WINDOW));
  }
  // Checks the glyph drawn at (left, top) against its bitmap: its lower-left pixel's
  // colour shows the background, the other pixels their own colour.
  void ExpectGlyph(const Canvas& canvas, const char* resource, int left, int top, std::uint32_t background) {
    int w = 0, h = 0;
    const auto glyph = GlyphPixels(resource, w, h);
    ASSERT_EQ(w, 20);
    ASSERT_EQ(h, 12);
    const std::uint32_t key = glyph[static_cast<size_t>((h - 1) * w)];
    int opaque = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t own = glyph[static_cast<size_t>(y * w + x)];
        if (own != key) ++opaque;
        ASSERT_EQ(canvas.At(left + x, top + y), own == key ? background : own)
            << resource << " at " << x << "," << y;
      }
    EXPECT_GT(opaque, 20) << resource;
  }
  std::unique_ptr<BoxForm> form;
  std::uint32_t window = 0;
};

TEST_F(FontBoxDrawing, GlyphAtLeftPlusTwoCentredTransparentAndTextIndented) {
  const int arial = IndexOf(form->box, "Arial");
  const int sansSerif = IndexOf(form->box, "MS Sans Serif");
  ASSERT_GE(arial, 0);
  ASSERT_GE(sansSerif, 0);
  struct {
    int index;
    unsigned flags;
    const char* glyph;
  } const cases[] = {
      {arial, 260, "TRUETYPE_FNT"},
      {arial, 258, "DEVICE_FNT"},    // a printer font
      {arial, 262, "TRUETYPE_FNT"},  // a TrueType printer font shows as TrueType
      {sansSerif, 257, nullptr},     // raster: no glyph, the same indent
  };
  for (const auto& c : cases) {
    for (bool selected : {false, true}) {
      Canvas canvas(200, 24);
      // Rows 5 to 21: the glyph goes to (5 + 21 − 12) div 2 = 7.
      const RECT rect{10, 5, 190, 21};
      DrawItem(form->box, canvas, c.index, c.flags, rect, selected ? ODS_SELECTED : 0);
      const std::uint32_t background = DibColor(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      EXPECT_EQ(canvas.At(10, 5), background);
      EXPECT_EQ(canvas.At(189, 20), background);
      EXPECT_EQ(canvas.At(9, 10), 0x123456u) << "outside the item";
      if (c.glyph) {
        ExpectGlyph(canvas, c.glyph, 12, 7, background);
      } else {
        EXPECT_GE(canvas.FirstColumnNot(background, 10, 5, 21), 10 + 26)
            << "no glyph, nothing before the text";
      }
      for (int x = 10; x < 12; ++x)
        for (int y = 5; y < 21; ++y) ASSERT_EQ(canvas.At(x, y), background);
      // Glyph width 20 + 6: the text begins at left + 26 (its first ink a pixel or two on).
      const int text = canvas.FirstColumnNot(background, 32, 5, 21);
      ASSERT_NE(text, -1);
      for (int x = 32; x < 36; ++x)
        for (int y = 5; y < 21; ++y) ASSERT_EQ(canvas.At(x, y), background) << x << "," << y;
      EXPECT_GE(text, 36);
      EXPECT_LE(text, 39);
    }
  }
}

TEST_F(FontBoxDrawing, EmptySelectionFieldIsOnlyBackground) {
  Canvas canvas(100, 16);
  DrawItem(form->box, canvas, -1, 0, RECT{0, 0, 100, 16}, ODS_COMBOBOXEDIT);
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 16; ++y) ASSERT_EQ(canvas.At(x, y), window);
}

TEST_F(FontBoxDrawing, NamesInTheirOwnFontOnlyWithUseFontsAndTheTextFlag) {
  const int courier = IndexOf(form->box, "Courier New");
  ASSERT_GE(courier, 0);
  auto draw = [&](bool useFonts, unsigned flags) {
    form->box.SetUseFonts(useFonts);
    Canvas canvas(193, 14);
    DrawItem(form->box, canvas, courier, flags, RECT{0, 0, 193, 14});
    return canvas.Pixels();
  };
  EXPECT_NE(draw(true, 260), draw(false, 260));
  // A symbol font's name stays in the box's font.
  EXPECT_EQ(draw(true, 4), draw(false, 4));
  EXPECT_EQ(draw(false, 260), draw(false, 4));
}

// --- The main window -------------------------------------------------------------------

class MainFonts : public testing_support::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    auto apply = form->fontBox.OnChange;
    form->fontBox.OnChange = [this, apply] {
      ++changes;
      apply();
    };
  }
  // The character set GDI gives to a control's font.
  static int RealisedCharset(ui::Control& control) {
    const ui::WindowDC dc(nullptr);
    const ui::SelectObjectScope font(dc, control.GetFont().Handle());
    return GetTextCharset(dc);
  }
  void ShowFontInHtml() {
    if (!form->htmlStylesCheck.Checked()) Click(form->htmlStylesCheck);
    ASSERT_TRUE(form->htmlStylesCheck.Checked());
  }
  void ExpectDisplayFont(const std::string& name) {
    EXPECT_EQ(form->grid.GetFont().Name(), name);
    EXPECT_EQ(form->previewLabel.GetFont().Name(), name);
    EXPECT_EQ(form->magnifier.GetFont().Name(), name);
    EXPECT_EQ(form->composition.GetFont().Name(), name);
  }
  int changes = 0;
};

TEST_F(MainFonts, StartUpChoosesAndAppliesArial) {
  FontComboBox& box = form->fontBox;
  EXPECT_EQ(box.FontName(), "Arial");
  EXPECT_EQ(box.Options(), foTrueTypeOnly);
  EXPECT_EQ(box.Device(), FontDevice::fdBoth);
  EXPECT_TRUE(box.UseFonts());
  EXPECT_EQ(IndexOf(box, "MS Sans Serif"), -1);
  // The composition box was designed in MS Sans Serif: Arial there shows the font applied.
  ExpectDisplayFont("Arial");
  EXPECT_EQ(form->grid.GetFont().Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(form->fontFilterGroup.ItemIndex(), 0);
  EXPECT_TRUE(form->ownFontNamesCheck.Checked());
  EXPECT_TRUE(form->ownFontNamesCheck.Enabled());
  // The box keeps its place first in the panel's tab order, though made last.
  EXPECT_EQ(GetWindow(form->panel.Handle(), GW_CHILD), box.Handle());
  EXPECT_EQ(box.BoundsRect().bottom - box.BoundsRect().top, 20);
}

TEST_F(MainFonts, FilterKeepsReplacesByTheFirstFontAndGreysTheSwitch) {
  struct {
    int item;
    const char* chosen;
    int changes;
    bool checkBoxEnabled;
  } const steps[] = {
      {1, "Arial", 0, true},     // ANSI: Arial stays, the grid is left alone
      {2, "Marlett", 1, false},  // symbols: Arial goes, the first symbol font comes
      {0, "Marlett", 0, true},   // all TrueType: Marlett stays
      {1, "Arial", 1, true},     // ANSI: Marlett goes, the first ANSI font comes
      {1, "Arial", 0, true},     // the same item again
  };
  for (const auto& s : steps) {
    changes = 0;
    Click(form->fontFilterGroup.Button(static_cast<size_t>(s.item)));
    ASSERT_EQ(form->fontFilterGroup.ItemIndex(), s.item);
    EXPECT_EQ(form->fontBox.FontName(), s.chosen) << "item " << s.item;
    if (s.changes) {
      EXPECT_EQ(form->fontBox.ItemIndex(), 0) << "item " << s.item;
    }
    EXPECT_EQ(changes, s.changes) << "item " << s.item;
    ExpectDisplayFont(s.chosen);
    EXPECT_EQ(form->ownFontNamesCheck.Enabled(), s.checkBoxEnabled) << "item " << s.item;
    EXPECT_TRUE(form->ownFontNamesCheck.Checked());
    EXPECT_TRUE(form->fontBox.UseFonts());
    EXPECT_TRUE(form->fontBox.Enabled());
  }
}

TEST_F(MainFonts, EmptiedListKeepsTheDisplayFontsAndResetsTheCharset) {
  form->fontBox.SetFontName("Arial Cyr");
  ASSERT_EQ(form->grid.GetFont().Charset(), RUSSIAN_CHARSET);
  ShowFontInHtml();
  // Without a printer a printer-only list is empty: no font passes.
  changes = 0;
  form->fontBox.SetDevice(FontDevice::fdPrinter);
  EXPECT_EQ(form->fontBox.Count(), 0);
  EXPECT_EQ(changes, 1);
  for (int item : {2, 0}) {
    changes = 0;
    Click(form->fontFilterGroup.Button(static_cast<size_t>(item)));
    EXPECT_EQ(form->fontBox.FontName(), "");
    EXPECT_EQ(form->fontBox.ItemIndex(), -1);
    ExpectDisplayFont("Arial Cyr");
    EXPECT_EQ(form->grid.GetFont().Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(form->previewLabel.GetFont().Charset(), DEFAULT_CHARSET);
    EXPECT_NE(form->htmlEdit.Text().find(" face=>"), std::string::npos) << form->htmlEdit.Text();
  }
}

TEST_F(MainFonts, CyrAndGreekNamesGiveTheirCharsetToGridAndPreviewOnly) {
  const BYTE megaCharset = form->magnifier.GetFont().Charset();
  const BYTE richCharset = form->composition.GetFont().Charset();
  struct {
    const char* name;
    BYTE charset;
    int realised;
  } const cases[] = {
      {"Arial Cyr", RUSSIAN_CHARSET, RUSSIAN_CHARSET},
      {"Times New Roman Greek", GREEK_CHARSET, GREEK_CHARSET},
      {"Arial", DEFAULT_CHARSET, ANSI_CHARSET},
  };
  for (const auto& c : cases) {
    form->fontBox.SetFontName(c.name);
    ExpectDisplayFont(c.name);
    EXPECT_EQ(MainForm::FontCharsetFor(c.name), c.charset);
    EXPECT_EQ(form->grid.GetFont().Charset(), c.charset) << c.name;
    EXPECT_EQ(form->previewLabel.GetFont().Charset(), c.charset) << c.name;
    EXPECT_EQ(form->magnifier.GetFont().Charset(), megaCharset) << c.name;
    EXPECT_EQ(form->composition.GetFont().Charset(), richCharset) << c.name;
    // The grid really draws in that character set (Cyrillic letters from 192 on).
    EXPECT_EQ(RealisedCharset(form->grid), c.realised) << c.name;
  }
}

TEST_F(MainFonts, UserChoiceAppliesTheFontAndItsFaceReachesTheHtmlOutput) {
  ShowFontInHtml();
  ASSERT_NE(form->htmlEdit.Text().find(" face=Arial>"), std::string::npos) << form->htmlEdit.Text();
  // The item after Arial is Arial Cyr.
  SendMessageA(form->fontBox.Handle(), WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(form->fontBox.FontName(), "Arial Cyr");
  ExpectDisplayFont("Arial Cyr");
  EXPECT_EQ(form->grid.GetFont().Charset(), RUSSIAN_CHARSET);
  EXPECT_NE(form->htmlEdit.Text().find(" face=Arial Cyr>"), std::string::npos) << form->htmlEdit.Text();
  // Choosing from the program raises nothing.
  form->fontBox.SetItemIndex(0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(form->grid.GetFont().Name(), "Arial Cyr");
}

TEST_F(MainFonts, CheckBoxSwitchesOwnFontNames) {
  Click(form->ownFontNamesCheck);
  EXPECT_FALSE(form->ownFontNamesCheck.Checked());
  EXPECT_FALSE(form->fontBox.UseFonts());
  // Greyed on the symbol filter, it keeps its mark, and so does the box.
  Click(form->fontFilterGroup.Button(2));
  EXPECT_FALSE(form->ownFontNamesCheck.Enabled());
  EXPECT_FALSE(form->ownFontNamesCheck.Checked());
  EXPECT_FALSE(form->fontBox.UseFonts());
  Click(form->fontFilterGroup.Button(0));
  EXPECT_TRUE(form->ownFontNamesCheck.Enabled());
  Click(form->ownFontNamesCheck);
  EXPECT_TRUE(form->fontBox.UseFonts());
}

}  // namespace
