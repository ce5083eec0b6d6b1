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
bool Dropped(DragResult result) {
  return result == drDropCopy || result == drDropMove || result == drDropLink;
}

}  // namespace

void MainForm::ColorClick() {
  if (webSafeCheck.Checked()) {
    // OK applies the colour itself before the dialog closes.
    if (paletteDialog) paletteDialog->Choose([this](COLORREF color) { ApplyTextColor(color); });
    return;
  }
  // The dialog opens on its own last colour, never on the text colour.
  if (colorDialog.Execute(Handle())) ApplyTextColor(colorDialog.Color());
}

void MainForm::ApplyTextColor(COLORREF color) {
  colorButton.GetFont().SetColor(color);
  composition.GetFont().SetColor(color);
  UpdateHtmlEdit();
}

void MainForm::GridMouseMove(ui::ShiftState shift, int x, int y) {
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
      dragSource->SetUnicodeText(unicode::ToUtf16(cp));
    } else {
      const std::string html = HtmlOfCodePoint(cp);
      dragSource->SetUnicodeText(ui::FromAnsi(htmlStylesCheck.Checked() ? MakeHtmlFont(html) : html));
    }
    if (Dropped(dragSource->Execute())) NoteUsed(cp);
    return;
  }
  dragSource->ClearUnicodeText();
  dragSource->Text.clear();
  if (AppSettings.DragDrop == dmText) {
    dragSource->Text = previewLabel.Caption();
  } else {
    dragSource->Text =
        htmlStylesCheck.Checked() ? MakeHtmlFont(entityLabel.Caption()) : entityLabel.Caption();
  }
  // Before the first selection the preview is empty: nothing went.
  const bool carried = !dragSource->Text.empty();
  if (Dropped(dragSource->Execute()) && carried) NoteUsed(SelectedCodePoint());
}

}  // namespace tessarin
