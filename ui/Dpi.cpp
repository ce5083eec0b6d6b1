// Display scaling: the one scaling function and the per-monitor calls, looked up at run time.
#include "ui/Dpi.h"

#include "ui/ShellLibraries.h"
#include "core/Units.h"

namespace ui {
namespace {

// The per-monitor functions exist from Windows 10 on; an import of them would keep the
// program from starting on Vista and 7, so they are looked up once in user32.
struct PerMonitorApi {
  UINT(WINAPI* GetDpiForWindow)(HWND) = nullptr;
  UINT(WINAPI* GetDpiForSystem)() = nullptr;
  BOOL(WINAPI* AdjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;
  int(WINAPI* GetSystemMetricsForDpi)(int, UINT) = nullptr;
  BOOL(WINAPI* EnableNonClientDpiScaling)(HWND) = nullptr;
};

const PerMonitorApi& PerMonitor() {
  static const PerMonitorApi api = [] {
    PerMonitorApi a;
    if (HMODULE user32 = GetModuleHandleA("user32.dll")) {
      LoadProc(user32, a.GetDpiForWindow, "GetDpiForWindow");
      LoadProc(user32, a.GetDpiForSystem, "GetDpiForSystem");
      LoadProc(user32, a.AdjustWindowRectExForDpi, "AdjustWindowRectExForDpi");
      LoadProc(user32, a.GetSystemMetricsForDpi, "GetSystemMetricsForDpi");
      LoadProc(user32, a.EnableNonClientDpiScaling, "EnableNonClientDpiScaling");
    }
    return a;
  }();
  return api;
}

}  // namespace

int Scale(int px, UINT dpi) { return MulDivRound(px, static_cast<int>(dpi), static_cast<int>(kDefaultDpi)); }

int Unscale(int px, UINT dpi) {
  return dpi ? MulDivRound(px, static_cast<int>(kDefaultDpi), static_cast<int>(dpi)) : px;
}

Bounds Scale(const Bounds& b, UINT dpi) {
  return {Scale(b.left, dpi), Scale(b.top, dpi), Scale(b.width, dpi), Scale(b.height, dpi)};
}

int Rescale(int px, UINT toDpi, UINT fromDpi) {
  return fromDpi ? MulDivRound(px, static_cast<int>(toDpi), static_cast<int>(fromDpi)) : px;
}

UINT SystemDpi() {
  static const UINT dpi = [] {
    if (PerMonitor().GetDpiForSystem) {
      if (const UINT value = PerMonitor().GetDpiForSystem()) return value;
    }
    HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? static_cast<UINT>(value) : kDefaultDpi;
  }();
  return dpi;
}

UINT DpiForWindow(HWND hwnd) {
  if (hwnd && PerMonitor().GetDpiForWindow) {
    if (const UINT value = PerMonitor().GetDpiForWindow(hwnd)) return value;
  }
  return SystemDpi();
}

BOOL AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD exStyle, UINT dpi) {
  if (PerMonitor().AdjustWindowRectExForDpi)
    return PerMonitor().AdjustWindowRectExForDpi(rect, style, FALSE, exStyle, dpi);
  return AdjustWindowRectEx(rect, style, FALSE, exStyle);
}

int SystemMetricForDpi(int index, UINT dpi) {
  if (PerMonitor().GetSystemMetricsForDpi) return PerMonitor().GetSystemMetricsForDpi(index, dpi);
  return GetSystemMetrics(index);
}

HICON LoadIconForDpi(const char* resource, int metric, UINT dpi) {
  const int size = SystemMetricForDpi(metric, dpi);
  // Where the system has no metric for another DPI than its own, the 100 % size scaled.
  const int width = size > 0 && (PerMonitor().GetSystemMetricsForDpi || dpi == SystemDpi())
                        ? size
                        : Scale(metric == SM_CXSMICON ? 16 : 32, dpi);
  return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), resource, IMAGE_ICON, width, width, 0));
}

void EnableNonClientScaling(HWND hwnd) {
  if (PerMonitor().EnableNonClientDpiScaling) PerMonitor().EnableNonClientDpiScaling(hwnd);
}

}  // namespace ui
