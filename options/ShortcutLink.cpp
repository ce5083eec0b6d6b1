// ShortcutLink: the shell-link object filled through IShellLinkA, saved through
// IPersistFile.
#include "options/ShortcutLink.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <utility>

#include "ui/Exception.h"
#include "ui/Form.h"
#include "ui/ShellLibraries.h"
#include "ui/WideText.h"

namespace tessarin {
namespace {

// An interface pointer released when it goes, on every path.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (p_) p_->Release();
  }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  void** Out() { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

// An item list from the shell, freed with the task allocator.
class ItemList {
 public:
  ItemList() = default;
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;
  ~ItemList() { ui::late::CoTaskMemFree(p_); }
  PIDLIST_ABSOLUTE* Out() { return &p_; }
  PIDLIST_ABSOLUTE Get() const { return p_; }

 private:
  PIDLIST_ABSOLUTE p_ = nullptr;
};

// The platform's COM error: its own text for the code.
[[noreturn]] void ThrowComError(HRESULT hr) {
  std::string message = ui::SystemMessage(static_cast<DWORD>(hr));
  if (message.empty()) {
    char code[32];
    wsprintfA(code, "OLE error %08X", static_cast<unsigned>(hr));
    message = code;
  }
  throw ui::Exception(message);
}

}  // namespace

std::string ShortcutLink::GetSpecialFolder(int folder) const {
  ItemList items;
  if (FAILED(ui::late::SHGetSpecialFolderLocation(owner_.Handle(), folder, items.Out()))) return {};
  char path[MAX_PATH] = {};
  ui::late::SHGetPathFromIDListA(items.Get(), path);
  return path;
}

std::string ShortcutLink::GetStartupFolder() const { return GetSpecialFolder(CSIDL_STARTUP); }

void ShortcutLink::CreateShortcut() {
  ComRef<IUnknown> object;
  HRESULT hr = ui::late::CoCreateInstance(
      CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown, object.Out());
  if (FAILED(hr)) ThrowComError(hr);
  ComRef<IShellLinkA> link;
  hr = object->QueryInterface(IID_IShellLinkA, link.Out());
  if (FAILED(hr)) ThrowComError(hr);

  link->SetPath(Target.c_str());
  link->SetWorkingDirectory(WorkingDir.c_str());
  link->SetArguments(Arguments.c_str());
  link->SetDescription(Description.c_str());
  link->SetShowCmd(showCmd_);
  if (const WORD hotKey = HotKeyWord(hotKey_)) link->SetHotkey(hotKey);
  link->SetIconLocation(IconLocation.c_str(), IconNumber);

  ComRef<IPersistFile> file;
  hr = object->QueryInterface(IID_IPersistFile, file.Out());
  if (FAILED(hr)) ThrowComError(hr);
  const std::u16string path = ui::FromAnsi(ShortcutFile);
  if (file->Save(reinterpret_cast<const wchar_t*>(path.c_str()), TRUE) != S_OK) throw EShortcutError();
}

}  // namespace tessarin
