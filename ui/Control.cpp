// The base of every window of the program: creation, lookup, dispatch, notifications.
#include "ui/Control.h"

#include <algorithm>
#include <unordered_map>

#include "ui/Application.h"
#include "ui/SystemLibraries.h"
#include "ui/WindowClass.h"

namespace ui {
namespace {

// The id a child window carries: the dialog manager names the default button by it.
int NextId() {
  static int next = 100;
  return next++;
}

bool IsNotification(UINT msg) {
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL: return true;
    default: return false;
  }
}

// The control whose window is being created: notifications its window sends before it
// is attached (an owner-drawn list's WM_MEASUREITEM) are meant for it.
Control* creating = nullptr;

// The windows this thread created for its controls, each with its control: entered when
// the window is created, taken out when it goes. A window that is not in it is not ours,
// whatever its user data or properties say (a common dialog's control, a control of the
// platform that keeps its own data there). A window of another thread is never in it.
// Never freed: controls may outlive the thread's other objects at exit.
std::unordered_map<HWND, Control*>& Windows() {
  thread_local std::unordered_map<HWND, Control*>* windows = nullptr;
  if (!windows) windows = new std::unordered_map<HWND, Control*>;
  return *windows;
}

}  // namespace

ShiftState ShiftState::FromKeys(WPARAM keys) {
  ShiftState s;
  s.shift = (keys & MK_SHIFT) != 0;
  s.ctrl = (keys & MK_CONTROL) != 0;
  s.alt = GetKeyState(VK_MENU) < 0;
  s.left = (keys & MK_LBUTTON) != 0;
  s.right = (keys & MK_RBUTTON) != 0;
  s.middle = (keys & MK_MBUTTON) != 0;
  return s;
}

ShiftState ShiftState::OfPress(UINT msg, WPARAM keys) {
  ShiftState s = FromKeys(keys);
  s.dbl = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
  return s;
}

ShiftState ShiftState::FromKeyboard() {
  ShiftState s;
  s.shift = GetKeyState(VK_SHIFT) < 0;
  s.alt = GetKeyState(VK_MENU) < 0;
  s.ctrl = GetKeyState(VK_CONTROL) < 0;
  return s;
}

MouseButton MouseButtonOf(UINT msg) {
  switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP: return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP: return MouseButton::Middle;
    default: return MouseButton::Left;
  }
}

COLORREF ResolveColor(COLORREF color) {
  if (color & kSysColor) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

Control::Control(Control* parent) : parent_(parent), dpi_(parent ? parent->Dpi() : SystemDpi()) {
  if (parent) font_ = parent->GetFont();
  font_.SetDpi(dpi_);
  font_.OnChange = [this] { FontChanged(); };
}

Control* Control::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  const auto& windows = Windows();
  const auto it = windows.find(hwnd);
  return it == windows.end() ? nullptr : it->second;
}

void Control::Attach(HWND hwnd) {
  handle_ = hwnd;
  Windows()[hwnd] = this;
}

void Control::ForgetDestroyedWindows() {
  // A standard control whose procedure we left alone never sees its own WM_NCDESTROY: when
  // its parent has taken it along, its entry goes here, before the handle can be reused.
  auto& windows = Windows();
  for (auto it = windows.begin(); it != windows.end();) {
    if (IsWindow(it->first)) {
      ++it;
      continue;
    }
    it->second->handle_ = nullptr;
    it->second->baseProc_ = nullptr;  // went with the window
    it = windows.erase(it);
  }
}

Control::~Control() {
  // A window its parent has destroyed already is gone: only a window that is still ours.
  if (handle_ && FromHandle(handle_) == this) DestroyWindow(handle_);  // WM_NCDESTROY detaches
  Detach();
}

void Control::Detach() {
  if (!handle_) return;
  // A window is let go only as it is destroyed (its WM_NCDESTROY): the class's own
  // procedure takes what is left, unless another has replaced ours since.
  if (baseProc_ && IsWindow(handle_) &&
      GetWindowLongPtrA(handle_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Control::StandardProc))
    SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(baseProc_));
  auto& windows = Windows();
  if (const auto it = windows.find(handle_); it != windows.end() && it->second == this) windows.erase(it);
  baseProc_ = nullptr;
  handle_ = nullptr;
}

const char* Control::RegisterOwnClass(const char* className, UINT classStyle, HCURSOR cursor,
                                      HBRUSH background) {
  return RegisterWindowClass({.name = className,
                              .proc = &Control::Trampoline,
                              .style = classStyle,
                              .cursor = cursor,
                              .background = background,
                              .icon = MAKEINTRESOURCEA(1)});
}

