// The Unicode blocks ("Basic Latin", "Arrows", "Box Drawing", ...).
#pragma once

#include <span>

namespace tessarin::unicode {

struct Block {
  char32_t first;
  char32_t last;
  const char* name;  // as the Unicode block list spells it ("Arrows")
};

// Every block, sorted by first code point.
std::span<const Block> AllBlocks();

// The block holding cp; nullptr outside every block.
const Block* BlockOf(char32_t cp);

}  // namespace tessarin::unicode
