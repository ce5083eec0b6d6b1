// The platform-free rules of the font list.
#include "core/FontList.h"

#include <algorithm>

#include "core/Ascii.h"

namespace tessarin::fontlist {

bool AcceptFont(std::uint16_t options, int charset, unsigned fontType) {
  if ((options & kAnsiOnly) && charset != kAnsiCharset) return false;
  if ((options & kSymbolOnly) && charset != kSymbolCharset) return false;
  if ((options & kTrueTypeOnly) && !(fontType & kTrueTypeFontType)) return false;
  return true;
}

unsigned ItemFlags(int charset, unsigned fontType) {
  const unsigned type = fontType & (kRasterFontType | kDeviceFontType | kTrueTypeFontType);
  return charset == kSymbolCharset ? type : type | kTextFontFlag;
}

Glyph GlyphFor(unsigned flags) {
  if (flags & kTrueTypeFontType) return Glyph::TrueType;
  if (flags & kDeviceFontType) return Glyph::Device;
  return Glyph::None;
}

std::uint8_t CharsetForName(std::string_view name) {
  if (name.ends_with(" Cyr")) return kRussianCharset;
  if (name.ends_with(" Greek")) return kGreekCharset;
  return kDefaultCharset;
}

int ItemHeight(int textHeight, int glyphHeight) { return std::max({textHeight + 1, 9, glyphHeight - 1}); }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return ui::AsciiLower(x) == ui::AsciiLower(y);
         });
}

std::string NameKey(std::string_view name) { return ui::AsciiLowerCase(std::string(name)); }

std::optional<unsigned> ListBuilder::Offer(std::string_view name, int charset, unsigned fontType) {
  if (name.starts_with('@')) return std::nullopt;  // the face for vertical text
  if (!AcceptFont(options_, charset, fontType)) return std::nullopt;
  if (!listed_.insert(NameKey(name)).second) return std::nullopt;
  return ItemFlags(charset, fontType);
}

}  // namespace tessarin::fontlist
