// A copy of Tessarin.exe in a folder that also holds DLLs named like system DLLs (a
// downloads folder) loads none of them, and works.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/E2eSupport.h"

using namespace testing_support;

namespace {

const char* const kPlanted[] = {"riched20.dll", "uxtheme.dll", "comctl32.dll"};

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of("\\/") + 1); }

// Whether a process has a module loaded: by full path, or by file name anywhere.
bool HasModule(DWORD process, const std::string& path) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  const bool byName = path.find('\\') == std::string::npos;
  bool found = false;
  MODULEENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Module32First(snapshot, &entry); more && !found; more = Module32Next(snapshot, &entry))
    found = lstrcmpiA(byName ? entry.szModule : entry.szExePath, path.c_str()) == 0;
  CloseHandle(snapshot);
  return found;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Per-program DLL overrides in Wine's registry, removed again at the end.
class OverrideDlls {
 public:
  explicit OverrideDlls(std::initializer_list<const char*> programs) : programs_(programs) {
    for (const char* program : programs_) {
      HKEY key = nullptr;
      if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyOf(program).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
        continue;
      for (const char* dll : kPlanted) {
        const std::string name(dll, static_cast<size_t>(strchr(dll, '.') - dll));
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
      }
      RegCloseKey(key);
    }
  }
  ~OverrideDlls() {
    for (const char* program : programs_) {
      const std::string key = "Software\\Wine\\AppDefaults\\" + std::string(program);
      RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
    }
  }

 private:
  static std::string KeyOf(const char* program) {
    return "Software\\Wine\\AppDefaults\\" + std::string(program) + "\\DllOverrides";
  }
  std::vector<const char*> programs_;
};

TEST(PlantedDll, NoDllBesideTheProgramIsLoadedAndTheProgramWorks) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string plantedFrom = Folder(self) + "planted\\";
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder =
      std::string(temp) + "tessarin-planted-" + std::to_string(GetCurrentProcessId()) + "\\";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string exe = folder + "TessarinPlanted.exe";
  ASSERT_TRUE(CopyFileA(TessarinExe().c_str(), exe.c_str(), FALSE));
  for (const char* dll : kPlanted)
    ASSERT_TRUE(CopyFileA((plantedFrom + dll).c_str(), (folder + dll).c_str(), FALSE)) << dll;

  // Wine, told to prefer native DLLs for these two programs, searches as Windows does:
  // a DLL of the program's folder before the system's own.
  OverrideDlls overrides({"TessarinPlanted.exe", "probe.exe"});
  {
    ChildProcess program;
    ASSERT_TRUE(program.Start(exe));
    HWND main = program.WaitForVisibleWindow(e2e::kMainClass);
    ASSERT_NE(main, nullptr);
    // The composition box is a working rich edit: "A" picked in the grid and taken with
    // "&Select" reaches the HTML line through it.
    HWND grid = e2e::FindControl(main, {"TStringAlignGrid", nullptr});
    HWND select = e2e::FindControl(main, {"Button", "&Select"});
    ASSERT_NE(grid, nullptr);
    ASSERT_NE(select, nullptr);
    SetForegroundWindow(main);
    RECT g;
    GetWindowRect(grid, &g);
    ClickAt(g.left + 1 * 43 + 21, g.top + 2 * 43 + 21);  // "A": column 1, row 2 of 42-pixel cells
    const POINT at = e2e::CentreOf(select);
    ClickAt(at.x, at.y);
    HWND html = e2e::FindControl(main, {"Edit", nullptr, ES_READONLY, ES_READONLY});
    ASSERT_NE(html, nullptr);
    // Another process reads an edit's text with WM_GETTEXT (GetWindowText would not ask it).
    char text[16] = {};
    EXPECT_TRUE(PumpUntil([&] {
      SendMessageA(html, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
      return std::string(text) == "A";
    })) << text;
    // Wine's own start-up (its user32, before any code of the program runs) probes the
    // theme library by bare name and lets it go again: what counts is that the program
    // never loads one of them and none stays in its process.
    for (const char* dll : kPlanted) {
      if (std::string(dll) != "uxtheme.dll") {
        EXPECT_FALSE(Exists(folder + dll + ".loaded")) << dll << " was loaded";
      }
      EXPECT_FALSE(HasModule(program.Id(), folder + dll)) << dll << " is loaded";
    }
    EXPECT_TRUE(HasModule(program.Id(), "riched20.dll")) << "the system's rich edit is loaded";
  }
  // A program that searches the ordinary way, in the same folder and environment, does
  // load them: the folder really is the trap it is meant to be.
  const std::string probe = folder + "probe.exe";
  ASSERT_TRUE(CopyFileA((plantedFrom + "planted_probe.exe").c_str(), probe.c_str(), FALSE));
  {
    ChildProcess prober;
    ASSERT_TRUE(prober.Start(probe, -1, "riched20.dll uxtheme.dll comctl32.dll"));
    DWORD code = 1;
    ASSERT_TRUE(prober.WaitExit(code));
  }
  for (const char* dll : kPlanted)
    EXPECT_TRUE(Exists(folder + dll + ".loaded")) << dll << " was not found by the probe";
  DeleteFileA(probe.c_str());

  for (const char* dll : kPlanted) {
    DeleteFileA((folder + dll).c_str());
    DeleteFileA((folder + dll + ".loaded").c_str());
  }
  DeleteFileA(exe.c_str());
  EXPECT_TRUE(RemoveDirectoryA(folder.c_str()));
}

}  // namespace
