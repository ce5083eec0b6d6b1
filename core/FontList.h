// The rules of the font list that need no window: which fonts the filter keeps, the flags
// an item carries, the character set a face name asks for, the item height.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>

namespace tessarin::fontlist {

// Font types as the font enumeration reports them.
constexpr unsigned kRasterFontType = 1;
constexpr unsigned kDeviceFontType = 2;
constexpr unsigned kTrueTypeFontType = 4;
// Added to an item's flags when its font is not a symbol font: only such names are drawn
// in their own font (a symbol font would show its name as pictures).
constexpr unsigned kTextFontFlag = 256;

constexpr int kAnsiCharset = 0;
constexpr int kDefaultCharset = 1;
constexpr int kSymbolCharset = 2;
constexpr int kGreekCharset = 161;
constexpr int kRussianCharset = 204;

// Filter bits, as the font box's options hold them.
constexpr std::uint16_t kAnsiOnly = 1;
constexpr std::uint16_t kSymbolOnly = 2;
constexpr std::uint16_t kTrueTypeOnly = 8;

// True when no option of the set rejects a font of this character set and font type.
bool AcceptFont(std::uint16_t options, int charset, unsigned fontType);

// The flags word of an item: the font type bits, plus kTextFontFlag unless symbol.
unsigned ItemFlags(int charset, unsigned fontType);

enum class Glyph { None, TrueType, Device };
// TrueType wins over device; raster fonts have no glyph.
Glyph GlyphFor(unsigned flags);

// True when the name is drawn in its own face.
inline bool DrawsInOwnFont(bool useFonts, unsigned flags) { return useFonts && (flags & kTextFontFlag) != 0; }

// The character set a face name asks for: 204 for "… Cyr", 161 for "… Greek", else 1.
// The suffixes are compared case-sensitively.
std::uint8_t CharsetForName(std::string_view name);

// The fixed item height: text height + 1, at least 9, at least the glyph height − 1.
int ItemHeight(int textHeight, int glyphHeight);

// Face names compare by ASCII letters only, without regard to case.
bool SameName(std::string_view a, std::string_view b);
// The name with its ASCII letters in lower case: equal keys for names SameName holds for.
std::string NameKey(std::string_view name);

// Decides, family by family in the order the enumeration reports them (the screen's,
// then the printer's), which become items: a family the list holds already under any
// case of its name is skipped, so the first accepted report wins. The faces for vertical
// text that fonts with East Asian characters add ("@MS Mincho") are left out, as the
// system's font dialog leaves them out: they are the same font turned on its side.
class ListBuilder {
 public:
  explicit ListBuilder(std::uint16_t options) : options_(options) {}
  // The flags of the item to add, or nothing when the family is filtered out or listed.
  std::optional<unsigned> Offer(std::string_view name, int charset, unsigned fontType);

 private:
  std::uint16_t options_;
  std::unordered_set<std::string> listed_;
};

}  // namespace tessarin::fontlist
