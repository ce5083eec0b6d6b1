// The standard controls of the toolkit: label, buttons, groups, panel and the edits.
#include "ui/StdCtrls.h"

#include <commctrl.h>
#include <richedit.h>
#include <vssym32.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Messages.h"
#include "ui/SystemLibraries.h"

namespace ui {

// --- CustomControl ---------------------------------------------------------------------

CustomControl::CustomControl(Control* parent, const char* windowClass, Bounds bounds, DWORD style,
                             DWORD exStyle)
    : Control(parent) {
  RegisterOwnClass(windowClass, CS_DBLCLKS, nullptr, nullptr);
  CreateHandle({.className = windowClass,
                .style = WS_VISIBLE | WS_CLIPSIBLINGS | style,
                .exStyle = exStyle,
                .bounds = bounds});
}

LRESULT CustomControl::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND: return 1;                                       // Paint covers the whole window
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_.Handle());  // as a standard control answers
    case WM_PAINT: {
      PaintScope paint(handle_);
      Paint(paint, paint.Rect());
      return 0;
    }
    default: return Control::WndProc(msg, wParam, lParam);
  }
}

// --- Label -----------------------------------------------------------------------------

Label::Label(Control* parent, std::string text, Bounds bounds, Options options)
    : Control(parent), text_(std::move(text)), options_(options) {
  SetColor(options.color);
  // SS_NOTIFY: the label takes the mouse itself rather than letting it through to the
  // window below, so that it sees the release of a button.
  DWORD style =
      SS_NOPREFIX | SS_NOTIFY | (options.visible ? WS_VISIBLE : 0) | (options.elide ? SS_ENDELLIPSIS : 0);
  switch (options.alignment) {
    case Alignment::Left: style |= SS_LEFT; break;
    case Alignment::Right: style |= SS_RIGHT; break;
    case Alignment::Center: style |= SS_CENTER; break;
  }
  CreateHandle(
      {.className = "STATIC", .text = text_, .style = style, .bounds = bounds, .subclass = options.mouseUp});
  AdjustSize();
}

void Label::SetText(const std::string& text) {
  // A static control draws itself at once on a new text, even the same one.
  if (handle_ && text == text_) return;
  text_ = text;
  Control::SetText(text);
  AdjustSize();
}

LRESULT Label::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP) && OnMouseUp) {
    const POINT at = PointOf(lParam);
    OnMouseUp(MouseButtonOf(msg), ShiftState::FromKeys(wParam), at.x, at.y);
  }
  return Control::WndProc(msg, wParam, lParam);
}

void Label::FontChanged() {
  Control::FontChanged();
  AdjustSize();
}

void Label::AdjustSize() {
  if (!options_.autoSize || !handle_) return;
  // Measured as the forms library does: an empty text measures as one blank.
  const std::string measured = text_.empty() ? std::string(" ") : text_;
  WindowDC dc(handle_);
  SelectObjectScope font(dc, font_.Handle());
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, measured.c_str(), static_cast<int>(measured.size()), &r,
            DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
  const int width = r.right - r.left, height = r.bottom - r.top;
  int left = Left();
  if (options_.alignment == Alignment::Right) left = Left() + Width() - width;
  if (options_.alignment == Alignment::Center) left = Left() + (Width() - width) / 2;
  if (left != Left() || width != Width() || height != Height()) SetBounds({left, Top(), width, height});
}

void Label::SetBounds(const Bounds& bounds) {
  const RECT before = BoundsRect();
  Control::SetBounds(bounds);
  const RECT after = BoundsRect();
  if (handle_ && !EqualRect(&before, &after)) InvalidateRect(handle_, nullptr, TRUE);
}

// --- Button, CheckBox --------------------------------------------------------------------

Button::Button(Control* parent, const std::string& caption, Bounds bounds, Options options)
    : Control(parent) {
  CreateHandle({.className = "BUTTON",
                .text = caption,
                .style = static_cast<DWORD>(WS_VISIBLE | WS_TABSTOP |
                                            (options.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)),
                .bounds = bounds});
}

