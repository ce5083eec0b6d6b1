// The characters a font draws, read from its 'cmap' table once per font and kept.
#pragma once
#include <windows.h>

#include <memory>

#include "unicode/CharMap.h"

namespace tessarin {

// The character map of a GDI font's face: read with GetFontData the first time a face
// (name, weight, italic) is asked for, then answered from the cache. A font without a
// readable 'cmap' table (a raster font) draws nothing here.
std::shared_ptr<const unicode::CharMap> FontCharMapOf(HFONT font);

// How many times a 'cmap' table has been read from a font since the program started.
int FontCharMapReads();

}  // namespace tessarin
