// CharGrid, the read-only character grid, and its index error.
#pragma once
#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/ComScope.h"
#include "ui/Exception.h"
#include "ui/StdCtrls.h"

namespace tessarin {

namespace unicode {
class CharMap;
class GlyphAdvances;
}  // namespace unicode

// The error the grid raises when asked to make a cell outside it current.
class EGridIndexError : public ui::Exception {
 public:
  EGridIndexError();
};

// Draws the text of a cell as the grid does: centred at the top of the rect, clipped to it.
void DrawCellText(HDC dc, const std::string& text, const RECT& rect);
// Draws a code point of the selected font (its glyph index given) in the same way, through
// the wide calls.
void DrawCodePoint(HDC dc, char32_t cp, unsigned glyph, const RECT& rect);

// A read-only string grid of 16 columns by 14 rows without fixed rows or columns, scroll
// bars or editor. Each cell shows its text centred at the top of the cell; the current
// cell is drawn in the caption colours, focused or not.
//
// In its Unicode view the grid shows instead every character of its font in code-point
// order, 16 to a row (row r holds the 16 code points from the font's r-th row start), 14
// rows at a time under a standard vertical scroll bar, its cells one pixel narrower so
// that the bar fits. Rows are then counted through the whole view: Row, CellAt, CellRect
// and OnSelectCell take the row of the view, not of the window.
class CharGrid : public ui::CustomControl {
 public:
  static constexpr int ColCount = 16;
  // The rows in sight: all of the page, a window on the Unicode view.
  static constexpr int RowCount = 14;

  CharGrid(ui::Control* parent, ui::Bounds bounds);

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

  // The cells' size, given at 100 % and scaled to the grid's DPI, as far as the client area
  // holds the 16 x 14 cells; the line between two cells stays one pixel at every scaling.
  void SetDefaultColWidth(int width);
  void SetDefaultRowHeight(int height);
  void ChangeScale(UINT newDpi) override;

  // The cell under a point of the client area; false for points outside every cell
  // (the lines between cells belong to the cell before them, the strip past the last
  // column or row to none).
  bool CellAt(int x, int y, int& col, int& row) const;
  // A cell's rectangle in client coordinates, without its grid line.
  RECT CellRect(int col, int row) const;

  // The Unicode view of the grid's font (its characters read once per font); false goes
  // back to the page. Either way the first row is on top and the current cell is
  // (0, 0), without OnSelectCell.
  void SetUnicodeView(bool on);
  bool UnicodeView() const { return map_ != nullptr; }
  // The font's characters while the Unicode view shows; nullptr on the page.
  const unicode::CharMap* CharMap() const { return map_.get(); }
  // In the Unicode view, a list of code points in place of the font's characters (the
  // recently used ones): 16 to a row in the list's order, drawn with the font, moved through
  // and described as the font's characters are; the cells past its end hold nothing (code
  // point 0). An empty optional shows the font's characters again; the page drops the list.
  // Either way the first row is on top and the current cell is (0, 0), without OnSelectCell.
  void SetCodePointList(std::optional<std::vector<char32_t>> list);
  // The list shown, or nullptr while the view shows the font's characters or the page.
  const std::vector<char32_t>* CodePointList() const { return list_ ? &*list_ : nullptr; }
  // Rows of the whole view (14 on the page) and the one on top of the window.
  int TotalRows() const;
  int TopRow() const { return top_; }
  // Scrolls so that a row of the view is on top, as far as the view goes; OnTopRowChange
  // follows a change.
  void SetTopRow(int row);
  // The code point of a cell of the Unicode view (row of the view); 0 on the page.
  char32_t CodePointAt(int col, int row) const;
  // The row of the view that holds a code point, or the first row after it; -1 past the end.
  int RowOfCodePoint(char32_t cp) const;
  // Makes the cell of a code point current, scrolled into sight, with one OnSelectCell also
  // when it was current already (its character may have changed with the font).
  void SelectCodePoint(char32_t cp);

  std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
  std::function<void()> OnTopRowChange;
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
  // Draws the page's cells and their lines that meet the clip rectangle.
  void PaintTo(HDC dc, const RECT& client, const RECT& clip);
  // The one-pixel lines right of and below each cell.
  void PaintLines(HDC dc) const;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void FontChanged() override;

 private:
  // Moves the current cell to (col, row) through OnSelectCell; throws outside the grid.
  void MoveCurrent(int col, int row);
  void KeyDown(WPARAM key);
  void InvalidateCell(int col, int row);
  // The Unicode view's side of painting, keys, the scroll bar and the wheel.
  // Paints the Unicode view straight onto the window without flicker: each row opaque with
  // its characters, then the lines and the strips past the cells.
  void PaintUnicode(HDC dc, const RECT& client, const RECT& clip);
  void UnicodeKeyDown(WPARAM key, bool ctrl);
  void VScroll(WORD request);
  void Wheel(int delta);
  void UpdateScrollBar();
  // The cell of the view that holds a code point (the next row's first when the view lacks
  // it); false when the view has no cell at all.
  bool CellOfCodePoint(char32_t cp, int& col, int& row) const;
  // Reads the characters of the grid's font again after a change of the font, keeping the
  // current code point where the font still has it.
  void ReloadCharMap();
  // The size of a cell: one pixel narrower in the Unicode view, and never so large that the
  // 16 x 14 cells with their lines leave the client area.
  int ColWidth() const;
  int RowHeight() const;
  // Takes the client area's size again (a new size, the scroll bar shown or hidden).
  void ClientSized();

  std::optional<ui::ComScope> com_;
  std::array<std::string, ColCount * RowCount> cells_{};
  int col_ = 0, row_ = 0;
  // In the grid's own pixels.
  int colWidth_ = 0, rowHeight_ = 0;
  // The client area's size; 0 before the window has one.
  int clientWidth_ = 0, clientHeight_ = 0;
  // The Unicode view: the font's characters, the row on top, the wheel's remainder.
  std::shared_ptr<const unicode::CharMap> map_;
  std::shared_ptr<const unicode::GlyphAdvances> advances_;
  int top_ = 0;
  int wheelRest_ = 0;
  std::optional<std::vector<char32_t>> list_;
};

}  // namespace tessarin
