// UTF-16 text at the platform's edge: its conversion to and from the ANSI code page, and
// the clipboard's CF_UNICODETEXT.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace ui {

// The text in the ANSI code page. False when a character has no byte there (a best-fit
// look-alike does not count), and out is then empty.
bool ToAnsi(std::u16string_view text, std::string& out);
// The text in the ANSI code page as the platform's ANSI calls give it: a character with no
// byte there becomes its best-fit look-alike or "?".
std::string ToAnsiBestFit(std::u16string_view text);
// A text of a code page (CP_ACP, 1252, CP_UTF8…) in UTF-16; empty when it does not convert.
std::u16string FromCodePage(std::string_view text, UINT codePage);
// An ANSI code-page text in UTF-16.
std::u16string FromAnsi(std::string_view text);

// Puts a text on the clipboard as CF_UNICODETEXT, and as CF_TEXT too when it converts to
// the ANSI code page without loss (otherwise the platform makes CF_TEXT itself when asked).
// The clipboard is then the owner's. Raises an Exception with the system's message when the
// clipboard cannot be opened or filled.
void PutUnicodeOnClipboard(HWND owner, std::u16string_view text);

}  // namespace ui
