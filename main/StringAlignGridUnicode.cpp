// TStringAlignGrid's Unicode view: the font's characters by rows of 16, its scroll bar,
// keys, wheel and painting.
#include <algorithm>

#include "main/FontCharMap.h"
#include "main/StringAlignGrid.h"
#include "unicode/CharMap.h"

namespace tessarin {
namespace {

constexpr int kColumns = TStringAlignGrid::ColCount;

}  // namespace

void TStringAlignGrid::SetUnicodeView(bool on) {
  if (on == UnicodeView()) return;
  map_ = on ? FontCharMapOf(font_.Handle()) : nullptr;
  top_ = 0;
  wheelRest_ = 0;
  col_ = 0;
  row_ = 0;
  if (handle_) ShowScrollBar(handle_, SB_VERT, on);
  UpdateScrollBar();
  Invalidate();
}

int TStringAlignGrid::TotalRows() const { return map_ ? static_cast<int>(map_->Rows().size()) : RowCount; }

void TStringAlignGrid::SetTopRow(int row) {
  row = std::max(0, std::min(row, TotalRows() - RowCount));
  if (row == top_) return;
  const int by = top_ - row;
  top_ = row;
  UpdateScrollBar();
  if (handle_ && IsWindowVisible(handle_)) {
    // Within a page the rows in sight move and only the new ones are drawn.
    if (std::abs(by) < RowCount) {
      ScrollWindowEx(handle_, 0, by * (rowHeight_ + 1), nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
    } else {
      InvalidateRect(handle_, nullptr, FALSE);
    }
  }
  if (OnTopRowChange) OnTopRowChange();
}

char32_t TStringAlignGrid::CodePointAt(int col, int row) const {
  if (!map_ || row < 0 || row >= TotalRows() || col < 0 || col >= kColumns) return 0;
  return map_->Rows()[static_cast<size_t>(row)] + static_cast<char32_t>(col);
}

int TStringAlignGrid::RowOfCodePoint(char32_t cp) const {
  if (!map_) return -1;
  const auto& rows = map_->Rows();
  const auto it = std::lower_bound(rows.begin(), rows.end(), cp & ~char32_t{0xF});
  return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

void TStringAlignGrid::SelectCodePoint(char32_t cp) {
  int row = RowOfCodePoint(cp);
  if (row < 0) row = TotalRows() - 1;
  if (row < 0) return;  // a font that draws nothing
  const char32_t start = map_->Rows()[static_cast<size_t>(row)];
  const int col = start == (cp & ~char32_t{0xF}) ? static_cast<int>(cp & 0xF) : 0;
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

void TStringAlignGrid::ReloadCharMap() {
  auto map = FontCharMapOf(font_.Handle());
  if (map == map_) return;
  const char32_t current = CodePointAt(col_, row_);
  map_ = std::move(map);
  top_ = std::min(top_, std::max(0, TotalRows() - RowCount));
  row_ = std::min(row_, std::max(0, TotalRows() - 1));
  UpdateScrollBar();
  if (TotalRows() > 0) SelectCodePoint(current);
  if (OnTopRowChange) OnTopRowChange();
}

void TStringAlignGrid::UpdateScrollBar() {
  if (!handle_ || !map_) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  si.nMin = 0;
  si.nMax = std::max(0, TotalRows() - 1);
  si.nPage = RowCount;
  si.nPos = top_;
  // The bar is drawn with the next paint of the grid, not at once: a Page Down paints
  // the rows and the bar together.
  SetScrollInfo(handle_, SB_VERT, &si, FALSE);
  RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE | RDW_NOCHILDREN);
}

void TStringAlignGrid::VScroll(WORD request) {
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

void TStringAlignGrid::Wheel(int delta) {
  UINT lines = 3;
  SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  if (lines == WHEEL_PAGESCROLL) lines = RowCount;
  wheelRest_ += delta;
  const int notches = wheelRest_ / WHEEL_DELTA;
  wheelRest_ -= notches * WHEEL_DELTA;
  if (notches) SetTopRow(top_ - notches * static_cast<int>(lines));
}

void TStringAlignGrid::UnicodeKeyDown(WPARAM key, bool ctrl) {
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

void TStringAlignGrid::DrawUnicodeCell(HDC dc, int col, int row, const RECT& rect) const {
  const char32_t cp = CodePointAt(col, row);
  if (const unsigned glyph = map_->GlyphOf(cp)) DrawCodePoint(dc, cp, glyph, rect);
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
