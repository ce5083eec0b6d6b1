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

void MainForm::GridMouseDown(ui::MouseButton button, ui::ShiftState, int x, int y) {
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
  if (!grid.CellAt(x, y, col, row)) return;  // no cell there: nothing to act on
  if (InRecentView()) {
    // Straight to the cell: the way through another row's column may be past the list's end.
    grid.SelectCellAt(col, row);
  } else {
    grid.SetRow(row);
    grid.SetCol(col);
  }
  if (InUnicodeView() && action == maMagnify) {
    // The magnifier draws the selected code point itself, as the preview does.
    grid.SetVisible(false);
    magnifier.Invalidate();
    return;
  }
  if (InUnicodeView()) {
    // The character travels as UTF-16, so that it arrives whole wherever it goes.
    const char32_t cp = grid.CodePointAt(col, row);
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
  const std::string character = grid.Cells(grid.Col(), grid.Row());
  switch (action) {
    case maMagnify:
      grid.SetVisible(false);
      magnifier.SetCaption(character);
      break;
    case maCopyRtf: CopyPlainText(character); break;
    case maCopyHtml: CopyPlainText(EntityText(static_cast<unsigned char>(character[0]))); break;
    case maInsert: InsertIntoApplication(character); break;
    default: break;
  }
  if (action != maMagnify) NoteUsed(unicode::FromWindows1252(static_cast<unsigned char>(character[0])));
}

void MainForm::MagnifierMouseUp() { grid.SetVisible(true); }

void MainForm::FormMouseMove() { grid.SetVisible(true); }

void MainForm::CopyPlainText(const std::string& text) {
  clipboardEdit.SetText(text);
  clipboardEdit.SetSelection(0, -1);
  // The edit's own copy: an empty selection copies nothing and leaves the clipboard be.
  clipboardEdit.CopyToClipboard();
}

void MainForm::CopyUnicodeText(const std::u16string& text) {
  // As the plain-text copy: an empty text leaves the clipboard be.
  if (text.empty()) return;
  ui::PutUnicodeOnClipboard(Handle(), text);
}

void MainForm::InsertIntoApplication(const std::string& text) {
  SwitchToPreviousApplication();
  CopyPlainText(text);
  PasteIntoApplication();
}

void MainForm::PasteIntoApplication() {
  keySender.SetKeys("{^V}");
  keySender.execute();
}

void MainForm::TrayMenuPopup() {
  for (std::size_t i = 0; i < insertItems.size(); ++i) {
    ui::MenuItem& item = *insertItems[i];
    item.SetCaption(AppSettings.Texts[i + 1]);
    item.SetVisible(!item.Caption().empty());
  }
}

void MainForm::InsertItemClick(int index) {
  InsertIntoApplication(AppSettings.Texts[static_cast<std::size_t>(index)]);
}

void MainForm::TrayIconClick(ui::MouseButton button, ui::ShiftState, int x, int y) {
  switch (button) {
    case ui::MouseButton::Left: ShowMainWindow(); break;
    case ui::MouseButton::Right: trayMenu.Popup(x, y); break;
    default: break;
  }
}

void MainForm::CaptionButtonClick() {
  HandForegroundOn();
  Hide();
}

void MainForm::ShowItemClick() { ShowMainWindow(); }

}  // namespace tessarin
