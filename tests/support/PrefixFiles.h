// Files of the Wine prefix that tests change (the settings file, the startup shortcut):
// read and written as bytes, and put back as they were when the test ends.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace testing_support {

// The whole file, or nothing when it cannot be read (missing, a folder, locked).
std::optional<std::string> ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
// Removes a file or an empty folder of that name.
void RemovePath(const std::string& path);

// A file in the Windows directory (where the private-profile functions keep a bare name).
std::string WindowsDirFile(const std::string& name);
// The current user's Startup folder, as the shell names it.
std::string StartupFolder();

// Takes a file out of the way for the length of a test and puts back what was there
// (or nothing) at the end, whatever the test left in its place.
class SavedFile {
 public:
  explicit SavedFile(std::string path);
  ~SavedFile();
  SavedFile(const SavedFile&) = delete;
  SavedFile& operator=(const SavedFile&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::optional<std::string> original_;
};

// Moves a folder aside for the length of a test and back at the end.
class FolderAside {
 public:
  explicit FolderAside(std::string path);
  ~FolderAside();
  FolderAside(const FolderAside&) = delete;
  FolderAside& operator=(const FolderAside&) = delete;
  bool Moved() const { return moved_; }

 private:
  std::string path_, aside_;
  bool moved_ = false;
};

}  // namespace testing_support
