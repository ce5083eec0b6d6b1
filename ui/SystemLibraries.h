// DLLs outside the system's known DLLs, loaded from the system folder only.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

namespace ui {

// Makes the system folder the only place LoadLibrary looks for DLLs (where the system
// has SetDefaultDllDirectories). Call first thing in WinMain: a DLL of a common name
// beside the program (a downloads folder) must never be loaded into it.
void SecureDllSearch();

// Loads a DLL from the system folder, never from the program's folder or the current
// one; nullptr when it is not there.
HMODULE LoadSystemLibrary(const char* name);

// The common controls' functions, from comctl32.dll of the system folder (not a known
// DLL, so it is never imported statically). Loading it also starts the common controls'
// classes. The subclass chain's functions are there for code that must share a window
// with another library's hook; the toolkit itself stays out of that chain (ui/Control.cpp).
struct CommonControlsApi {
  decltype(&::InitCommonControlsEx) InitCommonControlsEx = nullptr;
  decltype(&::SetWindowSubclass) SetWindowSubclass = nullptr;
  decltype(&::DefSubclassProc) DefSubclassProc = nullptr;
};
const CommonControlsApi& CommonControls();

// The theme library's drawing, where there is one; the functions answer "no theme"
// when uxtheme.dll is missing.
HTHEME GetWindowTheme(HWND hwnd);
HRESULT DrawThemeBackground(HTHEME theme, HDC dc, int part, int state, const RECT* rect, const RECT* clip);

// The rich edit control's window class ("RichEdit20A"), registered once.
void LoadRichEdit();

}  // namespace ui
