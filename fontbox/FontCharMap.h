// What a font draws and how far its glyphs advance, read from its tables once per font and kept.
#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>

#include "core/unicode/CharMap.h"
#include "core/unicode/GlyphAdvances.h"

namespace tessarin {

// How many faces keep their tables: those asked for last.
constexpr std::size_t kCachedFaces = 32;

// The character map of a GDI font's face: read with GetFontData the first time a face
// (name, weight, italic) is asked for, then answered from the cache while the face is among
// the kCachedFaces asked for last. A font without a readable 'cmap' table (a raster font)
// draws nothing here.
std::shared_ptr<const unicode::CharMap> FontCharMapOf(HFONT font);

// The advance widths of a face's glyphs, from its 'hmtx' table, kept in the same way; empty
// for a font without one.
std::shared_ptr<const unicode::GlyphAdvances> FontAdvancesOf(HFONT font);

// How many times a 'cmap' table has been read from a font since the program started.
int FontCharMapReads();

// How many faces the cache holds now.
std::size_t FontCharMapCachedFaces();

}  // namespace tessarin
