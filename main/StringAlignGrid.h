// TStringAlignGrid, the read-only character grid, and its index error.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "ui/ComScope.h"
#include "ui/Exception.h"
#include "ui/StdCtrls.h"

namespace tessarin {

// The error the grid raises when asked to make a cell outside it current.
class EGridIndexError : public ui::Exception {
 public:
  EGridIndexError();
};

// Draws the text of a cell as the grid does: centred at the top of the rect, clipped to it.
void DrawCellText(HDC dc, const std::string& text, const RECT& rect);

// A read-only string grid of 16 columns by 14 rows without fixed rows or columns, scroll
// bars or editor. Each cell shows its text centred at the top of the cell; the current
// cell is drawn in the caption colours, focused or not.
class TStringAlignGrid : public ui::CustomControl {
 public:
  static constexpr int ColCount = 16;
  static constexpr int RowCount = 14;

  TStringAlignGrid(ui::Control* parent, ui::Bounds bounds);

  // The current cell. Setting a new value raises OnSelectCell for the cell about to
  // become current (the new column with the old row for Col), then makes it current if
  // the handler allows; the same value raises nothing; a value outside the grid raises
  // EGridIndexError and changes nothing.
  int Col() const { return col_; }
  int Row() const { return row_; }
  void SetCol(int col);
  void SetRow(int row);
  // Makes a cell current as a click on it does: one OnSelectCell, for that cell.
  void SelectCellAt(int col, int row);

  const std::string& Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);

  // The cells' size, given at 100 % and scaled to the grid's DPI; the line between two
  // cells stays one pixel at every scaling.
  void SetDefaultColWidth(int width);
  void SetDefaultRowHeight(int height);
  void ChangeScale(UINT newDpi) override;

  // The cell under a point of the client area; false for points outside every cell
  // (the lines between cells belong to the cell before them, the strip past the last
  // column or row to none).
  bool CellAt(int x, int y, int& col, int& row) const;
  // A cell's rectangle in client coordinates, without its grid line.
  RECT CellRect(int col, int row) const;

  std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
  std::function<void()> OnDblClick;
  std::function<void(ui::MouseButton button, ui::ShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(ui::ShiftState shift, int x, int y)> OnMouseMove;

  // Handing an accessible object out takes COM on the grid's thread: started the first time
  // a client asks (OLE has normally started it already), ended with the grid.
  void StartCom() {
    if (!com_) com_.emplace();
  }

 protected:
  void Paint(HDC dc, const RECT& clip) override;
  // Draws the cells and their lines that meet the clip rectangle.
  void PaintTo(HDC dc, const RECT& client, const RECT& clip);
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void FontChanged() override;

 private:
  // Moves the current cell to (col, row) through OnSelectCell; throws outside the grid.
  void MoveCurrent(int col, int row);
  void KeyDown(WPARAM key);
  void InvalidateCell(int col, int row);

  std::optional<ui::ComScope> com_;
  std::array<std::string, ColCount * RowCount> cells_{};
  int col_ = 0, row_ = 0;
  // In the grid's own pixels.
  int colWidth_ = 0, rowHeight_ = 0;
};

}  // namespace tessarin
