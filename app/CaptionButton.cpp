// CaptionButton and CaptionButtonHint: the caption button's hook, painting, mouse tracking and tooltip.
#include "app/CaptionButton.h"

#include <commctrl.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "app/ApplicationEvents.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Form.h"
#include "ui/Messages.h"
#include "ui/WindowClass.h"

namespace tessarin {
namespace {

std::vector<CaptionButton*>& LiveWidgets() {
  static std::vector<CaptionButton*> widgets;
  return widgets;
}

std::unordered_map<UINT_PTR, CaptionButton*>& RehookTimers() {
  static std::unordered_map<UINT_PTR, CaptionButton*> timers;
  return timers;
}

WidgetBorder BorderOf(DWORD style, DWORD exStyle) {
  if ((style & WS_CAPTION) != WS_CAPTION) return WidgetBorder::None;
  const bool sizeable = (style & WS_THICKFRAME) != 0;
  if (exStyle & WS_EX_TOOLWINDOW) return sizeable ? WidgetBorder::SizeToolWin : WidgetBorder::ToolWindow;
  if (sizeable) return WidgetBorder::Sizeable;
  if ((exStyle & WS_EX_DLGMODALFRAME) || (style & DS_MODALFRAME)) return WidgetBorder::Dialog;
  return WidgetBorder::Single;
}

// The frame and caption metrics of a window at the given DPI (its monitor's).
WidgetMetrics CurrentMetrics(UINT dpi) {
  const auto m = [dpi](int index) { return ui::SystemMetricForDpi(index, dpi); };
  return {m(SM_CXFIXEDFRAME), m(SM_CYFIXEDFRAME), m(SM_CXSIZEFRAME), m(SM_CYSIZEFRAME),
          m(SM_CXSIZE),       m(SM_CYSIZE),       m(SM_CXSMSIZE),    m(SM_CYSMSIZE)};
}

// The button's own message to paint itself after the caption: registered, because the
// form's range from WM_USER belongs to the dialog manager (DM_SETDEFID is WM_USER + 1).
UINT PaintMessage() {
  static const UINT message = RegisterWindowMessageA("TessarinWidgetPaint");
  return message;
}

}  // namespace

// --- CaptionButton ----------------------------------------------------------------------------

CaptionButton::CaptionButton(ui::Control* owner) : form_(dynamic_cast<ui::Form*>(owner)) {
  if (!form_) throw ui::Exception("A Widget must be owned by a form");
  index_ = static_cast<int>(std::count_if(LiveWidgets().begin(), LiveWidgets().end(),
                                          [this](const CaptionButton* w) { return w->form_ == form_; }));
  LiveWidgets().push_back(this);
  font_ = ui::Font("Marlett", -11, ui::kSysColor | COLOR_WINDOWTEXT);
  font_.SetCharset(SYMBOL_CHARSET);
  // The glyph's height is measured on the window at its own DPI: in device pixels.
  font_.SetDpi(ui::kDefaultDpi);
  font_.OnChange = [this] { Paint(); };
  Hook();
  // Painted once with an empty rectangle (nothing shows); the first size or position
  // message of the window places the button.
  Paint();
}

CaptionButton::~CaptionButton() {
  destroying_ = true;
  hintWindow_.Cancel();
  if (rehookTimer_) {
    KillTimer(nullptr, rehookTimer_);
    RehookTimers().erase(rehookTimer_);
  }
  if (tracking_ && GetCapture() == hooked_) ReleaseCapture();
  // The form outlives its components: it is there to let go of the widget.
  form_->RemoveMessageFilter(this);
  LiveWidgets().erase(std::remove(LiveWidgets().begin(), LiveWidgets().end(), this), LiveWidgets().end());
}

void CaptionButton::Hook() {
  hooked_ = form_->Handle();
  if (!hooked_) return;
  // The form's own filter list rather than the platform's subclass chain: several widgets
  // of one form can come and go in any order, and a message costs no trip to the server.
  form_->AddMessageFilter(this);
}

void CaptionButton::SetVisible(bool v) {
  visible_ = v;
  // Hiding must take the drawn button away: the platform repaints the frame.
  if (!v && hooked_)
    SetWindowPos(hooked_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_DRAWFRAME);
  Paint();
}

void CaptionButton::Recompute() {
  if (!hooked_) return;
  RECT w{};
  GetWindowRect(hooked_, &w);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(hooked_, GWL_STYLE));
  const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hooked_, GWL_EXSTYLE));
  const WidgetBorderIcons icons{.systemMenu = (style & WS_SYSMENU) != 0,
                                .minimize = (style & WS_MINIMIZEBOX) != 0,
                                .maximize = (style & WS_MAXIMIZEBOX) != 0,
                                .help = (exStyle & WS_EX_CONTEXTHELP) != 0};
  const WidgetRect r = WidgetButtonRect(BorderOf(style, exStyle), icons, CurrentMetrics(form_->Dpi()),
                                        w.right - w.left, form_->Scale(gap_), index_);
  buttonRect_ = RECT{r.left, r.top, r.right, r.bottom};
}

