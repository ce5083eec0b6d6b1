// TForm1's find field: Ctrl+F opens it over the grid, its matches select cells as clicks
// do, Enter appends the character as "&Select" does.
#include "app/Settings.h"
#include "main/GridCells.h"
#include "main/Main.h"
#include "unicode/UnicodeSearch.h"

namespace tessarin {

void TForm1::WireFindField() {
  FindField1.OnFound = [this](unsigned char code) {
    const GridCell cell = CellOfCode(code);
    StringAlignGrid1.SelectCellAt(cell.col, cell.row);
  };
  FindField1.OnAccept = [this] { AppendSelectedChar(); };
  FindField1.OnClose = [this] { SetActiveControl(&StringAlignGrid1); };
  FindField1.RecentChars = [] {
    const auto chars = RecentlyUsed().Chars();
    return std::vector<char32_t>(chars.begin(), chars.end());
  };
}

bool TForm1::FindFieldKey(const MSG& msg) {
  if (FindField1.PreviewKey(msg)) return true;
  if (msg.message != WM_KEYDOWN || msg.wParam != 'F') return false;
  // The key states after the key: each read is a trip to the server under Wine.
  if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0) return false;
  // The search over all of Unicode is built now, on the first Ctrl+F, never at start-up.
  unicode::UnicodeSearch::Instance();
  // Along the grid's lower edge, wherever the layout has put the grid.
  FindField1.Open(StringAlignGrid1.BoundsRect());
  return true;
}

}  // namespace tessarin
