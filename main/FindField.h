// TFindField: the find field of the main window, an edit laid over the lower edge of the
// grid that selects the characters matching its text.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/StdCtrls.h"

namespace tessarin {

// Hidden until opened. Each change of its text finds the matches (FindChars) and reports
// the best through OnFound; Down or F3 and Up or Shift+F3 step through the matches, Enter
// accepts, Esc closes. A text without a match keeps the selection and turns the field's
// background to kNoMatchColor; Enter then leaves the field open and accepts nothing.
class TFindField : public ui::Edit {
 public:
  static constexpr COLORREF kNoMatchColor = RGB(255, 204, 204);

  explicit TFindField(ui::Control* parent);

  // Shows the field along the lower edge of a rectangle of the parent's client area,
  // focused, with its last text selected.
  void Open(const RECT& over);
  // Hides the field; OnClose runs when it was open.
  void Close();
  bool IsOpen() const { return Visible(); }
  // The keys the field handles while it holds the focus; true when the key was taken.
  bool PreviewKey(const MSG& msg);
  // The matches of the current text, best first, and the one shown now.
  const std::vector<unsigned char>& Matches() const { return matches_; }
  bool NoMatch() const { return noMatch_; }

  std::function<void(unsigned char code)> OnFound;
  // The search beyond the page, asked when the page has no match: the query as UTF-8,
  // the code points best first. Its matches are reported through OnFoundBeyond and
  // stepped through as the page's are.
  std::function<std::vector<char32_t>(const std::string& utf8)> FindBeyond;
  std::function<void(char32_t cp)> OnFoundBeyond;
  const std::vector<char32_t>& BeyondMatches() const { return beyond_; }
  // Enter: the field has closed (OnClose ran) and the selection is to be taken.
  std::function<void()> OnAccept;
  // Shift+Enter with a match: the field has closed (OnClose ran) and the selection is to be
  // typed where the user was.
  std::function<void()> OnShiftAccept;
  std::function<void()> OnClose;

 private:
  void TextChanged();
  void Step(int delta);

  // The field's text as UTF-8, read through the wide call: a pasted character beyond the
  // ANSI code page arrives whole.
  std::string Utf8Text() const;
  void Report();

  std::vector<unsigned char> matches_;
  std::vector<char32_t> beyond_;
  size_t current_ = 0;
  bool noMatch_ = false;
};

}  // namespace tessarin
