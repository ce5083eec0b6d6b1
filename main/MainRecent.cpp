// MainForm's recently used characters: every way out of the program notes its character, and
// the "Recently used" view shows the list.
#include <algorithm>

#include "app/Settings.h"
#include "main/Main.h"

namespace tessarin {

void MainForm::NoteUsed(char32_t cp) {
  if (RecentlyUsed().Use(cp) && InRecentView()) ShowRecentList();
}

void MainForm::NoteUsedText(std::u16string_view text) {
  bool changed = false;
  for (char32_t cp : RecentCharsOfText(text)) changed |= RecentlyUsed().Use(cp);
  if (changed && InRecentView()) ShowRecentList();
}

bool MainForm::InRecentView() const { return grid.CodePointList() != nullptr; }

void MainForm::ShowRecentList() {
  const char32_t selected = InRecentView() ? unicodeSelected_ : 0;
  const auto chars = RecentlyUsed().Chars();
  EnterUnicodeView();
  grid.SetCodePointList(std::vector<char32_t>(chars.begin(), chars.end()));
  viewBox.SetItemIndex(1);
  if (chars.empty()) return DescribeNothing();
  const bool kept = std::find(chars.begin(), chars.end(), selected) != chars.end();
  grid.SelectCodePoint(kept ? selected : chars.front());
}

void MainForm::DescribeNothing() {
  unicodeSelected_ = 0;
  for (ui::Label* label : {&keyLabel, &codeLabel, &entityLabel, &previewLabel}) label->SetText("");
  ShowCharName("");
  InvalidateRect(previewLabel.Handle(), nullptr, TRUE);
  ArrangeDescriptionRow();
}

}  // namespace tessarin