CheckBox::CheckBox(Control* parent, const std::string& caption, Bounds bounds, Options options)
    : Control(parent) {
  CreateHandle({.className = "BUTTON",
                .text = caption,
                .style = WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX,
                .bounds = bounds});
  SendMessageA(handle_, BM_SETCHECK, options.checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::Checked() const { return handle_ && SendMessageA(handle_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::SetChecked(bool checked) {
  if (checked == Checked()) return;
  SendMessageA(handle_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  Click();
}

void CheckBox::Draw(const NMCUSTOMDRAW& draw) {
  HDC dc = draw.hdc;
  RECT client;
  GetClientRect(handle_, &client);
  const LRESULT state = SendMessageA(handle_, BM_GETSTATE, 0, 0);
  const bool checked = (state & BST_CHECKED) != 0, pushed = (state & BST_PUSHED) != 0;
  const bool hot = (state & BST_HOT) != 0, enabled = IsWindowEnabled(handle_) != FALSE;
  const int kBox = Scale(13);
  RECT box{client.left, (client.top + client.bottom - kBox) / 2, client.left + kBox, 0};
  box.bottom = box.top + kBox;
  if (HTHEME theme = ui::GetWindowTheme(handle_)) {
    int part = checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL;
    if (!enabled)
      part += 3;
    else if (pushed)
      part += 2;
    else if (hot)
      part += 1;
    ui::DrawThemeBackground(theme, dc, BP_CHECKBOX, part, &box, nullptr);
  } else {
    DrawFrameControl(dc, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (checked ? DFCS_CHECKED : 0) | (pushed ? DFCS_PUSHED : 0) |
                         (enabled ? 0 : DFCS_INACTIVE));
  }
  const std::string text = Text();
  SelectObjectScope font(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  RECT label{box.right + Scale(4), client.top, client.right, client.bottom};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (GetFocus() == handle_ && !(SendMessageA(handle_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    RECT extent = label;
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &extent,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_CALCRECT);
    extent.top = label.top + (label.bottom - label.top - (extent.bottom - extent.top)) / 2 - 1;
    extent.bottom = extent.top + (extent.bottom - extent.top) + 2;
    extent.left -= 1;
    extent.right += 1;
    DrawFocusRect(dc, &extent);
  }
}

bool CheckBox::Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == NM_CUSTOMDRAW) {
    const auto& draw = *reinterpret_cast<NMCUSTOMDRAW*>(lParam);
    if (draw.dwDrawStage == CDDS_PREPAINT) {
      Draw(draw);
      result = CDRF_SKIPDEFAULT;
      return true;
    }
    result = CDRF_DODEFAULT;
    return true;
  }
  if (msg == WM_COMMAND && (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED)) {
    // The box toggles itself here (not BS_AUTOCHECKBOX), so that a click, the space bar
    // and an access key all take the same road as SetChecked.
    SetChecked(!Checked());
    result = 0;
    return true;
  }
  return Control::Notify(msg, wParam, lParam, result);
}

// --- GroupBox, RadioGroup ------------------------------------------------------------------

GroupBox::GroupBox(Control* parent, const std::string& caption, Bounds bounds) : Control(parent) {
  // It holds controls: their notifications come through its own window procedure.
  CreateHandle({.className = "BUTTON",
                .text = caption,
                .style = WS_VISIBLE | BS_GROUPBOX | WS_CLIPCHILDREN,
                .exStyle = WS_EX_CONTROLPARENT,
                .bounds = bounds,
                .subclass = true});
}

LRESULT GroupBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return EraseBackground(reinterpret_cast<HDC>(wParam));
  if (msg == WM_NCHITTEST && OnClick) {
    // The platform's group box lets clicks fall through to its parent; one with a click
    // handler takes them, so that a click on the group reaches it.
    const LRESULT hit = DefaultProc(msg, wParam, lParam);
    return hit == HTTRANSPARENT ? HTCLIENT : hit;
  }
  // A click is a press and a release on the group, with the mouse captured in between
  // (a drag released over the group is none); the platform's button would also take the
  // focus on the press.
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(handle_);
      pressed_ = true;
      return 0;
    case WM_LBUTTONUP: {
      const bool click = pressed_ && GetCapture() == handle_;
      pressed_ = false;
      if (GetCapture() == handle_) ReleaseCapture();
      RECT r;
      GetClientRect(handle_, &r);
      const POINT at = PointOf(lParam);
      if (click && PtInRect(&r, at)) Click();
      return 0;
    }
    case WM_CAPTURECHANGED: pressed_ = false; break;
    default: break;
  }
  return Control::WndProc(msg, wParam, lParam);
}

class RadioGroup::RadioItem : public Control {
 public:
  RadioItem(RadioGroup* group, const std::string& caption, int index, bool first)
      : Control(group), group_(group), index_(index) {
    CreateHandle(
        {.className = "BUTTON",
         .text = caption,
         .style = static_cast<DWORD>(WS_VISIBLE | BS_RADIOBUTTON | (first ? WS_GROUP | WS_TABSTOP : 0))});
  }

 protected:
  bool Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (msg == WM_COMMAND && (HIWORD(wParam) == BN_CLICKED || HIWORD(wParam) == BN_DOUBLECLICKED)) {
      group_->ItemClicked(index_);
      result = 0;
      return true;
    }
    return Control::Notify(msg, wParam, lParam, result);
  }

 private:
  RadioGroup* group_;
  int index_;
};

RadioGroup::RadioGroup(Control* parent, const std::string& caption, Bounds bounds,
                       const std::vector<std::string>& items, int itemIndex)
    : GroupBox(parent, caption, bounds) {
  for (size_t i = 0; i < items.size(); ++i)
    buttons_.push_back(std::make_unique<RadioItem>(this, items[i], static_cast<int>(i), i == 0));
  Arrange();
  itemIndex_ = -1;
  if (itemIndex >= 0 && itemIndex < static_cast<int>(buttons_.size())) {
    itemIndex_ = itemIndex;
    SendMessageA(buttons_[static_cast<size_t>(itemIndex)]->Handle(), BM_SETCHECK, BST_CHECKED, 0);
  }
}

RadioGroup::~RadioGroup() = default;

Control& RadioGroup::Button(size_t index) { return *buttons_.at(index); }

void RadioGroup::Arrange() {
  // One column: the buttons share the height below the caption line equally. The group is
  // laid out in pixels at 100 % and scaled, so that each item keeps its 100 % place. The
  // caption line is the font's, taken back to 100 %, but never less than the character
  // height and two pixels of leading: a raster font has no size for every scaling, and the
  // smaller one the platform picks would move the items up.
  if (buttons_.empty()) return;
  TEXTMETRICA tm{};
  {
    WindowDC dc(handle_);
    SelectObjectScope font(dc, font_.Handle());
    GetTextMetricsA(dc, &tm);
  }
  const int designHeight = font_.Height() < 0 ? -font_.Height() + 2 : font_.Height();
  const int captionLine = std::max(Unscale(tm.tmHeight, Dpi()), designHeight);
  const int count = static_cast<int>(buttons_.size());
  const int rest = Unscale(Height(), Dpi()) - captionLine - 5;
  const int buttonHeight = rest / count;
  const int topMargin = captionLine + 1 + (rest % count) / 2;
  for (int i = 0; i < count; ++i)
    buttons_[static_cast<size_t>(i)]->SetBounds(
        Scale(Bounds{8, i * buttonHeight + topMargin, Unscale(Width(), Dpi()) - 10, buttonHeight}));
}

void RadioGroup::ItemClicked(int index) { SetItemIndex(index); }

void RadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= static_cast<int>(buttons_.size())) index = -1;
  if (index == itemIndex_) return;
  for (size_t i = 0; i < buttons_.size(); ++i)
    SendMessageA(buttons_[i]->Handle(), BM_SETCHECK,
                 static_cast<int>(i) == index ? BST_CHECKED : BST_UNCHECKED, 0);
  itemIndex_ = index;
  Click();
}

