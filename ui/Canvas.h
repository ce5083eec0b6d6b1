// Scope guards for device contexts and GDI objects: every DC and GDI object frees itself.
#pragma once
#include <windows.h>

#include <utility>

namespace ui {

// A GDI object owned by its holder (a pen, brush, font, bitmap or region), deleted when
// the holder goes. Moves, never copies.
template <typename T>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(T handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  T Get() const { return handle_; }
  operator T() const { return handle_; }  // NOLINT: passes straight into GDI calls
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(T handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }
  T Release() { return std::exchange(handle_, nullptr); }

 private:
  T handle_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using GdiFont = GdiObject<HFONT>;
using Region = GdiObject<HRGN>;

// Selects an object into a DC and selects the previous one back at scope end.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~SelectObjectScope() {
    if (old_) SelectObject(dc_, old_);
  }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Saves the whole DC state (objects, modes, colours, clipping) and restores it.
class SaveDCScope {
 public:
  explicit SaveDCScope(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SaveDCScope() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SaveDCScope(const SaveDCScope&) = delete;
  SaveDCScope& operator=(const SaveDCScope&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// GetDC / GetWindowDC and ReleaseDC. A null window gives the screen DC.
class WindowDC {
 public:
  enum Area { Client, Window };
  explicit WindowDC(HWND hwnd, Area area = Client)
      : hwnd_(hwnd), dc_(area == Window ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint and EndPaint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT
  const RECT& Rect() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  HDC dc_ = nullptr;
  PAINTSTRUCT ps_{};
};

// A DC of our own (CreateCompatibleDC, or one a dialog handed over), deleted at scope end.
class OwnedDC {
 public:
  explicit OwnedDC(HDC dc) : dc_(dc) {}
  ~OwnedDC() {
    if (dc_) DeleteDC(dc_);
  }
  OwnedDC(const OwnedDC&) = delete;
  OwnedDC& operator=(const OwnedDC&) = delete;
  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT

 private:
  HDC dc_;
};

// A memory DC compatible with another DC (the screen when null).
class CompatibleDC : public OwnedDC {
 public:
  explicit CompatibleDC(HDC compatible) : OwnedDC(CreateCompatibleDC(compatible)) {}
};

// A memory DC compatible with another DC, holding a bitmap of a given size selected
// into it for its whole life: draw off screen, then CopyTo in one block.
class MemoryDC {
 public:
  MemoryDC(HDC compatible, int width, int height)
      : dc_(compatible),
        bitmap_(CreateCompatibleBitmap(compatible, width > 0 ? width : 1, height > 0 ? height : 1)),
        select_(dc_, bitmap_),
        width_(width),
        height_(height) {}
  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }  // NOLINT
  HBITMAP BitmapHandle() const { return bitmap_; }
  // Copies the rectangle of this DC onto another DC at the same place.
  void CopyTo(HDC target, const RECT& rect) const {
    BitBlt(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, dc_, rect.left,
           rect.top, SRCCOPY);
  }
  void CopyTo(HDC target) const { BitBlt(target, 0, 0, width_, height_, dc_, 0, 0, SRCCOPY); }

 private:
  // Declared in the order of their making; they go in the reverse: the bitmap is
  // selected out before it is deleted, and the DC goes last.
  CompatibleDC dc_;
  Bitmap bitmap_;
  SelectObjectScope select_;
  int width_, height_;
};

}  // namespace ui
