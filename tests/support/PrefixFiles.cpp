// Files of the Wine prefix that tests change, put back as they were.
#include "tests/support/PrefixFiles.h"

#include <shlobj.h>

#include <utility>

namespace testing_support {

std::optional<std::string> ReadBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemovePath(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    RemoveDirectoryA(path.c_str());
  } else {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
}

std::string WindowsDirFile(const std::string& name) {
  char dir[MAX_PATH] = {};
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\" + name;
}

std::string StartupFolder() {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

SavedFile::SavedFile(std::string path) : path_(std::move(path)), original_(ReadBytes(path_)) {
  RemovePath(path_);
}

SavedFile::~SavedFile() {
  RemovePath(path_);
  if (original_) WriteBytes(path_, *original_);
}

FolderAside::FolderAside(std::string path) : path_(std::move(path)), aside_(path_ + ".aside-for-test") {
  moved_ = MoveFileA(path_.c_str(), aside_.c_str()) != FALSE;
}

FolderAside::~FolderAside() {
  if (!moved_) return;
  RemovePath(path_);  // an empty folder made meanwhile gives way to the original
  MoveFileA(aside_.c_str(), path_.c_str());
}

}  // namespace testing_support