// --- Panel -------------------------------------------------------------------------------------

Panel::Panel(Control* parent, Bounds bounds)
    : CustomControl(parent, "TPanel", bounds, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT) {}

void Panel::Paint(HDC dc, const RECT&) {
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(dc, &r, BackgroundBrush());
  DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
}

// --- Edit, RichEdit, SpinEdit ---------------------------------------------------------------------

Edit::Edit(Control* parent, Bounds bounds, Options options)
    : Edit(parent, "EDIT",
           (options.visible ? WS_VISIBLE : 0) | WS_TABSTOP | ES_AUTOHSCROLL |
               (options.readOnly ? ES_READONLY : 0),
           bounds, false) {}

Edit::Edit(Control* parent, const char* className, DWORD style, Bounds bounds, bool subclass)
    : Control(parent) {
  SetColor(kSysColor | COLOR_WINDOW);
  CreateHandle({.className = className,
                .style = style,
                .exStyle = WS_EX_CLIENTEDGE,
                .bounds = bounds,
                .subclass = subclass});
}

bool Edit::ReadOnly() const { return (GetWindowLongA(handle_, GWL_STYLE) & ES_READONLY) != 0; }

bool Edit::Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
    if (OnChange) OnChange();
    result = 0;
    return true;
  }
  if (msg == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS) {
    if (OnExit) OnExit();
    result = 0;
    return true;
  }
  return Control::Notify(msg, wParam, lParam, result);
}

