// The shell, OLE and common-dialog functions, from their system DLLs loaded on first use.
#include "ui/ShellLibraries.h"

#include "ui/ComScope.h"
#include "ui/SystemLibraries.h"

namespace ui::late {
namespace {

// The function of that name in the DLL of the system folder (each is looked up once, by
// its caller's static); nullptr when either is missing.
template <typename F>
F Find(const char* dll, const char* name) {
  F function;
  LoadProc(LoadSystemLibrary(dll), function, name);
  return function;
}

constexpr const char* kShell = "shell32.dll";
constexpr const char* kOle = "ole32.dll";
constexpr const char* kOleAutomation = "oleaut32.dll";
constexpr const char* kDialogs = "comdlg32.dll";

}  // namespace

BOOL Shell_NotifyIconA(DWORD message, NOTIFYICONDATAA* data) {
  static const auto f = Find<decltype(&::Shell_NotifyIconA)>(kShell, "Shell_NotifyIconA");
  return f ? f(message, data) : FALSE;
}

HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int showCommand) {
  static const auto f = Find<decltype(&::ShellExecuteA)>(kShell, "ShellExecuteA");
  // What the platform returns for a missing function: a value of 32 or less is an error.
  return f ? f(owner, verb, file, parameters, directory, showCommand)
           : reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_DLLNOTFOUND));
}

HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, PIDLIST_ABSOLUTE* items) {
  static const auto f = Find<decltype(&::SHGetSpecialFolderLocation)>(kShell, "SHGetSpecialFolderLocation");
  return f ? f(owner, folder, items) : E_NOTIMPL;
}

BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE items, char* path) {
  static const auto f = Find<decltype(&::SHGetPathFromIDListA)>(kShell, "SHGetPathFromIDListA");
  return f ? f(items, path) : FALSE;
}

HRESULT SHGetMalloc(IMalloc** malloc) {
  static const auto f = Find<decltype(&::SHGetMalloc)>(kShell, "SHGetMalloc");
  return f ? f(malloc) : E_NOTIMPL;
}

HRESULT OleInitialize(void* reserved) {
  static const auto f = Find<decltype(&::OleInitialize)>(kOle, "OleInitialize");
  return f ? f(reserved) : E_NOTIMPL;
}

void OleUninitialize() {
  static const auto f = Find<decltype(&::OleUninitialize)>(kOle, "OleUninitialize");
  if (f) f();
}

HRESULT DoDragDrop(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect) {
  static const auto f = Find<decltype(&::DoDragDrop)>(kOle, "DoDragDrop");
  return f ? f(data, source, allowedEffects, effect) : E_NOTIMPL;
}

HRESULT CoInitializeEx(void* reserved, DWORD model) {
  static const auto f = Find<decltype(&::CoInitializeEx)>(kOle, "CoInitializeEx");
  return f ? f(reserved, model) : E_NOTIMPL;
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
  static const auto f = Find<decltype(&::SysAllocStringLen)>(kOleAutomation, "SysAllocStringLen");
  return f ? f(text, length) : nullptr;
}

void VariantInit(VARIANT* variant) {
  // What the platform's does, without loading its library for it.
  variant->vt = VT_EMPTY;
}

void CoUninitialize() {
  static const auto f = Find<decltype(&::CoUninitialize)>(kOle, "CoUninitialize");
  if (f) f();
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object) {
  static const auto f = Find<decltype(&::CoCreateInstance)>(kOle, "CoCreateInstance");
  return f ? f(clsid, outer, context, iid, object) : REGDB_E_CLASSNOTREG;
}

void CoTaskMemFree(void* memory) {
  static const auto f = Find<decltype(&::CoTaskMemFree)>(kOle, "CoTaskMemFree");
  if (f) f(memory);
}

BOOL ChooseColorA(CHOOSECOLORA* choose) {
  static const auto f = Find<decltype(&::ChooseColorA)>(kDialogs, "ChooseColorA");
  return f ? f(choose) : FALSE;
}

BOOL PrintDlgA(PRINTDLGA* print) {
  static const auto f = Find<decltype(&::PrintDlgA)>(kDialogs, "PrintDlgA");
  return f ? f(print) : FALSE;
}

}  // namespace ui::late

namespace ui {

ComScope::ComScope() : result_(late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

ComScope::~ComScope() {
  if (SUCCEEDED(result_)) late::CoUninitialize();
}

}  // namespace ui
