// What the form tells of its view while the grid shows the Windows-1252 page only.
#include "main/GridCells.h"
#include "main/Main.h"

namespace tessarin {

bool TForm1::InUnicodeView() const { return false; }

char32_t TForm1::SelectedCodePoint() const {
  const char byte = static_cast<char>(CodeOfCell(SelectedCol, SelectedRow));
  wchar_t wide = 0;
  return MultiByteToWideChar(1252, 0, &byte, 1, &wide, 1) == 1 ? static_cast<char32_t>(wide) : 0;
}

}  // namespace tessarin
