// The main window's side of the font box: applying the chosen font and the font filter.
#include "core/FontList.h"
#include "main/Main.h"

namespace tessarin {

void TForm1::FontComboBox1Change() { ApplyFont(); }

void TForm1::ApplyFont() {
  const std::string name = FontComboBox1.FontName();
  // An empty face name leaves a font as it is; the character set and the HTML output
  // are still brought up to date.
  const auto setName = [&name](ui::Control& control) {
    if (!name.empty()) control.GetFont().SetName(name);
  };
  setName(Label1);
  setName(mega_label);
  const BYTE charset = FontCharsetFor(name);
  StringAlignGrid1.GetFont().SetCharset(charset);
  Label1.GetFont().SetCharset(charset);
  setName(StringAlignGrid1);
  setName(RichEdit1);
  UpdateHtmlEdit();
}

BYTE TForm1::FontCharsetFor(const std::string& name) { return fontlist::CharsetForName(name); }

void TForm1::RadioGroup1Click() {
  const int index = RadioGroup1.ItemIndex();
  switch (index) {
    case 0: FontComboBox1.SetOptions(foTrueTypeOnly); break;
    case 1: FontComboBox1.SetOptions(foAnsiOnly); break;
    case 2: FontComboBox1.SetOptions(foSymbolOnly); break;
    default: break;
  }
  FontComboBox1.SetEnabled(true);
  FontComboBox1.SetColor(ui::kSysColor | COLOR_WINDOW);
  // Symbol names are never drawn in their own font, so the switch has nothing to do
  // there; it keeps its mark for the way back.
  if (index == 0 || index == 1) CheckBox1.SetEnabled(true);
  if (index == 2) CheckBox1.SetEnabled(false);
  // A font the new filter dropped gives way to the first font of the list; selecting it
  // raises no change, so it is applied here.
  if (FontComboBox1.FontName().empty()) {
    FontComboBox1.SetItemIndex(0);
    ApplyFont();
  }
}

void TForm1::CheckBox1Click() { FontComboBox1.SetUseFonts(CheckBox1.Checked()); }

}  // namespace tessarin
