// The composition box, its HTML output, the style and size controls, the keyboard
// shortcuts and the two clipboard copies.
#include <algorithm>
#include <optional>
#include <utility>

#include "grid/GridCells.h"
#include "core/HtmlFont.h"
#include "main/Main.h"
#include "ui/WideText.h"
#include "core/unicode/UnicodeText.h"

namespace tessarin {

void MainForm::AppendSelectedChar() {
  if (InUnicodeView()) return AppendSelectedCodePoint();
  // The cell's code is a Windows-1252 one on every system: its character goes in, by the
  // box's ANSI path where the system's code page has it (the page's own bytes on a Western
  // system) and whole otherwise (æ on a Cyrillic one, whose byte 0xE6 is ж).
  AppendCodePoint(unicode::FromWindows1252(CodeOfCell(SelectedCol, SelectedRow)));
}

void MainForm::AppendCodePoint(char32_t cp) {
  if (cp == 0) return;
  const std::u16string text = unicode::ToUtf16(cp);
  // Appended at the end as one edit: the text, its one format and the undo history are
  // kept, and the change handling runs once. A character the ANSI code page has takes the
  // box's ANSI path.
  std::string ansi;
  if (ui::ToAnsi(text, ansi)) {
    composition.Append(ansi);
  } else {
    composition.AppendWide(text);
  }
  NoteUsed(cp);
}

void MainForm::CompositionChange() {
  // One pass over the text: the entity texts in text order, then the selection moves to
  // the last character that has a cell (column first, then row, as a user's move would)
  // and the output line is written once. The text is read wide: a text whose characters
  // are all on the Windows-1252 page takes the page's codes (never the system's ANSI code
  // page, whose bytes mean other characters on a Cyrillic or Greek system); any other takes
  // the walk over code points.
  const std::u16string wide = composition.WideText();
  if (wide.empty()) {
    htmlLabel.SetText("");
    htmlEdit.SetText("");
    return;
  }
  int last = -1;
  std::string text;
  if (ToWindows1252(wide, text)) {
    htmlLabel.SetText(CompositionHtml(text, last));
  } else {
    char32_t lastCodePoint = 0;
    htmlLabel.SetText(CompositionHtml(wide, lastCodePoint));
    last = unicode::Windows1252Byte(lastCodePoint);
  }
  // The Unicode view keeps its own selection: the walk belongs to the page.
  if (last >= 32 && !InUnicodeView()) {
    const GridCell cell = CellOfCode(static_cast<unsigned char>(last));
    if (cell.col == grid.Col() && cell.row == grid.Row()) {
      // The walk through the text would have passed other cells and come back here:
      // the labels describe this character even when the cell was current already.
      bool canSelect = true;
      GridSelectCell(cell.col, cell.row, canSelect);
    } else {
      grid.SetCol(cell.col);
      grid.SetRow(cell.row);
    }
  }
  UpdateHtmlEdit();
}

void MainForm::UpdateHtmlEdit() {
  htmlEdit.SetText(htmlStylesCheck.Checked() ? MakeHtmlFont(htmlLabel.Caption()) : htmlLabel.Caption());
}

std::string MainForm::MakeHtmlFont(const std::string& text) {
  const HtmlStyles styles{boldCheck.Checked(), italicCheck.Checked(), strikeCheck.Checked(),
                          underlineCheck.Checked()};
  return MakeHtmlFontText(text, ui::ResolveColor(colorButton.GetFont().Color()), fontBox.FontName(), styles);
}

void MainForm::ApplyStyle(bool on, bool ui::FontStyles::*flag) {
  for (ui::Control* view : {static_cast<ui::Control*>(&magnifier), static_cast<ui::Control*>(&previewLabel),
                            static_cast<ui::Control*>(&composition), static_cast<ui::Control*>(&grid)}) {
    ui::FontStyles style = view->GetFont().Style();
    style.*flag = on;
    view->GetFont().SetStyle(style);
  }
  UpdateHtmlEdit();
}

void MainForm::BoldClick() { ApplyStyle(boldCheck.Checked(), &ui::FontStyles::bold); }
void MainForm::ItalicClick() { ApplyStyle(italicCheck.Checked(), &ui::FontStyles::italic); }
void MainForm::StrikeClick() { ApplyStyle(strikeCheck.Checked(), &ui::FontStyles::strikeOut); }
void MainForm::UnderlineClick() { ApplyStyle(underlineCheck.Checked(), &ui::FontStyles::underline); }
void MainForm::HtmlStylesClick() { UpdateHtmlEdit(); }

void MainForm::SizeChange() {
  // A typed value outside 1 to 256 applies while the field has the focus (it is put back
  // into the range when the focus leaves); a negative or absurd one applies as 1 point or
  // as the largest size the composition box can show.
  composition.GetFont().SetSize(std::clamp(sizeEdit.Value(), 1, 1638));
}

bool MainForm::FormKeyDown(WORD key, ui::ShiftState shift, bool controlFocused) {
  bool acted = false;
  // The numeric keypad's minus and plus step the size, unless an edit field holds the
  // focus and needs the key for typing.
  const bool typing = controlFocused && (composition.Focused() || htmlEdit.Focused() || sizeEdit.Focused() ||
                                         findField.Focused());
  const int size = std::clamp(sizeEdit.Value(), sizeEdit.MinValue(), sizeEdit.MaxValue());
  if (key == VK_SUBTRACT && !typing) {
    sizeEdit.SetValue(std::max(sizeEdit.MinValue(), size - 1));
    acted = true;
  }
  if (key == VK_ADD && !typing) {
    sizeEdit.SetValue(std::min(sizeEdit.MaxValue(), size + 1));
    acted = true;
  }
  const bool altAlone =
      shift.alt && !shift.shift && !shift.ctrl && !shift.left && !shift.right && !shift.middle;
  if (!altAlone) return acted;
  auto toggle = [&](ui::CheckBox& box) {
    box.SetChecked(!box.Checked());
    acted = true;
  };
  if (key == 'B' || key == 'F') toggle(boldCheck);
  if (key == 'I' || key == 'K') toggle(italicCheck);
  // Alt+S is the access key of "&Select" while a control holds the focus.
  if (key == 'D' || (key == 'S' && !controlFocused)) toggle(strikeCheck);
  if (key == 'U') toggle(underlineCheck);
  if (key == '2') toggle(webSafeCheck);
  return acted;
}

bool MainForm::PreviewKey(MSG& msg) {
  if (FindFieldKey(msg)) return true;
  if (CoverageKey(msg)) {
    swallowChar_ = true;  // its Ctrl+Shift+F character goes nowhere
    return true;
  }
  if (TypingKey(msg)) return true;
  if ((msg.message == WM_SYSCHAR || msg.message == WM_CHAR) && swallowChar_) {
    // The shortcut acted on the key: its character goes nowhere else (no menu beep, no
    // check box ticked by "+").
    swallowChar_ = false;
    return true;
  }
  // Access keys of the buttons that draw themselves (Alt+T clicks colorButton); the
  // dialog manager handles those of the standard controls.
  if (msg.message == WM_SYSCHAR && BaseButton::DispatchAccessKey(Handle(), static_cast<char>(msg.wParam)))
    return true;
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const bool controlFocused = GetFocus() != Handle();
  ui::ShiftState shift = ui::ShiftState::FromKeyboard();
  shift.left = GetKeyState(VK_LBUTTON) < 0;
  shift.right = GetKeyState(VK_RBUTTON) < 0;
  shift.middle = GetKeyState(VK_MBUTTON) < 0;
  const bool acted = FormKeyDown(static_cast<WORD>(msg.wParam), shift, controlFocused);
  swallowChar_ = acted;
  return false;  // the key goes on to the control as usual
}

namespace {

// Copies the control's selection; with nothing selected, all of it, leaving the caret
// at the start of the text, scrolled into view. The range copied, or none.
std::optional<std::pair<long, long>> CopySelectionOrAll(ui::Edit& edit) {
  // An empty control copies nothing: the clipboard keeps what it holds.
  if (edit.TextLength() == 0) return std::nullopt;
  long start = 0, end = 0;
  edit.GetSelection(start, end);
  if (end != start) {
    edit.CopyToClipboard();
    return std::pair{std::min(start, end), std::max(start, end)};
  }
  edit.SetSelection(0, -1);
  edit.CopyToClipboard();
  edit.SetSelection(0, 0);
  edit.ScrollCaretIntoView();
  return std::pair{0L, -1L};
}

}  // namespace

void MainForm::CopyRtfClick() {
  const auto copied = CopySelectionOrAll(composition);
  if (!copied) return;
  // The characters of what was copied; the box counts a line end as one position, as its
  // text read here has it.
  const std::u16string text = composition.WideText();
  const auto [start, end] = *copied;
  const size_t from = std::min(text.size(), static_cast<size_t>(start));
  NoteUsedText(end < 0 ? std::u16string_view(text)
                       : std::u16string_view(text).substr(from, static_cast<size_t>(end - start)));
}

void MainForm::CopyHtmlClick() {
  // The HTML line is the composition's text: its characters are the composition's.
  if (CopySelectionOrAll(htmlEdit)) NoteUsedText(composition.WideText());
}

}  // namespace tessarin
