// CharGrid's list of code points in the Unicode view (the recently used characters).
#include "grid/CharGrid.h"

namespace tessarin {

void CharGrid::SetCodePointList(std::optional<std::vector<char32_t>> list) {
  if (!map_) return;  // the page has no room for code points
  list_ = std::move(list);
  top_ = 0;
  wheelRest_ = 0;
  col_ = 0;
  row_ = 0;
  UpdateScrollBar();
  Invalidate();
}

}  // namespace tessarin
