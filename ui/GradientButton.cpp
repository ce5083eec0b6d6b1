// BaseButton (bevel, caption, glyph, groups, drop-down menu, access key) and GradientButton.
#include "ui/GradientButton.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "ui/Application.h"
#include "ui/Messages.h"
#include "core/Ascii.h"
#include "core/GradientColors.h"

namespace tessarin {
namespace {

constexpr COLORREF kDisabledLight = RGB(0xC0, 0xC0, 0xC0);
constexpr COLORREF kDisabledDark = RGB(0x80, 0x80, 0x80);
constexpr int kDefaultSize = 25;

bool ScreenIsLowColor() {
  ui::WindowDC screen(nullptr);
  return GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES) <= 15;
}

// The access-key letter of a caption: the character after a single "&", or 0.
char AccessKeyOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;  // "&&" is a literal ampersand
  }
  return 0;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  ui::Brush brush(CreateSolidBrush(color));
  FillRect(dc, &rect, brush);
}

}  // namespace

// --- BaseButton --------------------------------------------------------------------

BaseButton::BaseButton(ui::Control* parent, const std::string& caption, ui::Bounds bounds)
    : ui::CustomControl(parent, "TBI_GradientButton",
                        {bounds.left, bounds.top, bounds.width > 0 ? bounds.width : kDefaultSize,
                         bounds.height > 0 ? bounds.height : kDefaultSize}),
      caption_(caption),
      lowColor_(ScreenIsLowColor()) {
  ui::Control::SetText(caption);  // screen readers and other processes see the caption
}

void BaseButton::SetText(const std::string& text) {
  if (text == caption_) return;
  caption_ = text;
  ui::Control::SetText(text);
  Invalidate();
}

void BaseButton::SetEnabled(bool enabled) {
  ui::CustomControl::SetEnabled(enabled);
  Invalidate();
}

void BaseButton::SetGlyph(HBITMAP glyph) {
  glyph_.Reset(glyph);
  Invalidate();
}

int BaseButton::NumGlyphs() const {
  BITMAP bm{};
  if (!glyph_ || !GetObjectA(glyph_.Get(), sizeof bm, &bm) || bm.bmHeight <= 0) return 0;
  return (bm.bmWidth > bm.bmHeight && bm.bmWidth % bm.bmHeight == 0) ? bm.bmWidth / bm.bmHeight : 1;
}

void BaseButton::SetDown(bool down) {
  if (groupIndex_ == 0 || down == down_) return;
  if (down) {
    for (HWND sibling = GetWindow(handle_, GW_HWNDFIRST); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
      auto* other = dynamic_cast<BaseButton*>(ui::Control::FromHandle(sibling));
      if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
        other->down_ = false;
        other->Invalidate();
      }
    }
  }
  down_ = down;
  Invalidate();
}

void BaseButton::Repaint() {
  InvalidateRect(handle_, nullptr, FALSE);
  UpdateWindow(handle_);
}

bool BaseButton::DialogChar(char key) {
  const char letter = AccessKeyOf(caption_);
  if (!letter || ui::AsciiUpper(letter) != ui::AsciiUpper(key) || !Enabled() || !IsWindowVisible(handle_))
    return false;
  POINT pt{};
  GetCursorPos(&pt);
  ScreenToClient(handle_, &pt);
  ui::Application& app = ui::Application::Instance();
  app.ProcessMessages();
  pressed_ = true;
  Repaint();
  if (OnMouseDown) OnMouseDown(ui::MouseButton::Left, ui::ShiftState{}, pt.x, pt.y);
  app.ProcessMessages();
  pressed_ = false;
  Repaint();
  if (OnMouseUp) OnMouseUp(ui::MouseButton::Left, ui::ShiftState{}, pt.x, pt.y);
  app.ProcessMessages();
  Click();
  return true;
}