void Edit::GetSelection(long& start, long& end) const {
  DWORD s = 0, e = 0;
  SendMessageA(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  start = static_cast<long>(s);
  end = static_cast<long>(e);
}

void Edit::SetSelection(long start, long end) {
  SendMessageA(handle_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void Edit::CopyToClipboard() { SendMessageA(handle_, WM_COPY, 0, 0); }

long Edit::TextLength() const { return handle_ ? GetWindowTextLengthA(handle_) : 0; }

void Edit::ReplaceSelection(const std::string& text) {
  SendMessageA(handle_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void Edit::ScrollCaretIntoView() { SendMessageA(handle_, EM_SCROLLCARET, 0, 0); }

namespace {
const char* RichEditClass() {
  LoadRichEdit();
  return "RichEdit20A";
}
}  // namespace

RichEdit::RichEdit(Control* parent, Bounds bounds)
    : Edit(parent, RichEditClass(),
           WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
               ES_NOHIDESEL,
           bounds, true) {
  // Plain-text mode: the text has one format, whatever is pasted or dropped into it.
  SendMessageA(handle_, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
  SendMessageA(handle_, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageA(handle_, EM_SETEVENTMASK, 0, ENM_CHANGE);
  FontChanged();
}

std::string RichEdit::Text() const {
  GETTEXTLENGTHEX lengthEx{GTL_USECRLF | GTL_NUMBYTES | GTL_PRECISE, CP_ACP};
  const auto length = SendMessageA(handle_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthEx), 0);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  GETTEXTEX get{static_cast<DWORD>(text.size()), GT_USECRLF, CP_ACP, nullptr, nullptr};
  const auto got = SendMessageA(handle_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

long RichEdit::TextLength() const {
  GETTEXTLENGTHEX lengthEx{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
  return static_cast<long>(SendMessageA(handle_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthEx), 0));
}

void RichEdit::Append(const std::string& text) {
  const long end = TextLength();
  CHARRANGE range{end, end};
  SendMessageA(handle_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  ReplaceSelection(text);
}

namespace {
// Ctrl+V or Shift+Insert, without Alt.
bool PasteKey(WPARAM key) {
  if (GetKeyState(VK_MENU) < 0) return false;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  return key == 'V' ? ctrl : !ctrl && GetKeyState(VK_SHIFT) < 0;
}
constexpr UINT kUtf16CodePage = 1200;
}  // namespace

std::u16string RichEdit::WideText() const {
  GETTEXTLENGTHEX lengthEx{GTL_USECRLF | GTL_NUMCHARS | GTL_PRECISE, kUtf16CodePage};
  const auto length = SendMessageA(handle_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthEx), 0);
  if (length <= 0) return {};
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  GETTEXTEX get{static_cast<DWORD>(text.size() * sizeof(char16_t)), GT_USECRLF, kUtf16CodePage, nullptr,
                nullptr};
  const auto got = SendMessageA(handle_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

void RichEdit::AppendWide(const std::u16string& text) {
  const long end = TextLength();
  CHARRANGE range{end, end};
  SendMessageA(handle_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  // The selection is replaced as typing would replace it: one undoable change.
  SETTEXTEX set{ST_SELECTION | ST_KEEPUNDO, kUtf16CodePage};
  SendMessageA(handle_, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set), reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT RichEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Plain-text mode keeps one format on Windows; some rich edits (Wine's) still paste
  // rich text as such: every paste takes the plain text only, in UTF-16 so that
  // characters beyond the ANSI code page arrive whole.
  // The key states only for the two keys that paste: each read is a trip to the server
  // under Wine, and every message of the control passes here.
  if (msg == WM_PASTE || (msg == WM_KEYDOWN && (wParam == 'V' || wParam == VK_INSERT) && PasteKey(wParam))) {
    if (!ReadOnly()) SendMessageA(handle_, EM_PASTESPECIAL, CF_UNICODETEXT, 0);
    return 0;
  }
  return Edit::WndProc(msg, wParam, lParam);
}

void RichEdit::FontChanged() {
  if (!handle_) return;
  // The whole text and whatever is typed next take the control's font.
  CHARFORMAT2A cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask =
      CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_CHARSET;
  const FontStyles style = font_.Style();
  cf.dwEffects = (style.bold ? CFE_BOLD : 0) | (style.italic ? CFE_ITALIC : 0) |
                 (style.underline ? CFE_UNDERLINE : 0) | (style.strikeOut ? CFE_STRIKEOUT : 0);
  // In twips; the control takes sizes up to 1638 points.
  cf.yHeight = std::clamp(font_.Size(), 1, 1638) * 20;
  cf.crTextColor = ResolveColor(font_.Color());
  cf.bCharSet = font_.Charset();
  lstrcpynA(cf.szFaceName, font_.Name().c_str(), LF_FACESIZE);
  SendMessageA(handle_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  SendMessageA(handle_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

bool RichEdit::Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORSTATIC) return false;  // draws its own background
  return Edit::Notify(msg, wParam, lParam, result);
}

SpinEdit::SpinEdit(Control* parent, Bounds bounds, Options options)
    : Edit(parent, bounds), min_(options.minValue), max_(options.maxValue) {
  updown_ = CreateWindowExA(
      0, UPDOWN_CLASSA, "",
      WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 0, 0, 0,
      parent->Handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(updown_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(handle_), 0);
  SendMessageA(updown_, UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  // The buddy gave up the room of the arrows inside the rectangle: put both back into it.
  RECT arrows;
  GetWindowRect(updown_, &arrows);
  arrowWidth_ = arrows.right - arrows.left;
  SetBounds(Scale(bounds));
  SetValue(options.value);
}

void SpinEdit::SetBounds(const Bounds& b) {
  Edit::SetBounds(b);
  if (!updown_) return;
  MoveWindow(handle_, b.left, b.top, b.width - arrowWidth_, b.height, TRUE);
  MoveWindow(updown_, b.left + b.width - arrowWidth_, b.top, arrowWidth_, b.height, TRUE);
}

void SpinEdit::ChangeScale(UINT newDpi) {
  arrowWidth_ = Rescale(arrowWidth_, newDpi, Dpi());
  Edit::ChangeScale(newDpi);
}

void SpinEdit::SetVisible(bool visible) {
  Edit::SetVisible(visible);
  if (updown_) ShowWindow(updown_, visible ? SW_SHOWNA : SW_HIDE);
}

void SpinEdit::SetEnabled(bool enabled) {
  Edit::SetEnabled(enabled);
  if (updown_) EnableWindow(updown_, enabled);
}

bool SpinEdit::Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_COMMAND && HIWORD(wParam) == EN_KILLFOCUS) {
    const int value = Value();
    if (value < min_ || value > max_) SetValue(value);
  }
  return Edit::Notify(msg, wParam, lParam, result);
}

SpinEdit::~SpinEdit() {
  if (updown_) DestroyWindow(updown_);
}

int SpinEdit::Value() const {
  const std::string text = Text();
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(text.c_str(), &end, 10);
  // Not an integer, or none that fits: the minimum.
  if (text.empty() || (end && *end != '\0') || errno == ERANGE || v < INT_MIN || v > INT_MAX) return min_;
  return static_cast<int>(v);
}

void SpinEdit::SetValue(int value) {
  if (value < min_) value = min_;
  if (value > max_) value = max_;
  SendMessageA(updown_, UDM_SETPOS32, 0, value);
  SetText(std::to_string(value));
}

}  // namespace ui
