// The framing bevel and the image control.
#include "ui/ExtCtrls.h"

#include "ui/Messages.h"

namespace ui {

Bevel::Bevel(Control* parent, Bounds bounds) : Control(parent) {
  CreateHandle(
      {.className = "STATIC", .style = WS_VISIBLE | SS_ETCHEDFRAME, .bounds = bounds, .subclass = true});
}

LRESULT Bevel::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return EraseBackground(reinterpret_cast<HDC>(wParam));
  return Control::WndProc(msg, wParam, lParam);
}

Image::Image(Control* parent, Bounds bounds) : CustomControl(parent, "TImage", bounds) {}

void Image::SetBitmap(HBITMAP bitmap) {
  bitmap_.Reset(bitmap);
  icon_ = nullptr;
  Invalidate();
}

void Image::SetIcon(HICON icon) {
  bitmap_.Reset();
  icon_ = icon;
  Invalidate();
}

void Image::Paint(HDC dc, const RECT&) {
  RECT client;
  GetClientRect(handle_, &client);
  HBRUSH background = parent_ ? reinterpret_cast<HBRUSH>(SendMessageA(parent_->Handle(), WM_CTLCOLORSTATIC,
                                                                      reinterpret_cast<WPARAM>(dc),
                                                                      reinterpret_cast<LPARAM>(handle_)))
                              : nullptr;
  FillRect(dc, &client, background ? background : GetSysColorBrush(COLOR_BTNFACE));
  if (bitmap_) {
    BITMAP info{};
    GetObjectA(bitmap_, sizeof info, &info);
    CompatibleDC source(dc);
    SelectObjectScope select(source, bitmap_);
    BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  } else if (icon_) {
    // As large as the image: its rectangle follows the DPI.
    DrawIconEx(dc, 0, 0, icon_, client.right, client.bottom, 0, nullptr, DI_NORMAL);
  }
}

LRESULT Image::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: break;
    default: return CustomControl::WndProc(msg, wParam, lParam);
  }
  if (OnMouseDown) {
    const POINT at = PointOf(lParam);
    OnMouseDown(MouseButtonOf(msg), ShiftState::FromKeys(wParam), at.x, at.y);
  }
  return 0;
}

}  // namespace ui
