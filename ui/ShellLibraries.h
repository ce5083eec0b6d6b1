// The shell, OLE and common-dialog functions, from their system DLLs loaded on first use.
#pragma once
#include <windows.h>
// After windows.h:
#include <commdlg.h>
#include <objbase.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

namespace ui {

// Sets `function` to the function of that name (or ordinal) in the module, as the type it
// is declared with; to nullptr when the module or the function is missing. True when found.
template <typename F>
bool LoadProc(HMODULE module, F& function, const char* name) {
  function = module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
  return function != nullptr;
}

}  // namespace ui

// None of these is needed to show the main window: imported, their libraries (and all
// that they load) would be loaded before the program's first line. Each library is
// loaded from the system folder when one of its functions is first called; a function
// that cannot be found fails as the platform's call fails.
namespace ui::late {

// shell32.dll
BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data);
HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int showCommand);
HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, PIDLIST_ABSOLUTE* items);
BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE items, char* path);
HRESULT SHGetMalloc(IMalloc** malloc);

// ole32.dll
HRESULT OleInitialize(void* reserved);
void OleUninitialize();
HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect);
HRESULT CoInitializeEx(void* reserved, DWORD model);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);
void CoTaskMemFree(void* memory);

// oleaut32.dll
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
void VariantInit(VARIANT* variant);

// comdlg32.dll
BOOL ChooseColorA(CHOOSECOLORA* choose);
BOOL PrintDlgA(PRINTDLGA* print);

}  // namespace ui::late
