// The user's settings record, AppSettings, and its settings file "Tessarin.ini".
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "core/RecentChars.h"

namespace tessarin {

// The functions of the right and middle mouse buttons over the grid (the item indexes of
// the options dialog's radio groups).
enum MouseAction : std::uint8_t { maNone = 0, maMagnify = 1, maCopyRtf = 2, maCopyHtml = 3, maInsert = 4 };
// What a drag out of the grid carries.
enum DragMode : std::uint8_t { dmOff = 0, dmText = 1, dmTextHtml = 2 };

// Each byte may hold any value 0 to 255 after a load; values outside the enumerations
// select no behaviour.
struct ProgramSettings {
  std::uint8_t RMouseKey = 0;
  std::uint8_t MMouseKey = 0;
  std::uint8_t DragDrop = 0;
  // Texts[1] to Texts[10]; Texts[0] is unused, so the indexes read as the user counts.
  std::array<std::string, 11> Texts{};
  // The global hot key: modifiers × 256 + virtual key, as the hot-key control gives it;
  // 0 for none.
  std::uint16_t HotKey = 0;
};

// The settings file, by its bare name: the platform keeps it in the Windows directory.
constexpr const char* kSettingsFileName = "Tessarin.ini";

// The longest text a load gives back: a value is read into 1024 characters, its end
// included. The options dialog's fields take no more, so that nothing typed is cut later.
constexpr int kLongestText = 1023;

// One record for the whole run; zero and empty until the first LoadSettings.
extern ProgramSettings AppSettings;

// Reads the whole file into AppSettings, then tells every SettingsLoadWatch. Never fails:
// a missing file, key or number gives the defaults.
void LoadSettings();
// Whether LoadSettings has run in this process: a view of the settings made later shows
// what it read, one made before keeps its own choices.
bool SettingsLoaded();

// Runs its action after every LoadSettings for as long as it lives, so that a view of the
// settings (the options dialog) shows what was read also while it is hidden.
class SettingsLoadWatch {
 public:
  explicit SettingsLoadWatch(std::function<void()> loaded);
  ~SettingsLoadWatch();
  SettingsLoadWatch(const SettingsLoadWatch&) = delete;
  SettingsLoadWatch& operator=(const SettingsLoadWatch&) = delete;

 private:
  friend void LoadSettings();
  std::function<void()> loaded_;
};

// Writes all of AppSettings to the file, the three numbers first, then the ten texts, then
// the hot key, then the recently used characters once they have been read (a list still
// empty that the file lacks adds nothing); throws on the first key that cannot be written, leaving the keys
// written before it.
void SaveSettings();
// The characters that most recently left the program, most recent first, kept in the file
// as "[Recent]" "Characters=1F600,2192". Read the first time they are asked for, then held
// in memory: the show step does not read them again, or what was used since would be lost.
// A value that is not such a list gives what of it is valid, silently.
RecentChars& RecentlyUsed();
// Writes the list when it differs from what the file was last read or written with (at
// exit); throws as SaveSettings does.
void SaveRecentlyUsed();
// Drops the list held in memory unwritten, as a new run starts: the next ask reads the file.
void ForgetRecentlyUsed();

// Reads only the hot key (Ctrl+Alt+Shift+T when the file has none), for the start of a
// run that shows no window.
void LoadHotKeySetting();

}  // namespace tessarin
