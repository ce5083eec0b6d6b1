// ShortcutLink: writes a shell shortcut through the platform's shell-link object.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "core/ShortcutProps.h"
#include "ui/Exception.h"

namespace ui {
class Form;
}

namespace tessarin {

// Raised when the shortcut file cannot be written.
class EShortcutError : public ui::Exception {
 public:
  EShortcutError() : ui::Exception("Unable to create .lnk file") {}
};

// A component without a window, owned by a form, whose window it passes to the folder
// lookup. The strings go into the shortcut as they are, an empty one as an empty string.
class ShortcutLink {
 public:
  explicit ShortcutLink(ui::Form& owner) : owner_(owner) {}

  std::string ShortcutFile;
  std::string Target;
  std::string WorkingDir;
  std::string Description;
  std::string Arguments;
  std::string IconLocation;
  std::uint16_t IconNumber = 0;

  // One character; " " for none. Kept as the upper-case character code.
  std::string HotKey() const { return ReadHotKey(hotKey_); }
  void SetHotKey(const std::string& key) { hotKey_ = StoreHotKey(key); }
  // Kept as the platform's show command (3, 7 or 9).
  ShowCommand ShowCmd() const { return ReadShowCmd(showCmd_); }
  void SetShowCmd(ShowCommand value) { showCmd_ = StoreShowCmd(value, showCmd_); }

  // Writes ShortcutFile anew (an existing file is replaced). Throws EShortcutError when
  // the file cannot be saved, and the platform's error when the shell-link object or one
  // of its interfaces cannot be had.
  void CreateShortcut();

  // The path of a special folder (a CSIDL_ number), empty when it cannot be found.
  std::string GetSpecialFolder(int folder) const;
  // The current user's Startup folder.
  std::string GetStartupFolder() const;

 private:
  ui::Form& owner_;
  std::uint16_t hotKey_ = 0;
  int showCmd_ = 0;
};

}  // namespace tessarin