void Control::CreateHandle(const CreateParams& params) {
  bounds_ = params.pixels ? params.bounds : Scale(params.bounds);
  HWND parentWindow = parent_ ? parent_->Handle() : params.owner;
  DWORD style = params.style;
  HMENU menu = nullptr;
  if (parent_) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    id_ = NextId();
    menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_));
  }
  WNDCLASSEXA wc{sizeof wc};
  const bool own = GetClassInfoExA(GetModuleHandleA(nullptr), params.className, &wc) &&
                   wc.lpfnWndProc == &Control::Trampoline;
  Control* outer = creating;
  creating = this;
  const Bounds& b = bounds_;
  HWND hwnd =
      CreateWindowExA(params.exStyle, params.className, params.text.c_str(), style, b.left, b.top, b.width,
                      b.height, parentWindow, menu, GetModuleHandleA(nullptr), own ? this : nullptr);
  creating = outer;
  if (!hwnd) throw Exception(std::string("Cannot create window of class ") + params.className);
  if (!own) {
    Attach(hwnd);
    // Only a control that handles its own messages gets our procedure in front of the
    // class's. Not the platform's subclass chain: under Wine each message through it
    // costs three property reads, each a round trip to the server (about 140
    // microseconds a message, against well under one here), and a themed control sends
    // its parent about ten messages each time it paints.
    if (params.subclass)
      baseProc_ = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::StandardProc)));
  }
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

LRESULT CALLBACK Control::Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Control* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    // Only the control that CreateHandle is making right now: a window of one of our
    // classes made by anyone else stays a plain window.
    auto* made = static_cast<Control*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    if (made && made == creating) {
      made->Attach(hwnd);
      self = made;
    }
  }
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCCREATE && !self->parent_) EnableNonClientScaling(hwnd);
  if (msg == WM_NCDESTROY) {
    const LRESULT result = DefWindowProcA(hwnd, msg, wParam, lParam);
    self->Detach();
    ForgetDestroyedWindows();
    return result;
  }
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT CALLBACK Control::StandardProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Control* self = FromHandle(hwnd);
  // Only while the window is being destroyed, once its control has let it go.
  if (!self || !self->baseProc_) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    const WNDPROC base = self->baseProc_;
    self->Detach();
    ForgetDestroyedWindows();
    return CallWindowProcA(base, hwnd, msg, wParam, lParam);
  }
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT Control::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The exception boundary: nothing thrown by a handler crosses the window procedure.
  try {
    if (msg == WM_WINDOWPOSCHANGED && !parent_) {
      // Whoever moved a form (the user, the platform, a layout), its bounds say where it
      // is on the screen; children move only through SetBounds.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOMOVE)) bounds_.left = pos->x, bounds_.top = pos->y;
      if (!(pos->flags & SWP_NOSIZE)) bounds_.width = pos->cx, bounds_.height = pos->cy;
    }
    return Filtered(filters_.size(), msg, wParam, lParam);
  } catch (...) {
    Application::Instance().HandleException();
    return 0;
  }
}

LRESULT Control::Filtered(size_t count, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (count == 0) return WndProc(msg, wParam, lParam);
  MessageFilter* filter = filters_[count - 1];
  passing_.push_back({filter, count - 1});
  struct Done {
    std::vector<Passing>& passing;
    ~Done() { passing.pop_back(); }
  } done{passing_};
  return filter->FilterMessage(*this, msg, wParam, lParam);
}

void Control::AddMessageFilter(MessageFilter* filter) {
  if (std::find(filters_.begin(), filters_.end(), filter) == filters_.end()) filters_.push_back(filter);
}

void Control::RemoveMessageFilter(MessageFilter* filter) {
  const auto it = std::find(filters_.begin(), filters_.end(), filter);
  if (it == filters_.end()) return;
  const size_t place = static_cast<size_t>(it - filters_.begin());
  filters_.erase(it);
  // A message on its way goes on to the filters still before its place: one that leaves
  // from before that place moves the place down, so no filter sees the message twice.
  for (Passing& p : passing_)
    if (place < p.place) --p.place;
}

LRESULT Control::PassOn(const MessageFilter* from, UINT msg, WPARAM wParam, LPARAM lParam) {
  // From the place the filter had when the message reached it, also if it has left since.
  for (auto it = passing_.rbegin(); it != passing_.rend(); ++it)
    if (it->filter == from) return Filtered(std::min(it->place, filters_.size()), msg, wParam, lParam);
  const auto it = std::find(filters_.begin(), filters_.end(), from);
  return Filtered(it == filters_.end() ? 0 : static_cast<size_t>(it - filters_.begin()), msg, wParam, lParam);
}

