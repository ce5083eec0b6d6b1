// The layout of the 216-colour palette image: swatches, black lines and their colours.
#pragma once
#include <cstdint>

namespace tessarin {

constexpr int kPaletteWidth = 366;
constexpr int kPaletteHeight = 61;

// The colour (0x00BBGGRR) of swatch (block r, swatch b within the block, band g), each 0..5:
// red 0x33·r, green 0xFF − 0x33·g, blue 0x33·b.
std::uint32_t PaletteSwatchColor(int r, int b, int g);
// The colour of the palette image's pixel (x, y): its swatch's colour, or black on the
// lines between the swatches and on the border. Black outside the image too.
std::uint32_t PaletteColorAt(int x, int y);

}  // namespace tessarin
