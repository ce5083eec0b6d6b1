// The HTML font fragment around a text and the composition's HTML text.
#pragma once
#include <cstdint>
#include <string>

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

}  // namespace tessarin