bool Control::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(lParam);
      if (!child && HIWORD(wParam) <= 1) {
        // A menu, accelerator or dialog-manager command carries only the id.
        if (Control* c = FromHandle(GetDlgItem(handle_, LOWORD(wParam)))) {
          if ((HIWORD(wParam) == 0 || HIWORD(wParam) == 1) && IsWindowEnabled(c->Handle())) {
            c->Click();
            result = 0;
            return true;
          }
        }
      }
      break;
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom; break;
    case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem; break;
    case WM_MEASUREITEM: {
      // Sent while the list is being created, before its window is attached.
      const int id = static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID);
      Control* c = FromHandle(GetDlgItem(handle_, id));
      if (!c && creating && creating->id_ == id) c = creating;
      return c && c != this && c->Notify(msg, wParam, lParam, result);
    }
    default: child = reinterpret_cast<HWND>(lParam); break;
  }
  Control* c = FromHandle(child);
  return c && c != this && c->Notify(msg, wParam, lParam, result);
}

LRESULT Control::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (IsNotification(msg)) {
    LRESULT result = 0;
    if (ReflectToChild(msg, wParam, lParam, result)) return result;
  }
  return DefaultProc(msg, wParam, lParam);
}

LRESULT Control::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (baseProc_) return CallWindowProcA(baseProc_, handle_, msg, wParam, lParam);
  return DefWindowProcA(handle_, msg, wParam, lParam);
}

bool Control::Notify(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
  switch (msg) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, ResolveColor(font_.Color()));
      SetBkColor(dc, ResolveColor(color_));
      result = reinterpret_cast<LRESULT>(BackgroundBrush());
      return true;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) {
        Click();
        result = 0;
        return true;
      }
      return false;
    default: return false;
  }
}

void Control::Click() {
  if (OnClick) OnClick();
}

HBRUSH Control::BackgroundBrush() {
  const COLORREF rgb = ResolveColor(color_);
  if (!brush_ || brushColor_ != rgb) {
    brush_.Reset(CreateSolidBrush(rgb));
    brushColor_ = rgb;
  }
  return brush_;
}

LRESULT Control::EraseBackground(HDC dc) {
  RECT client;
  GetClientRect(handle_, &client);
  FillRect(dc, &client, BackgroundBrush());
  return 1;
}

void Control::FontChanged() {
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  Invalidate();
}

void Control::ChangeScale(UINT newDpi) {
  const UINT oldDpi = dpi_;
  if (newDpi == oldDpi || newDpi == 0) return;
  dpi_ = newDpi;
  // A form takes the rectangle the platform suggests; a child scales in its parent.
  if (parent_)
    SetBounds({Rescale(bounds_.left, newDpi, oldDpi), Rescale(bounds_.top, newDpi, oldDpi),
               Rescale(bounds_.width, newDpi, oldDpi), Rescale(bounds_.height, newDpi, oldDpi)});
  font_.SetDpi(newDpi);
}

void Control::SetBounds(const Bounds& bounds) {
  bounds_ = bounds;
  if (!handle_) return;
  // A move to where the window stands already still costs the platform a round of work.
  const RECT now = BoundsRect();
  if (now.left == bounds.left && now.top == bounds.top && now.right - now.left == bounds.width &&
      now.bottom - now.top == bounds.height)
    return;
  MoveWindow(handle_, bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
}

RECT Control::BoundsRect() const {
  RECT r{};
  if (!handle_) return r;
  GetWindowRect(handle_, &r);
  HWND parent = GetParent(handle_);
  if (parent && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Control::Visible() const { return handle_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetVisible(bool visible) {
  if (handle_ && visible != Visible()) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::Enabled() const { return handle_ && IsWindowEnabled(handle_); }

void Control::SetEnabled(bool enabled) {
  if (handle_) EnableWindow(handle_, enabled);
}

std::string Control::Text() const {
  if (!handle_) return {};
  const int length = GetWindowTextLengthA(handle_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int got = GetWindowTextA(handle_, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

void Control::SetText(const std::string& text) {
  if (handle_) SetWindowTextA(handle_, text.c_str());
}

void Control::SetColor(COLORREF color) {
  color_ = color;
  Invalidate();
}

void Control::SetFocus() {
  if (handle_) ::SetFocus(handle_);
}

bool Control::Focused() const { return handle_ && GetFocus() == handle_; }

void Control::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

}  // namespace ui
