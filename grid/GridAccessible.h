// The character grid as screen readers see it (Microsoft Active Accessibility): a table
// whose 224 children are its cells in grid order, child n holding code n + 31.
#pragma once
#include <windows.h>

namespace tessarin {

class CharGrid;

// The child id of a cell: 1 for (0, 0), the space, 97 for code 128.
constexpr long CellChildId(int col, int row) { return 1 + col + 16 * row; }

// Answers WM_GETOBJECT for the grid's client object; false for other objects, which the
// default window procedure answers.
bool GridGetObject(CharGrid& grid, WPARAM wParam, LPARAM lParam, LRESULT& result);

// Tells accessibility clients that a cell became current: its selection, and its focus
// while the grid holds the focus.
void NotifyGridCell(HWND grid, int col, int row, bool focused);
// Tells them that the grid took the focus: its current cell has it.
void NotifyGridFocus(HWND grid, int col, int row);

}  // namespace tessarin
