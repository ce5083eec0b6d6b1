// The main window's side of the font box: applying the chosen font and the font filter.
#include "core/FontList.h"
#include "main/Main.h"

namespace tessarin {

void MainForm::FontBoxChange() { ApplyFont(); }

void MainForm::ApplyFont() {
  const std::string name = fontBox.FontName();
  // An empty face name leaves a font as it is; the character set and the HTML output
  // are still brought up to date.
  const auto setName = [&name](ui::Control& control) {
    if (!name.empty()) control.GetFont().SetName(name);
  };
  setName(previewLabel);
  setName(magnifier);
  const BYTE charset = FontCharsetFor(name);
  grid.GetFont().SetCharset(charset);
  previewLabel.GetFont().SetCharset(charset);
  setName(grid);
  setName(composition);
  UpdateHtmlEdit();
}

BYTE MainForm::FontCharsetFor(const std::string& name) { return fontlist::CharsetForName(name); }

void MainForm::FontFilterClick() {
  const int index = fontFilterGroup.ItemIndex();
  switch (index) {
    case 0: fontBox.SetOptions(foTrueTypeOnly); break;
    case 1: fontBox.SetOptions(foAnsiOnly); break;
    case 2: fontBox.SetOptions(foSymbolOnly); break;
    default: break;
  }
  fontBox.SetEnabled(true);
  fontBox.SetColor(ui::kSysColor | COLOR_WINDOW);
  // Symbol names are never drawn in their own font, so the switch has nothing to do
  // there; it keeps its mark for the way back.
  if (index == 0 || index == 1) ownFontNamesCheck.SetEnabled(true);
  if (index == 2) ownFontNamesCheck.SetEnabled(false);
  // A font the new filter dropped gives way to the first font of the list; selecting it
  // raises no change, so it is applied here.
  if (fontBox.FontName().empty()) {
    fontBox.SetItemIndex(0);
    ApplyFont();
  }
}

void MainForm::OwnFontNamesClick() { fontBox.SetUseFonts(ownFontNamesCheck.Checked()); }

}  // namespace tessarin