void CaptionButton::Paint() {
  if (!visible_ || !hooked_ || IsRectEmpty(&buttonRect_) || !IsWindowVisible(hooked_)) return;
  ui::WindowDC dc(hooked_, ui::WindowDC::Window);
  if (!dc.Get()) return;
  ui::SaveDCScope saved(dc);
  SetBkMode(dc, TRANSPARENT);
  UINT state = DFCS_BUTTONPUSH;
  COLORREF textColor = ui::ResolveColor(font_.Color());
  if (!enabled_) {
    pressed_ = false;
    textColor = GetSysColor(COLOR_GRAYTEXT);
    state |= DFCS_INACTIVE;
  }
  if (pressed_) state |= DFCS_PUSHED;
  RECT frame = buttonRect_;
  DrawFrameControl(dc, &frame, DFC_BUTTON, state);
  // The inset, the offsets and the pressed shift are 100 % pixels of the form's scaling.
  RECT glyph = buttonRect_;
  InflateRect(&glyph, -form_->Scale(2), -form_->Scale(2));
  OffsetRect(&glyph, form_->Scale(offsetLeft_), form_->Scale(offsetTop_));
  if (pressed_) OffsetRect(&glyph, form_->Scale(1), form_->Scale(1));
  // A character one pixel higher than the glyph's rectangle; no repaint for this change.
  auto onChange = std::move(font_.OnChange);
  font_.SetHeight(-((glyph.bottom - glyph.top) + 1));
  font_.OnChange = std::move(onChange);
  ui::SelectObjectScope font(dc, font_.Handle());
  SetTextColor(dc, textColor);
  DrawTextA(dc, &glyph_, 1, &glyph, DT_CENTER | DT_VCENTER | DT_NOCLIP);
}

bool CaptionButton::Inside(LPARAM point, bool clientPoint) const {
  POINT p = ui::PointOf(point);
  if (clientPoint) ClientToScreen(hooked_, &p);
  RECT w{};
  GetWindowRect(hooked_, &w);
  p.x -= w.left;
  p.y -= w.top;
  return PtInRect(&buttonRect_, p) != FALSE;
}

void CaptionButton::ReleaseTracking() {
  tracking_ = false;
  if (GetCapture() == hooked_) ReleaseCapture();
}

LRESULT CaptionButton::FilterMessage(ui::Control& control, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The error boundary of the hook: an error of a handler is shown, and the program goes on.
  try {
    return WndProc(control.Handle(), msg, wParam, lParam);
  } catch (...) {
    ui::Application::Instance().HandleException();
    return 0;
  }
}

LRESULT CaptionButton::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCPAINT:
    case WM_NCACTIVATE: {
      // The platform redraws the caption first; the button is drawn over it afterwards.
      const LRESULT result = form_->PassOn(this, msg, wParam, lParam);
      PostMessageA(hwnd, PaintMessage(), 0, index_);
      return result;
    }
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case WM_SETTINGCHANGE:
    case WM_STYLECHANGED: {
      const LRESULT result = form_->PassOn(this, msg, wParam, lParam);
      Recompute();
      Paint();
      return result;
    }
    case WM_NCMOUSEMOVE:
      if (Inside(lParam, false)) {
        if (!hintWindow_.Active() && showHint_ && visible_ && enabled_) {
          const POINT at = ui::PointOf(lParam);
          hintWindow_.Start(hint_, at.x, at.y, form_->Dpi());
        }
      } else {
        hintWindow_.Cancel();
      }
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (visible_ && Inside(lParam, false)) {
        // A disabled button swallows the press too: the caption must not start a move.
        if (enabled_) {
          SetCapture(hwnd);
          pressed_ = true;
          tracking_ = true;
          Paint();
        }
        return 1;
      }
      break;
    case WM_MOUSEMOVE:
      hintWindow_.Cancel();
      if (tracking_) {
        const bool inside = Inside(lParam, true);
        if (inside != pressed_) {
          pressed_ = inside;
          Paint();
        }
        return 1;
      }
      break;
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
      pressed_ = false;
      if (tracking_) {
        const bool inside = Inside(lParam, true);
        ReleaseTracking();
        if (inside && enabled_ && OnClick) OnClick();
        Paint();
        return 1;
      }
      break;
    case WM_CAPTURECHANGED:
      // The capture went elsewhere (a task switch, a dialog): the press is abandoned, so
      // that later mouse moves reach the form again.
      if (tracking_ && reinterpret_cast<HWND>(lParam) != hwnd) {
        tracking_ = false;
        pressed_ = false;
        Paint();
      }
      break;
    case WM_DESTROY:
      if (!destroying_ && !rehookTimer_) {
        rehookTimer_ = SetTimer(nullptr, 0, 1, &CaptionButton::RehookTimer);
        if (rehookTimer_) RehookTimers()[rehookTimer_] = this;
      }
      hooked_ = nullptr;
      hintWindow_.Cancel();
      break;
    default:
      if (msg == PaintMessage() && lParam == index_) {
        Paint();
        return 0;
      }
      break;
  }
  return form_->PassOn(this, msg, wParam, lParam);
}

