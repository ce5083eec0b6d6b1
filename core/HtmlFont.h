// The HTML font fragment around a text and the composition's HTML text.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tessarin {

struct HtmlStyles {
  bool bold = false, italic = false, strikeOut = false, underline = false;
};

// The HTML fragment for a piece of HTML text in a colour (0x00BBGGRR, already resolved
// to RGB), a face and styles: "<FONT color=#RRGGBB face=Name><B><I><STRIKE><U>text
// </U></STRIKE></I></B></FONT>", with only the checked style tags. The text is HTML
// already and passes unchanged; the face is written as it stands, blanks included.
std::string MakeHtmlFontText(const std::string& text, std::uint32_t colorRef, const std::string& face,
                             HtmlStyles styles);

// The composition's HTML text: the entity text of every character in text order. The
// characters below 32 (line breaks, tabs) have no cell in the grid and stand for
// themselves. lastGridCode receives the last character of 32 or above (the one the
// selection ends on), or -1 when there is none.
std::string CompositionHtml(const std::string& text, int& lastGridCode);

// The same for a UTF-16 text that holds characters beyond the ANSI code page: a character
// of the Windows-1252 page gives the page's entity text, any other its HTML text ("&rarr;",
// "&#128512;"). A half of a surrogate pair alone reads as U+FFFD ("&#65533;"). last receives
// the last character of 32 or above, or 0 when there is none.
std::string CompositionHtml(std::u16string_view text, char32_t& last);

// The text as bytes of the Windows-1252 page, whatever the system's ANSI code page: false,
// and out empty, when a character is not on the page. Characters below 32 are their bytes.
bool ToWindows1252(std::u16string_view text, std::string& out);

// The HTML text of one character: the page's entity text for a character of the
// Windows-1252 page, else its Unicode HTML text; a surrogate code gives U+FFFD's.
std::string HtmlOfCodePoint(char32_t cp);

}  // namespace tessarin
