// The palette image's layout rule: which swatch, or which black line, lies under a pixel.
#include "core/PaletteRule.h"

namespace tessarin {

std::uint32_t PaletteSwatchColor(int r, int b, int g) {
  const std::uint32_t red = 0x33u * static_cast<std::uint32_t>(r);
  const std::uint32_t green = 0xFFu - 0x33u * static_cast<std::uint32_t>(g);
  const std::uint32_t blue = 0x33u * static_cast<std::uint32_t>(b);
  return red | (green << 8) | (blue << 16);
}

std::uint32_t PaletteColorAt(int x, int y) {
  if (x < 0 || y < 0 || x >= kPaletteWidth || y >= kPaletteHeight) return 0;
  // Bands of 10 rows: a black row, then nine rows of swatches.
  if (y % 10 == 0) return 0;
  const int g = y / 10;
  // Blocks of 61 columns: six swatch columns of 10 (a black column, nine of colour), then
  // the block's closing black column.
  const int r = x / 61;
  const int inBlock = x % 61;
  if (inBlock == 60 || inBlock % 10 == 0) return 0;
  return PaletteSwatchColor(r, inBlock / 10, g);
}

}  // namespace tessarin
