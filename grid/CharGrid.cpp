// CharGrid: painting, selection, keyboard and mouse of the character grid.
#include "grid/CharGrid.h"

#include <algorithm>

#include "grid/GridAccessible.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Messages.h"

namespace tessarin {
namespace {

// "Grid index out of range", in the words of the German forms library this program
// grew up with.
const char kGridIndexError[] =
    "Gitterindex au\xDF"
    "erhalb des zul\xE4ssigen Bereichs";  // ß, ä

}  // namespace

void DrawCellText(HDC dc, const std::string& text, const RECT& rect) {
  // What DrawTextA does with DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX, without its
  // search for line breaks and prefixes: the text in the code page of the selected font,
  // centred on its extent, clipped to the rect.
  const int length = static_cast<int>(text.size());
  if (length == 0) return;
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), length, &size);
  ExtTextOutA(dc, (rect.left + rect.right - size.cx) / 2, rect.top, ETO_CLIPPED, &rect, text.data(),
              static_cast<UINT>(length), nullptr);
}

EGridIndexError::EGridIndexError() : ui::Exception(kGridIndexError) {}

CharGrid::CharGrid(ui::Control* parent, ui::Bounds bounds)
    : ui::CustomControl(parent, "TStringAlignGrid", bounds, WS_TABSTOP, 0),
      colWidth_(Scale(32)),
      rowHeight_(Scale(32)) {
  SetColor(ui::kSysColor | COLOR_WINDOW);
}

const std::string& CharGrid::Cells(int col, int row) const {
  if (col < 0 || col >= ColCount || row < 0 || row >= TotalRows()) throw EGridIndexError();
  // The Unicode view's cells hold no text of the page's code page.
  static const std::string none;
  if (map_) return none;
  return cells_[static_cast<size_t>(row * ColCount + col)];
}

void CharGrid::SetCells(int col, int row, const std::string& text) {
  if (col < 0 || col >= ColCount || row < 0 || row >= RowCount) throw EGridIndexError();
  cells_[static_cast<size_t>(row * ColCount + col)] = text;
  InvalidateCell(col, row);
}

void CharGrid::SetDefaultColWidth(int width) {
  colWidth_ = std::max(1, Scale(width));
  Invalidate();
}

void CharGrid::SetDefaultRowHeight(int height) {
  rowHeight_ = std::max(1, Scale(height));
  Invalidate();
}

int CharGrid::ColWidth() const {
  const int width = map_ ? colWidth_ - 1 : colWidth_;
  // Cells scaled one by one round up at some scalings (22 pixels are 28 at 125 %, not
  // 27.5), and sixteen of them add up past the room the layout gave: the cells then take
  // what the client area holds, the scroll bar's room left out.
  if (clientWidth_ <= 0) return width;
  return std::max(1, std::min(width, clientWidth_ / ColCount - 1));
}

int CharGrid::RowHeight() const {
  if (clientHeight_ <= 0) return rowHeight_;
  return std::max(1, std::min(rowHeight_, clientHeight_ / RowCount - 1));
}

void CharGrid::ClientSized() {
  RECT client{};
  if (handle_) GetClientRect(handle_, &client);
  clientWidth_ = client.right;
  clientHeight_ = client.bottom;
}

void CharGrid::ChangeScale(UINT newDpi) {
  colWidth_ = std::max(1, ui::Rescale(colWidth_, newDpi, Dpi()));
  rowHeight_ = std::max(1, ui::Rescale(rowHeight_, newDpi, Dpi()));
  ui::CustomControl::ChangeScale(newDpi);
}

void CharGrid::FontChanged() {
  if (map_) ReloadCharMap();
  Invalidate();
}

RECT CharGrid::CellRect(int col, int row) const {
  const int x = col * (ColWidth() + 1), y = (row - top_) * (RowHeight() + 1);
  return RECT{x, y, x + ColWidth(), y + RowHeight()};
}

bool CharGrid::CellAt(int x, int y, int& col, int& row) const {
  if (x < 0 || y < 0) return false;
  const int c = x / (ColWidth() + 1), r = y / (RowHeight() + 1);
  if (c >= ColCount || r >= RowCount || top_ + r >= TotalRows()) return false;
  col = c;
  row = top_ + r;
  return true;
}

void CharGrid::SetCol(int col) {
  if (col != col_) MoveCurrent(col, row_);
}

void CharGrid::SetRow(int row) {
  if (row != row_) MoveCurrent(col_, row);
}

void CharGrid::SelectCellAt(int col, int row) {
  if (col != col_ || row != row_) MoveCurrent(col, row);
}

void CharGrid::MoveCurrent(int col, int row) {
  if (col < 0 || col >= ColCount || row < 0 || row >= TotalRows()) throw EGridIndexError();
  bool canSelect = true;
  if (OnSelectCell) OnSelectCell(col, row, canSelect);
  if (!canSelect) return;
  const int oldCol = col_, oldRow = row_;
  col_ = col;
  row_ = row;
  // The Unicode view scrolls the new current cell into sight first: the cells drawn
  // again are then where they stand after the scroll.
  if (row_ < top_) SetTopRow(row_);
  if (row_ >= top_ + RowCount) SetTopRow(row_ - RowCount + 1);
  InvalidateCell(oldCol, oldRow);
  InvalidateCell(col_, row_);
  if (handle_) NotifyGridCell(handle_, col_, row_ - top_, GetFocus() == handle_);
}

void CharGrid::InvalidateCell(int col, int row) {
  // A hidden grid repaints whole when it is shown: filling it at start-up asks nothing
  // of the window system.
  if (!handle_ || !IsWindowVisible(handle_)) return;
  RECT r = CellRect(col, row);
  InflateRect(&r, 1, 1);
  InvalidateRect(handle_, &r, FALSE);
}

