// The startup shortcut that "Create a shortcut in Startup folder" writes, read back by
// another process through the shell's own link object and as bytes; a second press
// replaces it; without a Startup folder the user is told and nothing is written.
#include <gtest/gtest.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <cstring>

#include "tests/e2e/E2eInput.h"
#include "tests/support/PrefixFiles.h"

using namespace testing_support;

namespace {

constexpr const char* kButton2 = "Create a shortcut in Startup folder";

// What the shell reads from a shortcut file.
struct LinkSeen {
  bool loaded = false;
  std::string path, description, workingDir, arguments, iconLocation;
  int iconIndex = -1;
  WORD hotKey = 0xFFFF;
};

LinkSeen ReadLink(const std::string& file) {
  LinkSeen seen;
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return seen;
  IPersistFile* persist = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
      seen.loaded = true;
      char text[MAX_PATH] = {};
      link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
      seen.path = text;
      text[0] = 0;
      link->GetDescription(text, MAX_PATH);
      seen.description = text;
      text[0] = 0;
      link->GetWorkingDirectory(text, MAX_PATH);
      seen.workingDir = text;
      text[0] = 0;
      link->GetArguments(text, MAX_PATH);
      seen.arguments = text;
      text[0] = 0;
      link->GetIconLocation(text, MAX_PATH, &seen.iconIndex);
      seen.iconLocation = text;
      link->GetHotkey(&seen.hotKey);
    }
    persist->Release();
  }
  link->Release();
  return seen;
}

// The show command as the file stores it (the header's field at 0x3C); the shell's
// reader answers 1 for a stored 7 under Wine.
int StoredShowCommand(const std::string& bytes) {
  if (bytes.size() < 0x40) return -1;
  DWORD value = 0;
  memcpy(&value, bytes.data() + 0x3C, sizeof value);
  return static_cast<int>(value);
}

class StartupShortcut : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitialize(nullptr);
    ASSERT_TRUE(program.Start(TessarinExe()));
    main = program.WaitForVisibleWindow(e2e::kMainClass);
    ASSERT_NE(main, nullptr);
    e2e::ClickCentre(FindChildByText(main, "&Options", "Button"));
    ASSERT_TRUE(PumpUntil([&] {
      dialog = FindProcessWindow(program.Id(), "TInfo_dlg");
      return dialog && IsWindowVisible(dialog);
    }));
    button = FindChildByText(dialog, kButton2, "Button");
    ASSERT_NE(button, nullptr);
  }
  void TearDown() override {
    program.Terminate();
    CoUninitialize();
  }

  std::string RunningExe() {
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    QueryFullProcessImageNameA(program.Process(), 0, path, &size);
    return path;
  }

  SavedFile lnk{StartupFolder() + "\\Tessarin.lnk"};
  ChildProcess program;
  HWND main = nullptr, dialog = nullptr, button = nullptr;
};

TEST_F(StartupShortcut, StartsTheRunningProgramMinimisedAndASecondPressReplacesIt) {
  e2e::ClickCentre(button);
  ASSERT_TRUE(PumpUntil([&] { return ReadBytes(lnk.Path()).value_or("").size() > 0x4C; }));
  for (int press = 1; press <= 2; ++press) {
    const LinkSeen seen = ReadLink(lnk.Path());
    ASSERT_TRUE(seen.loaded) << "press " << press;
    EXPECT_EQ(_stricmp(seen.path.c_str(), RunningExe().c_str()), 0) << seen.path << " / " << RunningExe();
    EXPECT_EQ(seen.description, "Tessarin");
    EXPECT_EQ(seen.workingDir, "");
    EXPECT_EQ(seen.arguments, "");
    EXPECT_EQ(seen.iconLocation, "");
    EXPECT_EQ(seen.hotKey, 0);
    EXPECT_EQ(StoredShowCommand(*ReadBytes(lnk.Path())), SW_SHOWMINNOACTIVE);
    EXPECT_EQ(e2e::FindMessageBox(program.Id()).box, nullptr);
    if (press == 2) break;
    // Spoil the file: the second press writes it anew.
    ASSERT_TRUE(WriteBytes(lnk.Path(), "spoilt"));
    e2e::ClickCentre(button);
    ASSERT_TRUE(PumpUntil([&] { return ReadBytes(lnk.Path()).value_or("").size() > 0x4C; }));
  }
  EXPECT_TRUE(IsWindowVisible(dialog));
}

TEST_F(StartupShortcut, WithoutAStartupFolderTellsTheUserAndWritesNothing) {
  char cwd[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, cwd);
  // Wherever a shortcut without its folder could land: the root of the current drive.
  SavedFile driveRoot{std::string(cwd, 2) + "\\Tessarin.lnk"};
  SavedFile cRoot{"C:\\Tessarin.lnk"};
  FolderAside startup{StartupFolder()};
  ASSERT_TRUE(startup.Moved());

  e2e::ClickCentre(button);
  ASSERT_TRUE(PumpUntil([&] { return e2e::FindMessageBox(program.Id()).box != nullptr; }));
  const e2e::MessageBoxSeen box = e2e::FindMessageBox(program.Id());
  EXPECT_EQ(box.caption, "Tessarin");
  EXPECT_EQ(box.text, "Unable to create .lnk file.");
  PostMessageA(box.box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return e2e::FindMessageBox(program.Id()).box == nullptr; }));
  EXPECT_FALSE(Exists(driveRoot.Path()));
  EXPECT_FALSE(Exists(cRoot.Path()));
  EXPECT_FALSE(Exists(lnk.Path()));
  // The dialog stays open.
  EXPECT_TRUE(IsWindowVisible(dialog));
}

}  // namespace