bool BaseButton::DispatchAccessKey(HWND root, char key) {
  std::vector<HWND> windows;
  EnumChildWindows(root, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  for (HWND hwnd : windows) {
    auto* button = dynamic_cast<BaseButton*>(ui::Control::FromHandle(hwnd));
    if (button && button->DialogChar(key)) return true;
  }
  return false;
}

void BaseButton::MouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  if (button == ui::MouseButton::Left && Enabled()) {
    tracking_ = true;
    pressed_ = true;
    SetCapture(handle_);
    Repaint();
    if (dropDownMenu_) {
      // The menu takes the press: the button goes back up and no click follows.
      ui::Application::Instance().ProcessMessages();
      tracking_ = false;
      pressed_ = false;
      if (GetCapture() == handle_) ReleaseCapture();
      Repaint();
      POINT corner{0, Height()};
      ClientToScreen(handle_, &corner);
      const UINT command = static_cast<UINT>(
          TrackPopupMenu(dropDownMenu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_LEFTBUTTON,
                         corner.x, corner.y, 0, handle_, nullptr));
      if (command && OnMenuCommand) OnMenuCommand(command);
    }
  }
  if (OnMouseDown) OnMouseDown(button, shift, x, y);
}

void BaseButton::MouseUp(ui::MouseButton button, ui::ShiftState shift, int x, int y) {
  bool click = false;
  if (button == ui::MouseButton::Left && tracking_) {
    const POINT pt{x, y};
    RECT client;
    GetClientRect(handle_, &client);
    click = GetCapture() == handle_ && PtInRect(&client, pt);
    tracking_ = false;
    pressed_ = false;
    if (GetCapture() == handle_) ReleaseCapture();
    Repaint();
  }
  if (OnMouseUp) OnMouseUp(button, shift, x, y);
  if (click && Enabled()) {
    if (groupIndex_ != 0) SetDown(true);
    Click();
  }
}

LRESULT BaseButton::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto [x, y] = ui::PointOf(lParam);
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the button never takes the focus, nor activates its window
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const ui::MouseButton button = ui::MouseButtonOf(msg);
      const ui::ShiftState shift = ui::ShiftState::OfPress(msg, wParam);
      MouseDown(button, shift, x, y);
      if (msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick();
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const ui::MouseButton button = ui::MouseButtonOf(msg);
      MouseUp(button, ui::ShiftState::FromKeys(wParam), x, y);
      return 0;
    }
    case WM_MOUSEMOVE: {
      if (!mouseInside_) {
        mouseInside_ = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle_, 0};
        TrackMouseEvent(&track);
        if (flat_) Invalidate();
      }
      if (tracking_) {
        // Held on the button, the pressed look follows the pointer in and out.
        RECT client;
        GetClientRect(handle_, &client);
        const POINT pt{x, y};
        const bool inside = PtInRect(&client, pt) != FALSE;
        if (inside != pressed_) {
          pressed_ = inside;
          Repaint();
        }
      }
      if (OnMouseMove) OnMouseMove(ui::ShiftState::FromKeys(wParam), x, y);
      return 0;
    }
    case WM_MOUSELEAVE:
      mouseInside_ = false;
      if (flat_) Invalidate();
      return 0;
    case WM_CAPTURECHANGED:
      if (tracking_ && reinterpret_cast<HWND>(lParam) != handle_) {
        // Another window took the mouse: the press ends without a click.
        tracking_ = false;
        pressed_ = false;
        Repaint();
      }
      return 0;
    default: return ui::CustomControl::WndProc(msg, wParam, lParam);
  }
}

void BaseButton::Paint(HDC dc, const RECT& clip) { PaintTo(dc, clip); }

void BaseButton::PaintTo(HDC dc, const RECT& area) {
  RECT client;
  GetClientRect(handle_, &client);
  ui::MemoryDC memory(dc, client.right, client.bottom);
  PaintFace(memory, client);
  DrawCaptionAndGlyph(memory, client);
  DrawBevel(memory, client);
  memory.CopyTo(dc, area);
}

void BaseButton::PaintFace(HDC dc, const RECT& rect) { FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE)); }