void CharGrid::KeyDown(WPARAM key) {
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (map_) return UnicodeKeyDown(key, ctrl);
  int col = col_, row = row_;
  switch (key) {
    case VK_LEFT: col = std::max(0, col - 1); break;
    case VK_RIGHT: col = std::min(ColCount - 1, col + 1); break;
    case VK_UP: row = std::max(0, row - 1); break;
    case VK_DOWN: row = std::min(RowCount - 1, row + 1); break;
    // Every row is visible, so a page is the whole grid.
    case VK_PRIOR: row = 0; break;
    case VK_NEXT: row = RowCount - 1; break;
    case VK_HOME:
      col = 0;
      if (ctrl) row = 0;
      break;
    case VK_END:
      col = ColCount - 1;
      if (ctrl) row = RowCount - 1;
      break;
    default: return;
  }
  if (col != col_ || row != row_) MoveCurrent(col, row);
}

LRESULT CharGrid::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SIZE: {
      const int width = ColWidth(), height = RowHeight();
      ClientSized();
      if (width != ColWidth() || height != RowHeight()) Invalidate();
      break;
    }
    case WM_SETFOCUS:
      NotifyGridFocus(handle_, col_, row_ - top_);
      InvalidateCell(col_, row_);
      break;
    case WM_KILLFOCUS: InvalidateCell(col_, row_); break;
    case WM_GETOBJECT: {
      LRESULT result = 0;
      if (GridGetObject(*this, wParam, lParam, result)) return result;
      break;
    }
    case WM_KEYDOWN: KeyDown(wParam); return 0;
    case WM_VSCROLL:
      if (lParam) break;  // a scroll bar control's, not the grid's own
      VScroll(LOWORD(wParam));
      return 0;
    case WM_MOUSEWHEEL:
      if (!map_) break;
      Wheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      const auto [x, y] = ui::PointOf(lParam);
      const bool left = msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK;
      if (GetFocus() != handle_) ::SetFocus(handle_);
      if (left) {
        int col, row;
        if (CellAt(x, y, col, row) && (col != col_ || row != row_)) MoveCurrent(col, row);
        SetCapture(handle_);
      }
      const ui::ShiftState shift = ui::ShiftState::OfPress(msg, wParam);
      const ui::MouseButton button = ui::MouseButtonOf(msg);
      if (OnMouseDown) OnMouseDown(button, shift, x, y);
      if (msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick();
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (msg == WM_LBUTTONUP && GetCapture() == handle_) ReleaseCapture();
      return 0;
    case WM_MOUSEMOVE:
      if (OnMouseMove) {
        const POINT at = ui::PointOf(lParam);
        OnMouseMove(ui::ShiftState::FromKeys(wParam), at.x, at.y);
      }
      return 0;
    default: break;
  }
  return ui::CustomControl::WndProc(msg, wParam, lParam);
}

void CharGrid::Paint(HDC target, const RECT& clip) {
  RECT client;
  GetClientRect(handle_, &client);
  // The Unicode view paints each pixel once, its rows opaque: it needs no bitmap.
  if (map_) {
    PaintUnicode(target, client, clip);
    return;
  }
  // The program's first paint goes straight to the window: nothing of the grid shows yet
  // that could flicker, and under Wine the characters cost three times as much drawn into
  // a bitmap. Every later paint of the page is composed off screen and copied in one piece.
  if (!ui::Application::Instance().StartupFinished()) {
    PaintTo(target, client, clip);
    return;
  }
  ui::MemoryDC dc(target, client.right, client.bottom);
  PaintTo(dc, client, clip);
  dc.CopyTo(target, clip);
}

void CharGrid::PaintLines(HDC dc) const {
  const ui::Brush line(CreateSolidBrush(RGB(192, 192, 192)));
  const int colWidth = ColWidth(), rowHeight = RowHeight();
  for (int c = 0; c < ColCount; ++c) {
    const int x = c * (colWidth + 1) + colWidth;
    RECT r{x, 0, x + 1, RowCount * (rowHeight + 1)};
    FillRect(dc, &r, line);
  }
  for (int r = 0; r < RowCount; ++r) {
    const int y = r * (rowHeight + 1) + rowHeight;
    RECT rect{0, y, ColCount * (colWidth + 1), y + 1};
    FillRect(dc, &rect, line);
  }
}

void CharGrid::PaintTo(HDC dc, const RECT& client, const RECT& clip) {
  FillRect(dc, &client, ui::Brush(CreateSolidBrush(ui::ResolveColor(Color()))));
  PaintLines(dc);

  const ui::Brush selected(CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION)));
  const ui::SelectObjectScope font(dc, font_.Handle());
  SetBkMode(dc, TRANSPARENT);
  const COLORREF textColor = ui::ResolveColor(font_.Color());
  SetTextColor(dc, textColor);
  const bool focused = GetFocus() == handle_;
  for (int row = 0; row < RowCount; ++row) {
    for (int c = 0; c < ColCount; ++c) {
      RECT cell = CellRect(c, row), visible;
      if (!IntersectRect(&visible, &cell, &clip)) continue;  // outside what is being painted
      const bool current = c == col_ && row == row_;
      if (current) {
        FillRect(dc, &cell, selected);
        SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
      }
      RECT text = cell;
      InflateRect(&text, -Scale(2), -Scale(2));
      DrawCellText(dc, cells_[static_cast<size_t>(row * ColCount + c)], text);
      if (current) {
        SetTextColor(dc, textColor);
        if (focused) DrawFocusRect(dc, &cell);
      }
    }
  }
}

}  // namespace tessarin