void CALLBACK CaptionButton::RehookTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  const auto it = RehookTimers().find(id);
  if (it == RehookTimers().end()) return;
  CaptionButton* self = it->second;
  RehookTimers().erase(it);
  self->rehookTimer_ = 0;
  try {
    self->Hook();
    self->Recompute();
    self->Paint();
  } catch (...) {
    ui::Application::Instance().HandleException();
  }
}

// --- CaptionButtonHint ------------------------------------------------------------------------

namespace {
constexpr UINT_PTR kHintTimer = 1;
}

CaptionButtonHint::~CaptionButtonHint() {
  if (window_) {
    SetWindowLongPtrA(window_, 0, 0);
    DestroyWindow(window_);
  }
}

void CaptionButtonHint::Start(const std::string& text, int x, int y, UINT dpi) {
  if (!window_) {
    // The hint, in a slot of its own class.
    ui::RegisterWindowClass({.name = kWindowClass,
                             .proc = &CaptionButtonHint::WindowProc,
                             .style = CS_SAVEBITS,
                             .windowExtra = sizeof(CaptionButtonHint*)});
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kWindowClass, "", WS_POPUP | WS_BORDER, 0, 0,
                              0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window_) return;
    SetWindowLongPtrA(window_, 0, reinterpret_cast<LONG_PTR>(this));
  }
  text_ = text;
  x_ = x;
  y_ = y;
  dpi_ = dpi;
  font_.SetDpi(dpi);
  active_ = true;
  shown_ = false;
  SetTimer(window_, kHintTimer, static_cast<UINT>(ApplicationSettings().HintPause), nullptr);
}

void CaptionButtonHint::Cancel() {
  if (!active_) return;
  active_ = false;
  shown_ = false;
  if (window_) {
    KillTimer(window_, kHintTimer);
    ShowWindow(window_, SW_HIDE);
  }
}

void CaptionButtonHint::Tick() {
  KillTimer(window_, kHintTimer);
  if (shown_) {  // the hide pause is over
    Cancel();
    return;
  }
  RECT r{0, 0, ui::Scale(kWidth, dpi_), 0};
  {
    ui::WindowDC dc(window_);
    ui::SelectObjectScope font(dc, font_.Handle());
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  }
  // The text's margins, and the frame's line on each side.
  r.right += ui::Scale(2 * kMargin, dpi_) + 2 * ui::SystemMetricForDpi(SM_CXBORDER, dpi_);
  r.bottom += 2 * ui::SystemMetricForDpi(SM_CYBORDER, dpi_);
  // Below the pointer, by the height of the cursor's picture.
  const int below = GetSystemMetrics(SM_CYCURSOR);
  SetWindowPos(window_, HWND_TOPMOST, x_, y_ + below, r.right - r.left, r.bottom - r.top,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  shown_ = true;
  SetTimer(window_, kHintTimer, static_cast<UINT>(ApplicationSettings().HintHidePause), nullptr);
}

void CaptionButtonHint::Paint() {
  ui::PaintScope dc(window_);
  RECT r;
  GetClientRect(window_, &r);
  ui::Brush background(CreateSolidBrush(ui::ResolveColor(ApplicationSettings().HintColor)));
  FillRect(dc, &r, background);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  ui::SelectObjectScope font(dc, font_.Handle());
  InflateRect(&r, -ui::Scale(kMargin, dpi_), 0);
  DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &r, DT_WORDBREAK | DT_NOPREFIX);
}

LRESULT CALLBACK CaptionButtonHint::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CaptionButtonHint*>(GetWindowLongPtrA(hwnd, 0));
  try {
    if (self && msg == WM_TIMER && wParam == kHintTimer) {
      self->Tick();
      return 0;
    }
    if (self && msg == WM_PAINT) {
      self->Paint();
      return 0;
    }
  } catch (...) {
    ui::Application::Instance().HandleException();
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace tessarin
