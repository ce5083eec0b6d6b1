// The framing bevel and the image control.
#pragma once
#include <windows.h>

#include <functional>

#include "ui/Canvas.h"
#include "ui/StdCtrls.h"

namespace ui {

// A lowered frame around a group of controls; it takes no input.
class Bevel : public Control {
 public:
  Bevel(Control* parent, Bounds bounds);

 protected:
  // The static frame paints only its edges: its inside takes the parent's background, which
  // a parent that clips its children never paints there.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A picture: a bitmap it owns or an icon, drawn at its top-left corner on the parent's
// background. Mouse presses on it are reported with their client position.
class Image : public CustomControl {
 public:
  Image(Control* parent, Bounds bounds);
  // Takes ownership of the bitmap.
  void SetBitmap(HBITMAP bitmap);
  HBITMAP BitmapHandle() const { return bitmap_.Get(); }
  // The icon stays owned by the caller (a shared resource icon).
  void SetIcon(HICON icon);

  std::function<void(MouseButton button, ShiftState shift, int x, int y)> OnMouseDown;

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  Bitmap bitmap_;
  HICON icon_ = nullptr;
};

}  // namespace ui
