// TForm1's recently used characters: every way out of the program notes its character, and
// the "Recently used" view shows the list.
#include <algorithm>

#include "app/Settings.h"
#include "main/Main.h"

namespace tessarin {

void TForm1::NoteUsed(char32_t cp) {
  if (RecentlyUsed().Use(cp) && InRecentView()) ShowRecentList();
}

void TForm1::NoteUsedText(std::u16string_view text) {
  bool changed = false;
  for (char32_t cp : RecentCharsOfText(text)) changed |= RecentlyUsed().Use(cp);
  if (changed && InRecentView()) ShowRecentList();
}

bool TForm1::InRecentView() const { return StringAlignGrid1.CodePointList() != nullptr; }

void TForm1::ShowRecentList() {
  const char32_t selected = InRecentView() ? unicodeSelected_ : 0;
  const auto chars = RecentlyUsed().Chars();
  EnterUnicodeView();
  StringAlignGrid1.SetCodePointList(std::vector<char32_t>(chars.begin(), chars.end()));
  BlockComboBox1.SetItemIndex(1);
  if (chars.empty()) return DescribeNothing();
  const bool kept = std::find(chars.begin(), chars.end(), selected) != chars.end();
  StringAlignGrid1.SelectCodePoint(kept ? selected : chars.front());
}

void TForm1::DescribeNothing() {
  unicodeSelected_ = 0;
  for (ui::Label* label : {&Tast, &num, &html_char, &Label1}) label->SetText("");
  ShowCharName("");
  InvalidateRect(Label1.Handle(), nullptr, TRUE);
  ArrangeDescriptionRow();
}

}  // namespace tessarin
