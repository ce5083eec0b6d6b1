// CharGrid's Unicode view: the font's characters by rows of 16, its scroll bar,
// keys, wheel and painting.
#include <algorithm>
#include <array>

#include "fontbox/FontCharMap.h"
#include "grid/CharGrid.h"
#include "ui/Canvas.h"
#include "core/unicode/CharMap.h"

namespace tessarin {
namespace {

constexpr int kColumns = CharGrid::ColCount;

}  // namespace

void CharGrid::SetUnicodeView(bool on) {
  if (on == UnicodeView()) return;
  map_ = on ? FontCharMapOf(font_.Handle()) : nullptr;
  list_.reset();
  advances_ = on ? FontAdvancesOf(font_.Handle()) : nullptr;
  top_ = 0;
  wheelRest_ = 0;
  col_ = 0;
  row_ = 0;
  if (handle_) ShowScrollBar(handle_, SB_VERT, on);
  ClientSized();  // the bar takes its room from the cells
  UpdateScrollBar();
  Invalidate();
}

int CharGrid::TotalRows() const {
  if (list_) return static_cast<int>((list_->size() + kColumns - 1) / kColumns);
  return map_ ? static_cast<int>(map_->Rows().size()) : RowCount;
}

void CharGrid::SetTopRow(int row) {
  row = std::max(0, std::min(row, TotalRows() - RowCount));
  if (row == top_) return;
  const int by = top_ - row;
  top_ = row;
  UpdateScrollBar();
  if (handle_ && IsWindowVisible(handle_)) {
    // Within a page the rows in sight move and only the new ones are drawn. Only the rows
    // move: the strip below the last one stays, or its ground would be carried into the
    // first new row (or left as a sliver under the last) where nothing paints it again.
    if (std::abs(by) < RowCount) {
      const RECT rows{0, 0, ColCount * (ColWidth() + 1), RowCount * (RowHeight() + 1)};
      ScrollWindowEx(handle_, 0, by * (RowHeight() + 1), &rows, &rows, nullptr, nullptr, SW_INVALIDATE);
    } else {
      InvalidateRect(handle_, nullptr, FALSE);
    }
  }
  if (OnTopRowChange) OnTopRowChange();
}

char32_t CharGrid::CodePointAt(int col, int row) const {
  if (!map_ || row < 0 || row >= TotalRows() || col < 0 || col >= kColumns) return 0;
  if (list_) {
    const size_t index = static_cast<size_t>(row) * kColumns + static_cast<size_t>(col);
    return index < list_->size() ? (*list_)[index] : 0;
  }
  return map_->Rows()[static_cast<size_t>(row)] + static_cast<char32_t>(col);
}

int CharGrid::RowOfCodePoint(char32_t cp) const {
  if (!map_) return -1;
  if (list_) {
    const auto it = std::find(list_->begin(), list_->end(), cp);
    return it == list_->end() ? -1 : static_cast<int>(it - list_->begin()) / kColumns;
  }
  const auto& rows = map_->Rows();
  const auto it = std::lower_bound(rows.begin(), rows.end(), cp & ~char32_t{0xF});
  return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

bool CharGrid::CellOfCodePoint(char32_t cp, int& col, int& row) const {
  if (list_) {
    // A list lacking the code point offers its first cell.
    const auto it = std::find(list_->begin(), list_->end(), cp);
    const int index = it == list_->end() ? 0 : static_cast<int>(it - list_->begin());
    col = index % kColumns;
    row = index / kColumns;
    return !list_->empty();
  }
  row = RowOfCodePoint(cp);
  if (row < 0) row = TotalRows() - 1;
  if (row < 0) return false;  // a font that draws nothing
  const char32_t start = map_->Rows()[static_cast<size_t>(row)];
  col = start == (cp & ~char32_t{0xF}) ? static_cast<int>(cp & 0xF) : 0;
  return true;
}

void CharGrid::SelectCodePoint(char32_t cp) {
  int col = 0, row = 0;
  if (!map_ || !CellOfCodePoint(cp, col, row)) return;
  if (row < top_ || row >= top_ + RowCount) SetTopRow(row);
  if (col == col_ && row == row_) {
    // The same place: the character may still be another one, so it is described again.
    bool canSelect = true;
    if (OnSelectCell) OnSelectCell(col, row, canSelect);
    InvalidateCell(col, row);
    return;
  }
  MoveCurrent(col, row);
}

void CharGrid::ReloadCharMap() {
  auto map = FontCharMapOf(font_.Handle());
  if (map == map_) return;
  const char32_t current = CodePointAt(col_, row_);
  map_ = std::move(map);
  advances_ = FontAdvancesOf(font_.Handle());
  top_ = std::min(top_, std::max(0, TotalRows() - RowCount));
  row_ = std::min(row_, std::max(0, TotalRows() - 1));
  UpdateScrollBar();
  if (TotalRows() > 0) SelectCodePoint(current);
  if (OnTopRowChange) OnTopRowChange();
}

void CharGrid::UpdateScrollBar() {
  if (!handle_ || !map_) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = std::max(0, TotalRows() - 1);
  si.nPage = RowCount;
  si.nPos = top_;
  // The bar redraws itself alone; a repaint of the frame would draw the edge and all of
  // the cells again as well.
  SetScrollInfo(handle_, SB_VERT, &si, TRUE);
}

void CharGrid::VScroll(WORD request) {
  if (!map_) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_TRACKPOS;
  GetScrollInfo(handle_, SB_VERT, &si);
  switch (request) {
    case SB_LINEUP: SetTopRow(top_ - 1); break;
    case SB_LINEDOWN: SetTopRow(top_ + 1); break;
    case SB_PAGEUP: SetTopRow(top_ - RowCount); break;
    case SB_PAGEDOWN: SetTopRow(top_ + RowCount); break;
    case SB_TOP: SetTopRow(0); break;
    case SB_BOTTOM: SetTopRow(TotalRows()); break;
    // The 32-bit track position: a view may hold more rows than a message's 16 bits.
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetTopRow(si.nTrackPos); break;
    default: break;
  }
}

void CharGrid::Wheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == WHEEL_PAGESCROLL) lines = RowCount;
  wheelRest_ += delta;
  const int notches = wheelRest_ / WHEEL_DELTA;
  wheelRest_ -= notches * WHEEL_DELTA;
  if (notches) SetTopRow(top_ - notches * static_cast<int>(lines));
}

