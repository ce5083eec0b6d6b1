// The Unicode blocks, from BlockTable.inc.
#include "core/unicode/Blocks.h"

#include <algorithm>

namespace tessarin::unicode {

namespace {
#include "core/unicode/BlockTable.inc"
}  // namespace

std::span<const Block> AllBlocks() { return kBlocks; }

const Block* BlockOf(char32_t cp) {
  auto it = std::upper_bound(std::begin(kBlocks), std::end(kBlocks), cp,
                             [](char32_t c, const Block& b) { return c < b.first; });
  if (it == std::begin(kBlocks)) return nullptr;
  --it;
  return cp <= it->last ? &*it : nullptr;
}

}  // namespace tessarin::unicode