void BaseButton::DrawCaptionAndGlyph(HDC dc, const RECT& client) {
  ui::SaveDCScope saved(dc);
  SelectObject(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  SIZE text{0, 0};
  // Measured as stored, the "&" included.
  if (!caption_.empty())
    GetTextExtentPoint32A(dc, caption_.c_str(), static_cast<int>(caption_.size()), &text);
  int gw = 0, gh = 0;
  if (const int n = NumGlyphs()) {
    BITMAP bm{};
    GetObjectA(glyph_.Get(), sizeof bm, &bm);
    gw = bm.bmWidth / n;
    gh = bm.bmHeight;
  }
  const int w = client.right, h = client.bottom, spacing = Scale(spacing_);
  int captionLeft = 0, captionTop = 0, glyphLeft = 0, glyphTop = 0;
  switch (layout_) {
    case blGlyphLeft:
      captionLeft = w / 2 - text.cx / 2 + gw / 2 + spacing;
      captionTop = h / 2 - text.cy / 2;
      glyphLeft = captionLeft - spacing - gw;
      glyphTop = h / 2 - gh / 2;
      break;
    case blGlyphRight:
      captionLeft = w / 2 - text.cx / 2 - gw / 2 - spacing;
      captionTop = h / 2 - text.cy / 2;
      glyphLeft = captionLeft + text.cx + spacing;
      glyphTop = h / 2 - gh / 2;
      break;
    case blGlyphTop:
      captionLeft = w / 2 - text.cx / 2;
      captionTop = h / 2 - text.cy / 2 + gh / 2 + spacing;
      glyphLeft = w / 2 - gw / 2;
      glyphTop = captionTop - spacing - gh;
      break;
    case blGlyphBottom:
      captionLeft = w / 2 - text.cx / 2;
      captionTop = h / 2 - text.cy / 2 - gh / 2 - spacing;
      glyphLeft = w / 2 - gw / 2;
      glyphTop = captionTop + text.cy + spacing;
      break;
  }
  if (gw > 0) DrawGlyph(dc, glyphLeft, glyphTop);
  const bool enabled = Enabled();
  if (!caption_.empty()) {
    const UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP;
    RECT r{captionLeft, captionTop, captionLeft + text.cx, captionTop + text.cy};
    if (enabled) {
      SetTextColor(dc, ui::ResolveColor(font_.Color()));
      DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, format);
    } else {
      SetTextColor(dc, kDisabledLight);
      DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, format);
      OffsetRect(&r, 2, 2);
      SetTextColor(dc, kDisabledDark);
      DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &r, format);
    }
  }
  if (dropDownMenu_ && markDropDown_) {
    // A small triangle pointing down, right of the caption.
    const int left = captionLeft + text.cx + 2, top = h / 2 - 1;
    const COLORREF color = enabled ? ui::ResolveColor(font_.Color()) : kDisabledDark;
    for (int row = 0; row < 3; ++row)
      FillSolid(dc, RECT{left + row, top + row, left + 5 - row, top + row + 1}, color);
  }
}

void BaseButton::DrawGlyph(HDC dc, int x, int y) {
  const int n = NumGlyphs();
  BITMAP bm{};
  GetObjectA(glyph_.Get(), sizeof bm, &bm);
  const int gw = bm.bmWidth / n, gh = bm.bmHeight;
  int index = 0;
  if (!Enabled() && n > 1) {
    index = 1;
  } else if ((pressed_ || down_) && n > 2) {
    index = 2;
  }
  std::vector<DWORD> pixels(static_cast<size_t>(bm.bmWidth) * gh);
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), bm.bmWidth, -gh, 1, 32, BI_RGB};
  {
    ui::WindowDC screen(nullptr);
    if (!GetDIBits(screen, glyph_.Get(), 0, static_cast<UINT>(gh), pixels.data(), &info, DIB_RGB_COLORS))
      return;
  }
  auto at = [&](int px, int py) {
    const DWORD p = pixels[static_cast<size_t>(py) * bm.bmWidth + index * gw + px] & 0xFFFFFF;
    return static_cast<COLORREF>(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  };
  const COLORREF transparent = at(0, gh - 1);
  // Flat and grey while the pointer is away: each pixel becomes the light or the shadow colour.
  const bool reduced = flat_ && grayedInactive_ && !mouseInside_;
  const COLORREF light = ui::ResolveColor(light_), shadow = ui::ResolveColor(shadow_);
  for (int py = 0; py < gh; ++py) {
    for (int px = 0; px < gw; ++px) {
      COLORREF c = at(px, py);
      if (c == transparent) continue;
      if (reduced)
        c = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100 < 128 ? shadow : light;
      SetPixelV(dc, x + px, y + py, c);
    }
  }
}

