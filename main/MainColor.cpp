// The main window's colour choice and the start of a drag out of the grid.
#include <cstdlib>

#include "app/Settings.h"
#include "core/HtmlFont.h"
#include "main/Main.h"
#include "ui/WideText.h"
#include "core/unicode/UnicodeText.h"
#include "websafe/Websafe.h"

namespace tessarin {
namespace {

// The character went somewhere: a target took the drop.
bool Dropped(TDragResult result) {
  return result == drDropCopy || result == drDropMove || result == drDropLink;
}

}  // namespace

void TForm1::color_panel1Click() {
  if (check216.Checked()) {
    // OK applies the colour itself before the dialog closes.
    if (paletteDialog) paletteDialog->Choose([this](COLORREF color) { ApplyTextColor(color); });
    return;
  }
  // The dialog opens on its own last colour, never on the text colour.
  if (ColorDialog1.Execute(Handle())) ApplyTextColor(ColorDialog1.Color());
}

void TForm1::ApplyTextColor(COLORREF color) {
  Gradient1.GetFont().SetColor(color);
  RichEdit1.GetFont().SetColor(color);
  UpdateHtmlEdit();
}

void TForm1::StringAlignGrid1MouseMove(ui::ShiftState shift, int x, int y) {
  if (!DragReady) return;
  const bool noKeys = !shift.shift && !shift.ctrl && !shift.alt;
  const bool leftAlone = shift.left && !shift.right && !shift.middle;
  const bool rightAlone = shift.right && !shift.left && !shift.middle;
  if (!noKeys || !(leftAlone || rightAlone)) return;
  const int threshold = Scale(2);
  if (std::abs(x - DragPoint.x) < threshold && std::abs(y - DragPoint.y) < threshold) return;
  // A settings value outside the modes selects no behaviour: nothing to drag.
  if (AppSettings.DragDrop != dmText && AppSettings.DragDrop != dmTextHtml) return;
  if (InUnicodeView()) {
    // The character, or its HTML fragment, in UTF-16 and, where it converts, as ANSI text too.
    const char32_t cp = SelectedCodePoint();
    if (cp == 0) return;
    if (AppSettings.DragDrop == dmText) {
      DropTextSource1->SetUnicodeText(unicode::ToUtf16(cp));
    } else {
      const std::string html = HtmlOfCodePoint(cp);
      DropTextSource1->SetUnicodeText(ui::FromAnsi(Check_Fontcopy.Checked() ? MakeHtmlFont(html) : html));
    }
    if (Dropped(DropTextSource1->Execute())) NoteUsed(cp);
    return;
  }
  DropTextSource1->ClearUnicodeText();
  DropTextSource1->Text.clear();
  if (AppSettings.DragDrop == dmText) {
    DropTextSource1->Text = Label1.Caption();
  } else {
    DropTextSource1->Text =
        Check_Fontcopy.Checked() ? MakeHtmlFont(html_char.Caption()) : html_char.Caption();
  }
  // Before the first selection the preview is empty: nothing went.
  const bool carried = !DropTextSource1->Text.empty();
  if (Dropped(DropTextSource1->Execute()) && carried) NoteUsed(SelectedCodePoint());
}

}  // namespace tessarin
