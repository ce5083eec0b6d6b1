#include "ui/Control.h"

#include <unordered_map>

#include "ui/Application.h"

namespace ui {
namespace {

std::unordered_map<int, Control*>& ControlsById() {
  static std::unordered_map<int, Control*> map;
  return map;
}

std::unordered_map<HWND, Control*>& Windows() {
  static std::unordered_map<HWND, Control*> map;
  return map;
}

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
    case WM_VSCROLL:
      return true;
    default:
      return false;
  }
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

ShiftState ShiftState::FromKeyboard() {
  ShiftState s;
  s.shift = GetKeyState(VK_SHIFT) < 0;
  s.alt = GetKeyState(VK_MENU) < 0;
  s.ctrl = GetKeyState(VK_CONTROL) < 0;
  return s;
}

COLORREF ResolveColor(COLORREF color) {
  if (color & kSysColor) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

Control* FindControlById(int id) {
  const auto it = ControlsById().find(id);
  return it == ControlsById().end() ? nullptr : it->second;
}

Control* Control::FromHandle(HWND hwnd) {
  // A window that others have subclassed since (the up-down control does so with its
  // buddy) no longer shows our procedure: look windows up in our own table.
  const auto& windows = Windows();
  const auto it = windows.find(hwnd);
  return it == windows.end() ? nullptr : it->second;
}

Control::~Control() {
  if (id_) ControlsById().erase(id_);
  if (handle_) {
    HWND hwnd = handle_;
    DestroyWindow(hwnd);  // WM_NCDESTROY clears handle_ and the table entry
    handle_ = nullptr;
  }
  if (brush_) DeleteObject(brush_);
}

const char* Control::RegisterOwnClass(const char* className, UINT classStyle, HCURSOR cursor,
                                      HBRUSH background) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &wc)) return className;
  wc.cbSize = sizeof wc;
  wc.style = classStyle;
  wc.lpfnWndProc = &Control::Trampoline;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = className;
  wc.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  wc.hIconSm = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 16, 16, 0));
  RegisterClassExA(&wc);
  return className;
}

void Control::CreateHandle(const char* className, const char* text, DWORD style, DWORD exStyle,
                           int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  HWND parentWindow = parent_ ? parent_->Handle() : nullptr;
  if (parentWindow) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    id_ = NextId();
    ControlsById()[id_] = this;
  }
  WNDCLASSEXA wc{sizeof wc};
  const bool own = GetClassInfoExA(GetModuleHandleA(nullptr), className, &wc) &&
                   wc.lpfnWndProc == &Control::Trampoline;
  HWND hwnd = CreateWindowExA(exStyle, className, text, style, left, top, width, height,
                              parentWindow,
                              parentWindow ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_))
                                           : nullptr,
                              GetModuleHandleA(nullptr), own ? this : nullptr);
  if (!hwnd) throw Exception(std::string("Cannot create window of class ") + className);
  if (!own) {
    handle_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    Windows()[hwnd] = this;
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::Trampoline)));
  }
  font_.OnChange = [this] { FontChanged(); };
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

LRESULT CALLBACK Control::Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The object lives in the window's user data (a property costs a look-up per message).
  auto* self = reinterpret_cast<Control*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self && msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTA*>(lParam);
    self = static_cast<Control*>(cs->lpCreateParams);
    if (self) {
      self->handle_ = hwnd;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      Windows()[hwnd] = self;
    }
  }
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    const LRESULT result = self->DefaultProc(msg, wParam, lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    Windows().erase(hwnd);
    if (self->original_) SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->original_));
    self->handle_ = nullptr;
    return result;
  }
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT Control::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  // The exception boundary: nothing thrown by a handler crosses the window procedure.
  try {
    return WndProc(msg, wParam, lParam);
  } catch (...) {
    Application::Instance().HandleException();
    return 0;
  }
}

bool Control::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(lParam);
      if (!child && HIWORD(wParam) <= 1) {
        // A menu, accelerator or dialog-manager command carries only the id.
        if (Control* c = FindControlById(LOWORD(wParam))) {
          if ((HIWORD(wParam) == 0 || HIWORD(wParam) == 1) && IsWindowEnabled(c->Handle())) {
            c->Click();
            result = 0;
            return true;
          }
        }
      }
      break;
    case WM_NOTIFY:
      child = reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
      break;
    case WM_DRAWITEM:
      child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_MEASUREITEM:
      if (Control* c = FindControlById(static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID)))
        return c->Notify(msg, wParam, lParam, result);
      return false;
    default:
      child = reinterpret_cast<HWND>(lParam);
      break;
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
  if (original_) return CallWindowProcA(original_, handle_, msg, wParam, lParam);
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
    default:
      return false;
  }
}

void Control::Click() {
  if (OnClick) OnClick();
}

HBRUSH Control::BackgroundBrush() {
  const COLORREF rgb = ResolveColor(color_);
  if (!brush_ || brushColor_ != rgb) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(rgb);
    brushColor_ = rgb;
  }
  return brush_;
}

void Control::FontChanged() {
  if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  Invalidate();
}

void Control::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_) MoveWindow(handle_, left, top, width, height, TRUE);
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

bool Control::Visible() const {
  return handle_ && (GetWindowLongA(handle_, GWL_STYLE) & WS_VISIBLE) != 0;
}

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
