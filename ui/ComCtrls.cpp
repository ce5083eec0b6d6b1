// The page control with its pages, the memo, and the tooltip.
#include "ui/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/SystemLibraries.h"

namespace ui {

// --- PageControl ---------------------------------------------------------------------------

PageControl::PageControl(Control* parent, Bounds b) : Control(parent) {
  CreateHandle({.className = WC_TABCONTROLA,
                .style = WS_VISIBLE | WS_TABSTOP | TCS_TABS | TCS_FOCUSONBUTTONDOWN,
                .bounds = b});
  // One row of tabs 20 pixels high, whatever the font: the pages keep their size.
  SendMessageA(handle_, TCM_SETITEMSIZE, 0, MAKELPARAM(0, Scale(20)));
}

void PageControl::ChangeScale(UINT newDpi) {
  Control::ChangeScale(newDpi);
  SendMessageA(handle_, TCM_SETITEMSIZE, 0, MAKELPARAM(0, Scale(20)));
  ShapeToFrame();
}

RECT PageControl::PageRect() const {
  RECT r{0, 0, Width(), Height()};
  SendMessageA(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  OffsetRect(&r, Left(), Top());
  return r;
}

void PageControl::AddPage(TabSheet* page) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  std::string caption = page->Text();
  item.pszText = caption.data();
  SendMessageA(handle_, TCM_INSERTITEMA, pages_.size(), reinterpret_cast<LPARAM>(&item));
  pages_.push_back(page);
  // Next in the window order after the tabs and the pages before it: the tab order runs
  // from the tabs into the shown page.
  HWND after = pages_.size() > 1 ? pages_[pages_.size() - 2]->Handle() : handle_;
  SetWindowPos(page->Handle(), after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  const RECT r = PageRect();
  for (TabSheet* p : pages_) p->SetBounds({r.left, r.top, r.right - r.left, r.bottom - r.top});
  ShapeToFrame();
  if (active_ < 0) SetActivePageIndex(0);
}

void PageControl::RemovePage(TabSheet* page) {
  const auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  const int index = static_cast<int>(it - pages_.begin());
  if (handle_) SendMessageA(handle_, TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
  pages_.erase(it);
  if (active_ >= static_cast<int>(pages_.size())) active_ = static_cast<int>(pages_.size()) - 1;
}

void PageControl::ShapeToFrame() {
  // The pages lie below the tabs in the window order: the tab control keeps only its
  // tabs and frame, so that it neither paints over the shown page nor takes its clicks.
  RECT page{0, 0, Width(), Height()};
  SendMessageA(handle_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  HRGN whole = CreateRectRgn(0, 0, Width(), Height());
  HRGN inner = CreateRectRgn(page.left, page.top, page.right, page.bottom);
  CombineRgn(whole, whole, inner, RGN_DIFF);
  DeleteObject(inner);
  SetWindowRgn(handle_, whole, TRUE);  // the window owns the region from here on
}

void PageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) return;
  HWND focus = GetFocus();
  const bool focusOnOldPage = active_ >= 0 && active_ != index && focus &&
                              IsChild(pages_[static_cast<size_t>(active_)]->Handle(), focus);
  active_ = index;
  SendMessageA(handle_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
  for (int i = 0; i < PageCount(); ++i)
    ShowWindow(pages_[static_cast<size_t>(i)]->Handle(), i == index ? SW_SHOWNA : SW_HIDE);
  if (focusOnOldPage) SetFocus();
}

void PageControl::SelectNextPage(bool forward) {
  if (PageCount() == 0) return;
  SetActivePageIndex((active_ + (forward ? 1 : PageCount() - 1)) % PageCount());
  if (OnChange) OnChange();
}

bool PageControl::DialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetKeyState(VK_CONTROL) >= 0) return false;
  const bool inside = msg.hwnd == handle_ || std::any_of(pages_.begin(), pages_.end(), [&](TabSheet* page) {
                        return msg.hwnd == page->Handle() || IsChild(page->Handle(), msg.hwnd);
                      });
  if (!inside) return false;
  SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
  return true;
}

bool PageControl::Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE) {
    SetActivePageIndex(static_cast<int>(SendMessageA(handle_, TCM_GETCURSEL, 0, 0)));
    if (OnChange) OnChange();
    result = 0;
    return true;
  }
  return Control::Notify(msg, wParam, lParam, result);
}

// --- TabSheet ------------------------------------------------------------------------------

TabSheet::TabSheet(PageControl* pageControl, std::string caption)
    : Control(pageControl->parent_), owner_(*pageControl) {
  RegisterOwnClass("TTabSheet", 0, nullptr,
                   reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  // Not clipping its children: a framing bevel that covers the page paints only its
  // frame, and the page's own erase fills the inside.
  CreateHandle({.className = "TTabSheet", .text = std::move(caption), .exStyle = WS_EX_CONTROLPARENT});
  owner_.AddPage(this);
}

TabSheet::~TabSheet() { owner_.RemovePage(this); }

// --- Memo ------------------------------------------------------------------------------------

Memo::Memo(Control* parent, Bounds b, Options o) : Control(parent) {
  SetColor(kSysColor | COLOR_WINDOW);
  CreateHandle(
      {.className = "EDIT",
       .style = static_cast<DWORD>(WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL |
                                   (o.readOnly ? ES_READONLY : 0) | (o.verticalScrollBar ? WS_VSCROLL : 0)),
       .exStyle = WS_EX_CLIENTEDGE,
       .bounds = b,
       .subclass = true});
}

void Memo::SetLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  SetText(text);
}

LRESULT Memo::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETDLGCODE) {
    // Tab, Enter and Esc act in the dialog as they do elsewhere in it: a read-only text
    // has no use for them.
    return DefaultProc(msg, wParam, lParam) & ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
  }
  return Control::WndProc(msg, wParam, lParam);
}

// --- ToolTip -------------------------------------------------------------------------

ToolTip::~ToolTip() {
  if (tip_) DestroyWindow(tip_);
}

void ToolTip::SetText(const std::string& text) {
  if (text == text_ || !control_.Handle()) return;
  text_ = text;
  TTTOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control_.Handle());
  tool.uId = reinterpret_cast<UINT_PTR>(control_.Handle());
  tool.lpszText = const_cast<char*>(text_.c_str());
  if (!tip_) {
    if (text_.empty()) return;
    CommonControls();
    // Owned by the control's top-level window, so that it stays above it and goes with it.
    tip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        GetAncestor(control_.Handle(), GA_ROOT), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!tip_) return;
    SendMessageA(tip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  SendMessageA(tip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ui
