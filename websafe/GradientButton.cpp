// TBI_GradientButton: painting and clicks of the gradient push button.
#include "websafe/GradientButton.h"

namespace tessarin {

TBI_GradientButton::TBI_GradientButton(ui::Control* parent, const std::string& caption, ui::Bounds bounds)
    : ui::CustomControl(parent, "TBI_GradientButton", bounds) {
  SetText(caption);
}

LRESULT TBI_GradientButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
  if (msg == WM_LBUTTONUP) {
    Click();
    return 0;
  }
  return ui::CustomControl::WndProc(msg, wParam, lParam);
}

void TBI_GradientButton::Paint(HDC dc, const RECT&) {
  RECT client;
  GetClientRect(handle_, &client);
  const int width = client.right;
  const COLORREF a = ui::ResolveColor(light_), b = ui::ResolveColor(shadow_);
  for (int x = 0; x < width; ++x) {
    auto mix = [&](int ca, int cb) { return ca + (cb - ca) * x / (width > 1 ? width : 1); };
    HBRUSH brush = CreateSolidBrush(RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                                        mix(GetBValue(a), GetBValue(b))));
    RECT column{x, 0, x + 1, client.bottom};
    FillRect(dc, &column, brush);
    DeleteObject(brush);
  }
  DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  HGDIOBJ old = SelectObject(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ui::ResolveColor(font_.Color()));
  RECT text = client;
  const std::string caption = Text();
  DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
}

}  // namespace tessarin
