// MainForm's find field: Ctrl+F, or a character typed on the grid, opens it over the grid; its
// matches select cells as clicks do, Enter appends the character found.
#include "app/Settings.h"
#include "grid/GridCells.h"
#include "main/Main.h"
#include "core/unicode/UnicodeSearch.h"

namespace tessarin {
namespace {

void OpenFindField(MainForm& form) {
  // The search over all of Unicode is built now, on the first find, never at start-up.
  unicode::UnicodeSearch::Instance();
  // Along the grid's lower edge, wherever the layout has put the grid.
  form.findField.Open(form.grid.BoundsRect());
}

}  // namespace

void MainForm::WireFindField() {
  findField.OnFound = [this](unsigned char code) {
    const GridCell cell = CellOfCode(code);
    grid.SelectCellAt(cell.col, cell.row);
  };
  // Enter appends the match the field shows, as its code point: whatever the view shows for
  // it, and in the system's code page whatever that is (the page's byte is Windows-1252).
  findField.OnAccept = [this] { AppendCodePoint(findField.Current()); };
  findField.OnClose = [this] { SetActiveControl(&grid); };
  findField.RecentChars = [] {
    const auto chars = RecentlyUsed().Chars();
    return std::vector<char32_t>(chars.begin(), chars.end());
  };
}

bool MainForm::FindFieldKey(const MSG& msg) {
  if (findField.PreviewKey(msg)) return true;
  // Type to find: a character typed on the grid (AltGr ones too, which arrive with Ctrl and
  // Alt held) opens the field holding it, so that the hot key and a name find at once. The
  // grid's own keys type no character of 32 or more, and Alt shortcuts arrive as WM_SYSCHAR;
  // a character whose key a shortcut took (keypad + and - step the size) stays swallowed.
  if (msg.message == WM_CHAR && msg.hwnd == grid.Handle() && msg.wParam >= 32 && msg.wParam != 127 &&
      !swallowChar_) {
    OpenFindField(*this);
    StartFontScan();  // the fonts' coverage too, on its own thread
    // The byte in the system's code page, as the field itself would have taken the key.
    findField.SetText(std::string(1, static_cast<char>(msg.wParam)));
    const long end = findField.TextLength();
    findField.SetSelection(end, end);
    return true;
  }
  if (msg.message != WM_KEYDOWN || msg.wParam != 'F') return false;
  // The key states after the key: each read is a trip to the server under Wine.
  if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0 || GetKeyState(VK_SHIFT) < 0) return false;
  OpenFindField(*this);
  StartFontScan();
  return true;
}

}  // namespace tessarin
