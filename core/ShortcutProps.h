// How the shortcut writer keeps its hot key and show command: stored in the platform's
// form, read back in the component's own.
#pragma once
#include <cstdint>
#include <string>

namespace tessarin {

enum ShowCommand : std::uint8_t { scShowMaximized = 0, scShowMinimized = 1, scShowNormal = 2 };

// The platform's show commands the shortcut stores.
constexpr int kSwShowMaximized = 3;
constexpr int kSwShowMinNoActive = 7;
constexpr int kSwRestore = 9;

// The hot key is kept as a character code: the first character of the text in upper case
// (ASCII letters only); an empty text or a control character keeps a blank (32).
std::uint16_t StoreHotKey(const std::string& text);
// The one-character text of a stored code; a code never written (0) reads as a blank.
std::string ReadHotKey(std::uint16_t stored);
// The word the shell link takes for a stored code: Ctrl+Alt and the code as the virtual
// key, or 0 (no hot key) for a code of 32 or below.
std::uint16_t HotKeyWord(std::uint16_t stored);

// The show command kept for a written value; a value outside the three leaves the stored
// number as it was.
int StoreShowCmd(ShowCommand value, int stored);
// 3 reads as maximised, 7 as minimised, anything else as normal.
ShowCommand ReadShowCmd(int stored);

}  // namespace tessarin
