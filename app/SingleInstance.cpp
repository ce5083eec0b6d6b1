// The single-instance check and the tag by which a second start finds the first.
#include "app/SingleInstance.h"

#include "core/InstanceName.h"
#include "ui/Form.h"

namespace tessarin {

const char* const SingleInstance::kInstanceProp = "Tessarin.Instance";

PreviousInstance& PreviousInstance::Instance() {
  static PreviousInstance instance;
  return instance;
}

PreviousInstance::PreviousInstance() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  programFileName_ = tessarin::ProgramFileName(path);
  // Initial ownership requested; the name is the file name, extension included.
  mutexHandle_ = CreateMutexA(nullptr, TRUE, programFileName_.c_str());
  if (mutexHandle_ && GetLastError() == ERROR_ALREADY_EXISTS) {
    alreadyRunning_ = true;
    CloseHandle(mutexHandle_);
    mutexHandle_ = nullptr;
  }
}

PreviousInstance::~PreviousInstance() {
  if (mutexHandle_) CloseHandle(mutexHandle_);
}

UINT ActivateInstanceMessage() {
  static const UINT message = RegisterWindowMessageA("Tessarin.ActivateInstance");
  return message;
}

namespace {

struct Search {
  DWORD ownProcess;
  std::uint32_t tag;
  HWND found;
};

BOOL CALLBACK SearchWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process == search->ownProcess) return TRUE;
  const auto tag = reinterpret_cast<std::uintptr_t>(GetPropA(hwnd, SingleInstance::kInstanceProp));
  if (tag != 0 && static_cast<std::uint32_t>(tag) == search->tag) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND SingleInstance::FindFirstInstanceWindow(const std::string& programFileName) {
  Search search{GetCurrentProcessId(), InstanceTag(programFileName), nullptr};
  EnumWindows(&SearchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

SingleInstance::SingleInstance(ui::Form& owner) : window_(owner.Handle()) {
  // A second instance never gets here: the program entry hands it over and ends it
  // before any window exists.
  SetPropA(window_, kInstanceProp,
           reinterpret_cast<HANDLE>(
               static_cast<std::uintptr_t>(InstanceTag(PreviousInstance::Instance().ProgramFileName()))));
}

SingleInstance::~SingleInstance() {
  // A property left on a window holds a reference to its global atom.
  if (window_ && IsWindow(window_)) RemovePropA(window_, kInstanceProp);
}

void SingleInstance::ActivateFirstInstance(const std::string& programFileName) {
  // The first instance comes forward by itself: it knows how to show its window from
  // the notification area.
  if (HWND first = FindFirstInstanceWindow(programFileName)) {
    DWORD process = 0;
    GetWindowThreadProcessId(first, &process);
    AllowSetForegroundWindow(process);
    PostMessageA(first, ActivateInstanceMessage(), 0, 0);
  }
}

}  // namespace tessarin
