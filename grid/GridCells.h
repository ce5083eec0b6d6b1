// Which character a grid cell holds: cell (col, row) holds code col + 16 * row + 32.
#pragma once

namespace tessarin {

constexpr int kGridColumns = 16;
constexpr int kFirstGridCode = 32;

struct GridCell {
  int col = 0, row = 0;
};

constexpr unsigned char CodeOfCell(int col, int row) {
  return static_cast<unsigned char>(col + kGridColumns * row + kFirstGridCode);
}

// The cell of a code from 32 up.
constexpr GridCell CellOfCode(unsigned char code) {
  return {(code - kFirstGridCode) % kGridColumns, (code - kFirstGridCode) / kGridColumns};
}

}  // namespace tessarin