void BaseButton::DrawBevel(HDC dc, const RECT& client) {
  if (bevelWidth_ <= 0) return;
  const bool in = pressed_ || down_;
  if (flat_) {
    if (!mouseInside_ && !in) return;
    COLORREF topLeft = ui::ResolveColor(light_), bottomRight = ui::ResolveColor(shadow_);
    if (in) std::swap(topLeft, bottomRight);
    const int w = client.right, h = client.bottom, b = Scale(bevelWidth_);
    FillSolid(dc, RECT{0, 0, w, b}, topLeft);
    FillSolid(dc, RECT{0, 0, b, h}, topLeft);
    FillSolid(dc, RECT{0, h - b, w, h}, bottomRight);
    FillSolid(dc, RECT{w - b, 0, w, h}, bottomRight);
    return;
  }
  RECT r = client;
  if (in) {
    DrawEdge(dc, &r, BDR_SUNKENINNER, BF_TOP | BF_LEFT);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_BOTTOM | BF_RIGHT);
    InflateRect(&r, -1, -1);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_TOP | BF_LEFT);
  } else {
    DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_BOTTOM | BF_RIGHT);
    --r.right;
    --r.bottom;
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_TOP | BF_LEFT);
    ++r.left;
    ++r.top;
    DrawEdge(dc, &r, BDR_RAISEDINNER, BF_BOTTOM | BF_RIGHT);
  }
}

// --- GradientButton ----------------------------------------------------------------

GradientButton::GradientButton(ui::Control* parent, const std::string& caption, ui::Bounds bounds,
                               Options options)
    : BaseButton(parent, caption, bounds), vertical_(options.vertical) {
  SetLightColor(options.lightColor);
  SetShadowColor(options.shadowColor);
}

void GradientButton::SetVertical(bool vertical) {
  if (vertical == vertical_) return;
  vertical_ = vertical;
  Repaint();
}

void GradientButton::PaintFace(HDC dc, const RECT& rect) {
  if (LowColor() && !Paint256()) {
    BaseButton::PaintFace(dc, rect);
    return;
  }
  const COLORREF light = ui::ResolveColor(LightColor()), shadow = ui::ResolveColor(ShadowColor());
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  const int n = vertical_ ? height : width;
  if (!LowColor()) {
    // A one-pixel solid line from (i, 0) to (i, height), its end excluded, covers exactly
    // column (or row) i; the line for i = n falls outside. The face goes to the DC in one
    // block of true colours.
    if (width <= 0 || height <= 0) return;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    for (int i = 0; i < n; ++i) {
      const COLORREF c = GradientLineColor(light, shadow, n, i);
      const DWORD bgr = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
      if (vertical_) {
        std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(i) * width, width, bgr);
      } else {
        for (int y = 0; y < height; ++y) pixels[static_cast<size_t>(y) * width + i] = bgr;
      }
    }
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    SetDIBitsToDevice(dc, rect.left, rect.top, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    return;
  }
  // Low colour with Paint256: two-pixel inside-frame lines, a pen per colour.
  ui::Pen pen;
  ui::SelectObjectScope original(dc, GetStockObject(BLACK_PEN));
  COLORREF current = CLR_INVALID;
  for (int i = 0; i <= n; ++i) {
    const COLORREF color = GradientLineColor(light, shadow, n, i);
    if (color != current) {
      ui::Pen next(CreatePen(PS_INSIDEFRAME, 2, color));
      SelectObject(dc, next);
      pen = std::move(next);
      current = color;
    }
    if (vertical_) {
      MoveToEx(dc, rect.left, rect.top + i, nullptr);
      LineTo(dc, rect.left + width, rect.top + i);
    } else {
      MoveToEx(dc, rect.left + i, rect.top, nullptr);
      LineTo(dc, rect.left + i, rect.top + height);
    }
  }
}

}  // namespace tessarin
