// The main window's mouse-button functions over the grid, the magnifier, the plain-text copy,
// the insertion into another application, the notification-area icon and its menu.
#include <cctype>

#include "app/Settings.h"
#include "core/unicode/CharDescriptions.h"
#include "core/HtmlFont.h"
#include "main/Main.h"
#include "ui/WideText.h"
#include "core/unicode/UnicodeText.h"

namespace tessarin {
namespace {

// Shift+Alt+Tab: the platform's window switcher brings the application used before to the
// foreground. The program does not wait for the switch; the keys that follow go into the
// same input stream after these.
void SwitchToPreviousApplication() {
  keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(VK_MENU, 0, 0, 0);
  keybd_event(VK_TAB, 0, 0, 0);
  keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_MENU, 0, KEYEVENTF_KEYUP, 0);
  keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
}

}  // namespace

void TForm1::StringAlignGrid1MouseDown(ui::MouseButton button, ui::ShiftState, int x, int y) {
  // Every press records its point, for the drag that may start from it.
  DragPoint = POINT{x, y};
  const std::uint8_t action = button == ui::MouseButton::Right    ? AppSettings.RMouseKey
                              : button == ui::MouseButton::Middle ? AppSettings.MMouseKey
                                                                  : std::uint8_t{maNone};
  if (action != maMagnify && action != maCopyRtf && action != maCopyHtml && action != maInsert) {
    DragReady = AppSettings.DragDrop != dmOff;
    return;
  }
  int col = 0, row = 0;
  if (!StringAlignGrid1.CellAt(x, y, col, row)) return;  // no cell there: nothing to act on
  if (InRecentView()) {
    // Straight to the cell: the way through another row's column may be past the list's end.
    StringAlignGrid1.SelectCellAt(col, row);
  } else {
    StringAlignGrid1.SetRow(row);
    StringAlignGrid1.SetCol(col);
  }
  if (InUnicodeView() && action == maMagnify) {
    // The magnifier draws the selected code point itself, as the preview does.
    StringAlignGrid1.SetVisible(false);
    mega_label.Invalidate();
    return;
  }
  if (InUnicodeView()) {
    // The character travels as UTF-16, so that it arrives whole wherever it goes.
    const char32_t cp = StringAlignGrid1.CodePointAt(col, row);
    if (cp == 0) return;
    const std::u16string text =
        action == maCopyHtml ? ui::FromAnsi(HtmlOfCodePoint(cp)) : unicode::ToUtf16(cp);
    if (action == maInsert) {
      SwitchToPreviousApplication();
      CopyUnicodeText(text);
      PasteIntoApplication();
    } else {
      CopyUnicodeText(text);
    }
    NoteUsed(cp);
    return;
  }
  // The pressed cell's own character: before the first selection the preview is still
  // empty although a cell is current.
  const std::string character = StringAlignGrid1.Cells(StringAlignGrid1.Col(), StringAlignGrid1.Row());
  switch (action) {
    case maMagnify:
      StringAlignGrid1.SetVisible(false);
      mega_label.SetCaption(character);
      break;
    case maCopyRtf: CopyPlainText(character); break;
    case maCopyHtml: CopyPlainText(EntityText(static_cast<unsigned char>(character[0]))); break;
    case maInsert: InsertIntoApplication(character); break;
    default: break;
  }
  if (action != maMagnify) NoteUsed(unicode::FromWindows1252(static_cast<unsigned char>(character[0])));
}

void TForm1::mega_labelMouseUp() { StringAlignGrid1.SetVisible(true); }

void TForm1::FormMouseMove() { StringAlignGrid1.SetVisible(true); }

void TForm1::CopyPlainText(const std::string& text) {
  Edit_leer.SetText(text);
  Edit_leer.SetSelection(0, -1);
  // The edit's own copy: an empty selection copies nothing and leaves the clipboard be.
  Edit_leer.CopyToClipboard();
}

void TForm1::CopyUnicodeText(const std::u16string& text) {
  // As the plain-text copy: an empty text leaves the clipboard be.
  if (text.empty()) return;
  ui::PutUnicodeOnClipboard(Handle(), text);
}

void TForm1::InsertIntoApplication(const std::string& text) {
  SwitchToPreviousApplication();
  CopyPlainText(text);
  PasteIntoApplication();
}

void TForm1::PasteIntoApplication() {
  SendKey1.SetKeys("{^V}");
  SendKey1.execute();
}

void TForm1::PopupMenu1Popup() {
  ui::MenuItem* const items[] = {&N11, &N21, &N31, &N41, &N51, &N61, &N71, &N81, &N91, &N01};
  for (int i = 1; i <= 10; ++i) {
    ui::MenuItem& item = *items[i - 1];
    item.SetCaption(AppSettings.Texts[static_cast<size_t>(i)]);
    item.SetVisible(!item.Caption().empty());
  }
}

void TForm1::NClick(const ui::MenuItem& item) {
  // "N11" to "N91" name the texts 1 to 9; "N01" names the tenth.
  const std::string& name = item.Name();
  int index = name.size() > 1 && std::isdigit(static_cast<unsigned char>(name[1])) ? name[1] - '0' : 0;
  if (index == 0) index = 10;
  InsertIntoApplication(AppSettings.Texts[static_cast<size_t>(index)]);
}

void TForm1::RxTrayIconClick(ui::MouseButton button, ui::ShiftState, int x, int y) {
  switch (button) {
    case ui::MouseButton::Left: ShowMainWindow(); break;
    case ui::MouseButton::Right: PopupMenu1.Popup(x, y); break;
    default: break;
  }
}

void TForm1::Widget1Click() {
  HandForegroundOn();
  Hide();
}

void TForm1::Tessarineinblenden1Click() { ShowMainWindow(); }

}  // namespace tessarin
