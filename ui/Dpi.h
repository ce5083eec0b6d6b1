// Display scaling: every size given in pixels at 100 % goes through Scale to the window's DPI.
#pragma once
#include <windows.h>

#include "core/Bounds.h"

namespace ui {

// The pixels per inch at 100 % scaling: the unit every size of the forms is given in.
constexpr UINT kDefaultDpi = 96;

// A size in pixels at 100 % as pixels at the given DPI, rounded as MulDiv rounds; and
// back from the DPI's pixels to 100 %.
int Scale(int px, UINT dpi);
int Unscale(int px, UINT dpi);
// Each of left, top, width and height scaled on its own, so that a rectangle at 150 % is
// its 100 % rectangle x 1.5 within the rounding of one value.
Bounds Scale(const Bounds& bounds, UINT dpi);
// From one DPI to another (a window moved to another monitor).
int Rescale(int px, UINT toDpi, UINT fromDpi);

// The DPI of the primary screen (the system's DPI); 96 where the platform says nothing.
UINT SystemDpi();
// The DPI a window is drawn at: its monitor's with per-monitor awareness (Windows 10),
// the system's DPI where the platform has no per-window DPI (Vista, 7, 8).
UINT DpiForWindow(HWND hwnd);

// AdjustWindowRectEx for the given DPI (the frame and caption of a window on a monitor of
// that DPI); the system's metrics where the platform has no DPI-specific one.
BOOL AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi);
// GetSystemMetrics for the given DPI, likewise.
int SystemMetricForDpi(int index, UINT dpi);
// The program's icon resource at the size of the given metric (SM_CXSMICON, SM_CXICON) for
// the DPI, picked or scaled down from the resource's images; nullptr when it is missing.
// The caller owns the icon (DestroyIcon).
HICON LoadIconForDpi(const char* resource, int metric, UINT dpi);
// Lets the platform scale a top-level window's caption and frame with its monitor (needed
// under per-monitor awareness version 1 only; version 2 does it by itself). Call from
// WM_NCCREATE.
void EnableNonClientScaling(HWND hwnd);

}  // namespace ui
