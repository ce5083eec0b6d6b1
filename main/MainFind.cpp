// TForm1's find field: Ctrl+F, or a character typed on the grid, opens it over the grid; its
// matches select cells as clicks do, Enter appends the character found.
#include "app/Settings.h"
#include "grid/GridCells.h"
#include "main/Main.h"
#include "core/unicode/UnicodeSearch.h"

namespace tessarin {
namespace {

void OpenFindField(TForm1& form) {
  // The search over all of Unicode is built now, on the first find, never at start-up.
  unicode::UnicodeSearch::Instance();
  // Along the grid's lower edge, wherever the layout has put the grid.
  form.FindField1.Open(form.StringAlignGrid1.BoundsRect());
}

}  // namespace

void TForm1::WireFindField() {
  FindField1.OnFound = [this](unsigned char code) {
    const GridCell cell = CellOfCode(code);
    StringAlignGrid1.SelectCellAt(cell.col, cell.row);
  };
  // Enter appends the match the field shows, as its code point: whatever the view shows for
  // it, and in the system's code page whatever that is (the page's byte is Windows-1252).
  FindField1.OnAccept = [this] { AppendCodePoint(FindField1.Current()); };
  FindField1.OnClose = [this] { SetActiveControl(&StringAlignGrid1); };
  FindField1.RecentChars = [] {
    const auto chars = RecentlyUsed().Chars();
    return std::vector<char32_t>(chars.begin(), chars.end());
  };
}

bool TForm1::FindFieldKey(const MSG& msg) {
  if (FindField1.PreviewKey(msg)) return true;
  // Type to find: a character typed on the grid (AltGr ones too, which arrive with Ctrl and
  // Alt held) opens the field holding it, so that the hot key and a name find at once. The
  // grid's own keys type no character of 32 or more, and Alt shortcuts arrive as WM_SYSCHAR;
  // a character whose key a shortcut took (keypad + and - step the size) stays swallowed.
  if (msg.message == WM_CHAR && msg.hwnd == StringAlignGrid1.Handle() && msg.wParam >= 32 &&
      msg.wParam != 127 && !swallowChar_) {
    OpenFindField(*this);
    StartFontScan();  // the fonts' coverage too, on its own thread
    // The byte in the system's code page, as the field itself would have taken the key.
    FindField1.SetText(std::string(1, static_cast<char>(msg.wParam)));
    const long end = FindField1.TextLength();
    FindField1.SetSelection(end, end);
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
