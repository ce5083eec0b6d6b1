// FindField: the find field of the main window, an edit laid over the lower edge of the
// grid that selects the characters matching its text.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/StdCtrls.h"

namespace tessarin {

// Hidden until opened. Each change of its text finds the matches over the page and, when
// FindBeyond is given, over all of Unicode together, and reports the best: a character of
// the page through OnFound, any other through OnFoundBeyond. Down or F3 and Up or Shift+F3
// step through the matches, Enter accepts the one shown, Esc closes. A text without a match
// keeps the selection and turns the field's background to kNoMatchColor; Enter then leaves
// the field open and accepts nothing.
class FindField : public ui::Edit {
 public:
  static constexpr COLORREF kNoMatchColor = RGB(255, 204, 204);

  explicit FindField(ui::Control* parent);

  // Shows the field along the lower edge of a rectangle of the parent's client area,
  // focused, with its last text selected.
  void Open(const RECT& over);
  // Hides the field; OnClose runs when it was open.
  void Close();
  bool IsOpen() const { return Visible(); }
  // The keys the field handles while it holds the focus; true when the key was taken.
  bool PreviewKey(const MSG& msg);
  // The matches of the current text as code points, best first.
  const std::vector<char32_t>& Matches() const { return matches_; }
  // The match shown now; 0 when there is none.
  char32_t Current() const { return matches_.empty() ? 0 : matches_[current_]; }
  bool NoMatch() const { return noMatch_; }
  // The field's text in UTF-16, as typed or pasted: whole whatever the system's code page.
  std::u16string WideText() const;

  std::function<void(unsigned char code)> OnFound;
  // The search over all of Unicode: the query as UTF-8, the code points best first, the
  // page's characters ranked among them. A match the page lacks is reported through
  // OnFoundBeyond.
  std::function<std::vector<char32_t>(const std::string& utf8)> FindBeyond;
  std::function<void(char32_t cp)> OnFoundBeyond;
  // The recently used characters, most recent first: they rank first among equal matches.
  std::function<std::vector<char32_t>()> RecentChars;
  // Enter: the field has closed (OnClose ran) and the selection is to be taken.
  std::function<void()> OnAccept;
  // Shift+Enter with a match: the field has closed (OnClose ran) and the selection is to be
  // typed where the user was.
  std::function<void()> OnShiftAccept;
  std::function<void()> OnClose;

 private:
  void TextChanged();
  void Step(int delta);
  void Report();

  std::vector<char32_t> matches_;
  size_t current_ = 0;
  bool noMatch_ = false;
};

}  // namespace tessarin
