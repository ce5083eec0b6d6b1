// TForm1's side of the installed fonts' coverage: the line naming the fonts that draw the
// selected character, the preview's font for a character the font lacks, the switch to one.
#include <algorithm>
#include <cstdlib>

#include "core/FontList.h"
#include "main/Main.h"
#include "core/unicode/Blocks.h"

namespace tessarin {
namespace {

constexpr const char* kReadingFonts = "Reading the installed fonts...";
constexpr const char* kInNoFont = "In no installed font";
// How many names the line and its tooltip take at most: the line ends in "..." anyway.
constexpr size_t kNamesShown = 40;

bool SameFace(const std::string& a, const std::string& b) { return fontlist::SameName(a, b); }

// A radio item's caption as it reads, without its access-key mark.
std::string Unmarked(std::string caption) {
  caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
  return caption;
}

}  // namespace

UINT TForm1::FontScanMessage() {
  static const UINT message = RegisterWindowMessageA("TessarinFontCoverageRead");
  return message;
}

void TForm1::StartFontScan() {
  if (!fontCoverage_.Started()) fontCoverage_.Start(Handle(), FontScanMessage());
}

void TForm1::FontScanDone() {
  // The line and the preview fill in for the character shown now.
  if (!InUnicodeView()) return;
  ShowFontsWith(unicodeSelected_);
  InvalidateRect(Label1.Handle(), nullptr, TRUE);
}

void TForm1::ShowFontsWith(char32_t cp) {
  StartFontScan();
  ArrangePreview(InUnicodeView());
  const auto index = fontCoverage_.Index();
  fontsWith_.clear();
  if (!index) {
    char_fonts.SetText(kReadingFonts);
    CharFontsTip.SetText(std::string());
    return;
  }
  const unicode::Block* block = unicode::BlockOf(cp);
  fontsWith_ = index->FacesWith(
      cp, block ? unicode::CodeRange{block->first, block->last} : unicode::CodeRange{cp, cp});
  if (fontsWith_.empty()) {
    char_fonts.SetText(kInNoFont);
    CharFontsTip.SetText(std::string());
    return;
  }
  std::string names;
  for (size_t i = 0; i < fontsWith_.size() && i < kNamesShown; ++i) names += (i ? ", " : "") + fontsWith_[i];
  if (fontsWith_.size() > kNamesShown) names += ", ...";
  char_fonts.SetText("In " + names);
  CharFontsTip.SetText("In " + names + "\nA click or Ctrl+Shift+F shows it in the next of them.");
}

std::string TForm1::PreviewFace() const {
  if (!InUnicodeView() || fontsWith_.empty()) return std::string();
  const auto map = StringAlignGrid1.CharMap();
  if (map && map->Has(unicodeSelected_)) return std::string();
  return fontsWith_.front();
}

void TForm1::ArrangePreview(bool unicodeView) {
  // The fonts line takes the lower edge of the preview's room, and gives it back whole, so
  // that the page's layout stays exactly as the layout set it.
  const int line = char_name.Height();
  if (unicodeView) {
    // Made whole again by a layout (its lower edge is no longer the line's upper edge).
    const bool shrunk =
        char_fonts.Visible() && std::abs(Label1.Top() + Label1.Height() - char_fonts.Top()) <= 1;
    if (shrunk) return;
    previewHeight_ = Label1.Height();
    Label1.SetHeight(std::max(0, previewHeight_ - line));
    char_fonts.SetBounds({Label1.Left(), Label1.Top() + previewHeight_ - line, Label1.Width(), line});
    char_fonts.SetVisible(true);
  } else if (char_fonts.Visible()) {
    Label1.SetHeight(previewHeight_);
    char_fonts.SetVisible(false);
  }
}

bool TForm1::CoverageKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != 'F' || !InUnicodeView()) return false;
  if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_SHIFT) >= 0 || GetKeyState(VK_MENU) < 0) return false;
  ShowInFontWithSelected();
  return true;
}

bool TForm1::ListFontInBox(const std::string& face, std::string& note) {
  note.clear();
  FontComboBox1.SetFontName(face);
  if (SameFace(FontComboBox1.FontName(), face)) return true;
  // The filter hides the face (a font of outlines other than TrueType under "All Fonts"):
  // the first other filter that lists it takes its place.
  const int filter = RadioGroup1.ItemIndex();
  for (int other = 0; other < static_cast<int>(RadioGroup1.Count()); ++other) {
    if (other == filter) continue;
    RadioGroup1.SetItemIndex(other);
    FontComboBox1.SetFontName(face);
    if (SameFace(FontComboBox1.FontName(), face)) {
      note = "Fontoptions set to \"" + Unmarked(RadioGroup1.Button(static_cast<size_t>(other)).Text()) + "\"";
      return true;
    }
  }
  RadioGroup1.SetItemIndex(filter);
  return false;
}

void TForm1::ShowInFontWithSelected() {
  if (!InUnicodeView() || fontsWith_.empty()) return;
  const char32_t cp = unicodeSelected_;
  const std::vector<std::string> faces = fontsWith_;
  const std::string current = StringAlignGrid1.GetFont().Name();
  // The next after the font shown now, so that the action steps through them all.
  auto it = std::find_if(faces.begin(), faces.end(),
                         [&current](const std::string& f) { return SameFace(f, current); });
  it = it == faces.end() || it + 1 == faces.end() ? faces.begin() : it + 1;
  const std::string face = *it;
  std::string note;
  if (!ListFontInBox(face, note)) {
    // No filter lists it: the box goes back to the font it showed.
    FontComboBox1.SetFontName(current);
    ShowUnicodeAt(cp);
    if (unicodeSelected_ != cp) DescribeCodePoint(cp);
    char_fonts.SetText(face + " is not in the font list");
    return;
  }
  ShowUnicodeAt(cp);
  if (unicodeSelected_ != cp) DescribeCodePoint(cp);
  if (!note.empty()) {
    char_fonts.SetText(note);
    CharFontsTip.SetText(note + ", which lists " + face);
  }
}

}  // namespace tessarin
