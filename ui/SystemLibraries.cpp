// DLLs outside the system's known DLLs, loaded from the system folder only.
#include "ui/SystemLibraries.h"

#include <string>

#include "ui/ShellLibraries.h"

namespace ui {

void SecureDllSearch() {
  // Looked up, not imported: systems before Windows 8 (without KB2533623) lack it.
  BOOL(WINAPI * set)(DWORD);
  if (LoadProc(GetModuleHandleA("kernel32.dll"), set, "SetDefaultDllDirectories"))
    set(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // System DLLs may load these by bare name later (the common controls delay-load the
  // theme library), and not every loader applies the default directories to that: once
  // the system's own copies are loaded, a bare name finds them.
  for (const char* name : {"uxtheme.dll", "comctl32.dll", "riched20.dll"}) LoadSystemLibrary(name);
}

HMODULE LoadSystemLibrary(const char* name) {
  if (HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  // Systems that do not know the flag refuse it: name the system folder outright.
  char folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder) + "\\" + name;
  return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

const CommonControlsApi& CommonControls() {
  static const CommonControlsApi api = [] {
    CommonControlsApi a;
    HMODULE module = LoadSystemLibrary("comctl32.dll");
    LoadProc(module, a.InitCommonControlsEx, "InitCommonControlsEx");
    // The subclass functions are exported by name from version 6, by ordinal before.
    if (!LoadProc(module, a.SetWindowSubclass, "SetWindowSubclass"))
      LoadProc(module, a.SetWindowSubclass, MAKEINTRESOURCEA(410));
    if (!LoadProc(module, a.DefSubclassProc, "DefSubclassProc"))
      LoadProc(module, a.DefSubclassProc, MAKEINTRESOURCEA(413));
    if (a.InitCommonControlsEx) {
      INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_UPDOWN_CLASS |
                                               ICC_TAB_CLASSES | ICC_BAR_CLASSES};
      a.InitCommonControlsEx(&icc);
    }
    return a;
  }();
  return api;
}

namespace {
struct ThemeApi {
  decltype(&::GetWindowTheme) getWindowTheme = nullptr;
  decltype(&::DrawThemeBackground) drawThemeBackground = nullptr;
};
const ThemeApi& Theme() {
  static const ThemeApi api = [] {
    ThemeApi a;
    HMODULE module = LoadSystemLibrary("uxtheme.dll");
    LoadProc(module, a.getWindowTheme, "GetWindowTheme");
    LoadProc(module, a.drawThemeBackground, "DrawThemeBackground");
    return a;
  }();
  return api;
}
}  // namespace

HTHEME GetWindowTheme(HWND hwnd) {
  const ThemeApi& api = Theme();
  return api.getWindowTheme && api.drawThemeBackground ? api.getWindowTheme(hwnd) : nullptr;
}

HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip) {
  const ThemeApi& api = Theme();
  return api.drawThemeBackground ? api.drawThemeBackground(theme, dc, part, state, rect, clip) : E_NOTIMPL;
}

void LoadRichEdit() {
  static const HMODULE module = LoadSystemLibrary("riched20.dll");
  (void)module;
}

}  // namespace ui
