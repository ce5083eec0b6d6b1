// The settings record and its settings file.
#include "app/Settings.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/HotKeyCode.h"
#include "core/ProfileNumber.h"
#include "ui/Exception.h"

namespace tessarin {

ProgramSettings AppSettings;

namespace {

// One settings file for the length of one load or save: it holds only the name, and
// every read and write goes to the file itself.
class IniFile {
 public:
  explicit IniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  // At most kLongestText characters: a longer value (a file written by hand, or by
  // someone else) comes back cut to its start, and no file makes a load cost more.
  std::string ReadString(const char* section, const char* key, const std::string& defaultValue) const {
    char buffer[kLongestText + 1];
    const DWORD got = GetPrivateProfileStringA(section, key, defaultValue.c_str(), buffer, sizeof buffer,
                                               fileName_.c_str());
    return std::string(buffer, std::min<DWORD>(got, kLongestText));
  }

  // A value read whole up to a few kilobytes; `cut` says that it was longer.
  std::string ReadLong(const char* section, const char* key, bool& cut) const {
    std::string buffer(4096, '\0');
    const DWORD got = GetPrivateProfileStringA(section, key, "", buffer.data(),
                                               static_cast<DWORD>(buffer.size()), fileName_.c_str());
    cut = got + 1 >= buffer.size();
    buffer.resize(std::min<size_t>(got, buffer.size() - 1));
    return buffer;
  }

  std::int32_t ReadInteger(const char* section, const char* key, std::int32_t defaultValue) const {
    return ProfileInteger(ReadString(section, key, ""), defaultValue);
  }

  void WriteString(const char* section, const char* key, const std::string& value) const {
    if (!WritePrivateProfileStringA(section, key, value.c_str(), fileName_.c_str()))
      throw ui::Exception(SettingsWriteError(fileName_));
  }

 private:
  std::string fileName_;
};

constexpr const char* kMain = "Main";
constexpr const char* kText = "Text";

std::string TextKey(size_t i) { return "Text" + std::to_string(i); }

std::uint8_t LoadByte(const IniFile& ini, const char* key, std::int32_t defaultValue) {
  return LowByte(ini.ReadInteger(kMain, key, defaultValue));
}

bool loaded = false;

std::vector<SettingsLoadWatch*>& Watches() {
  static std::vector<SettingsLoadWatch*> watches;
  return watches;
}

constexpr const char* kRecent = "Recent";
constexpr const char* kRecentKey = "Characters";

// The recently used characters and the list the file held when last read or written.
struct RecentStore {
  RecentChars list;
  std::vector<char32_t> inFile;
  bool read = false;
};

RecentStore& Recent() {
  static RecentStore store;
  return store;
}

void WriteRecentlyUsed(bool evenUnchanged) {
  RecentStore& store = Recent();
  if (!store.read) return;
  const std::vector<char32_t> now(store.list.Chars().begin(), store.list.Chars().end());
  if (now == store.inFile && !(evenUnchanged && !now.empty())) return;
  IniFile(kSettingsFileName).WriteString(kRecent, kRecentKey, FormatRecentChars(now));
  store.inFile = now;
}

}  // namespace

SettingsLoadWatch::SettingsLoadWatch(std::function<void()> loaded) : loaded_(std::move(loaded)) {
  Watches().push_back(this);
}

SettingsLoadWatch::~SettingsLoadWatch() { std::erase(Watches(), this); }

bool SettingsLoaded() { return loaded; }

void LoadSettings() {
  loaded = true;
  const IniFile ini(kSettingsFileName);
  AppSettings.RMouseKey = LoadByte(ini, "RMouseKey", maMagnify);
  AppSettings.MMouseKey = LoadByte(ini, "MMouseKey", maCopyRtf);
  AppSettings.DragDrop = LoadByte(ini, "DragDrop", dmTextHtml);
  for (size_t i = 1; i < AppSettings.Texts.size(); ++i)
    AppSettings.Texts[i] = ini.ReadString(kText, TextKey(i).c_str(), "");
  LoadHotKeySetting();
  for (SettingsLoadWatch* watch : Watches())
    if (watch->loaded_) watch->loaded_();
}

void LoadHotKeySetting() {
  AppSettings.HotKey = HotKeySetting(IniFile(kSettingsFileName).ReadInteger(kMain, "Hotkey", kDefaultHotKey));
}

void SaveSettings() {
  const IniFile ini(kSettingsFileName);
  ini.WriteString(kMain, "RMouseKey", std::to_string(AppSettings.RMouseKey));
  ini.WriteString(kMain, "MMouseKey", std::to_string(AppSettings.MMouseKey));
  ini.WriteString(kMain, "DragDrop", std::to_string(AppSettings.DragDrop));
  for (size_t i = 1; i < AppSettings.Texts.size(); ++i)
    ini.WriteString(kText, TextKey(i).c_str(), ProfileValueFor(AppSettings.Texts[i]));
  ini.WriteString(kMain, "Hotkey", std::to_string(AppSettings.HotKey));
  WriteRecentlyUsed(true);
}

RecentChars& RecentlyUsed() {
  RecentStore& store = Recent();
  if (!store.read) {
    store.read = true;
    bool cut = false;
    const std::string value = IniFile(kSettingsFileName).ReadLong(kRecent, kRecentKey, cut);
    store.inFile = ParseRecentChars(value, cut);
    store.list.AddOlder(store.inFile);
  }
  return store.list;
}

void SaveRecentlyUsed() { WriteRecentlyUsed(false); }

void ForgetRecentlyUsed() { Recent() = RecentStore{}; }

}  // namespace tessarin
