// Typing a text as characters rather than keys: each UTF-16 unit as a key event of its own.
#pragma once
#include <string>

namespace tessarin {

// Types the text into the window that has the keyboard focus, whatever the keyboard layout:
// one pressed and one released event (SendInput, KEYEVENTF_UNICODE) per UTF-16 unit, so a
// character above U+FFFF goes as its two halves. The clipboard is not touched. False when the
// system took not every event (another desktop, a blocked input).
bool TypeUnicodeText(const std::u16string& text);

}  // namespace tessarin