void CharGrid::UnicodeKeyDown(WPARAM key, bool ctrl) {
  const int last = TotalRows() - 1;
  if (last < 0) return;
  int col = col_, row = row_, top = top_;
  switch (key) {
    case VK_LEFT: col = std::max(0, col - 1); break;
    case VK_RIGHT: col = std::min(kColumns - 1, col + 1); break;
    case VK_UP: row = std::max(0, row - 1); break;
    case VK_DOWN: row = std::min(last, row + 1); break;
    // A page moves the current cell and the view together, as far as the view goes.
    case VK_PRIOR:
      row = std::max(0, row - RowCount);
      top = top_ - RowCount;
      break;
    case VK_NEXT:
      row = std::min(last, row + RowCount);
      top = top_ + RowCount;
      break;
    case VK_HOME:
      col = 0;
      if (ctrl) row = 0;
      break;
    case VK_END:
      col = kColumns - 1;
      if (ctrl) row = last;
      break;
    default: return;
  }
  if (top != top_) SetTopRow(top);
  if (col != col_ || row != row_) MoveCurrent(col, row);
}

void CharGrid::PaintUnicode(HDC dc, const RECT& client, const RECT& clip) {
  const COLORREF background = ui::ResolveColor(Color()), textColor = ui::ResolveColor(font_.Color());
  const ui::SelectObjectScope font(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  const UINT align = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int ppem = metrics.tmHeight - metrics.tmInternalLeading;
  const int width = ColWidth(), height = RowHeight(), inset = Scale(2);

  // One glyph in its own cell, clipped to it: the current cell on its ground, a glyph wider
  // than its cell, or one whose advance the font does not give (centred by the font then).
  auto drawAlone = [&](const RECT& cell, WORD glyph, int advance, bool current) {
    SetBkColor(dc, current ? GetSysColor(COLOR_ACTIVECAPTION) : background);
    SetTextColor(dc, current ? GetSysColor(COLOR_CAPTIONTEXT) : textColor);
    const UINT options = (current ? ETO_OPAQUE : 0) | ETO_CLIPPED | ETO_GLYPH_INDEX;
    const int centre = (cell.left + cell.right) / 2;
    if (advance < 0) SetTextAlign(dc, TA_CENTER | TA_TOP | TA_NOUPDATECP);
    ExtTextOutW(dc, advance < 0 ? centre : centre - advance / 2, cell.top + inset, options, &cell,
                reinterpret_cast<const wchar_t*>(&glyph), glyph ? 1 : 0, nullptr);
    if (advance < 0) SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  };

  for (int r = 0; r < RowCount; ++r) {
    const int row = top_ + r, y = r * (height + 1);
    const RECT rowRect{0, y, kColumns * (width + 1), y + height};
    RECT band;
    if (!IntersectRect(&band, &rowRect, &clip)) continue;
    // The row's ground and the characters that fit their cells in one call, each centred in
    // its cell by its advance; a call per character costs more than the drawing of it.
    std::array<WORD, kColumns> glyphs{};
    std::array<INT, kColumns> steps{};
    struct Alone {
      int col;
      WORD glyph;
      int advance;
    };
    std::array<Alone, kColumns> alone{};
    int count = 0, aloneCount = 0, firstX = 0, lastX = 0;
    for (int c = 0; c < kColumns; ++c) {
      const RECT cell = CellRect(c, row);
      if (cell.right <= band.left || cell.left >= band.right) continue;
      const WORD glyph = row < TotalRows() ? static_cast<WORD>(map_->GlyphOf(CodePointAt(c, row))) : 0;
      const bool current = c == col_ && row == row_;
      if (!glyph && !current) continue;
      const int advance = glyph && advances_ ? advances_->Pixels(glyph, ppem) : -1;
      if (current || advance < 0 || advance > width) {
        alone[static_cast<size_t>(aloneCount++)] = {c, glyph, advance};
        continue;
      }
      const int x = (cell.left + cell.right) / 2 - advance / 2;
      if (count == 0)
        firstX = x;
      else
        steps[static_cast<size_t>(count - 1)] = x - lastX;
      glyphs[static_cast<size_t>(count++)] = glyph;
      lastX = x;
    }
    SetBkColor(dc, background);
    SetTextColor(dc, textColor);
    ExtTextOutW(dc, firstX, y + inset, ETO_OPAQUE | ETO_CLIPPED | ETO_GLYPH_INDEX, &band,
                reinterpret_cast<const wchar_t*>(glyphs.data()), static_cast<UINT>(count), steps.data());
    for (int i = 0; i < aloneCount; ++i) {
      const Alone& a = alone[static_cast<size_t>(i)];
      drawAlone(CellRect(a.col, row), a.glyph, a.advance, a.col == col_ && row == row_);
    }
  }
  SetTextAlign(dc, align);

  // The lines over the rows' grounds, then the strips right of the last column and below the
  // last row.
  PaintLines(dc);
  const int cellsRight = kColumns * (width + 1), cellsBottom = RowCount * (height + 1);
  const ui::Brush brush(CreateSolidBrush(background));
  const RECT right{cellsRight, 0, client.right, client.bottom},
      below{0, cellsBottom, cellsRight, client.bottom};
  FillRect(dc, &right, brush);
  FillRect(dc, &below, brush);
  if (GetFocus() == handle_ && row_ >= top_ && row_ < top_ + RowCount) {
    const RECT cell = CellRect(col_, row_);
    DrawFocusRect(dc, &cell);
  }
}

void DrawCodePoint(HDC dc, char32_t cp, unsigned glyph, const RECT& rect) {
  // Centred at the top of the rect, clipped to it. Beyond the Basic Multilingual Plane a
  // surrogate pair would be drawn as two boxes: the glyph goes by its index in the font
  // instead. The alignment centres on the advance, as a measured extent would, without
  // asking the font for it first.
  const UINT align = SetTextAlign(dc, TA_CENTER | TA_TOP | TA_NOUPDATECP);
  const int x = (rect.left + rect.right) / 2;
  if (cp <= 0xFFFF) {
    const wchar_t unit = static_cast<wchar_t>(cp);
    ExtTextOutW(dc, x, rect.top, ETO_CLIPPED, &rect, &unit, 1, nullptr);
  } else {
    const WORD index = static_cast<WORD>(glyph);
    ExtTextOutW(dc, x, rect.top, ETO_CLIPPED | ETO_GLYPH_INDEX, &rect,
                reinterpret_cast<const wchar_t*>(&index), 1, nullptr);
  }
  SetTextAlign(dc, align);
}

}  // namespace tessarin
