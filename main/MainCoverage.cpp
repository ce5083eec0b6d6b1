// MainForm's side of the installed fonts' coverage: the line naming the fonts that draw the
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

UINT MainForm::FontScanMessage() {
  static const UINT message = RegisterWindowMessageA("TessarinFontCoverageRead");
  return message;
}

void MainForm::StartFontScan() {
  if (!fontCoverage_.Started()) fontCoverage_.Start(Handle(), FontScanMessage());
}

void MainForm::FontScanDone() {
  // The line and the preview fill in for the character shown now.
  if (!InUnicodeView()) return;
  ShowFontsWith(unicodeSelected_);
  InvalidateRect(previewLabel.Handle(), nullptr, TRUE);
}

void MainForm::ShowFontsWith(char32_t cp) {
  StartFontScan();
  ArrangePreview(InUnicodeView());
  const auto index = fontCoverage_.Index();
  fontsWith_.clear();
  if (!index) {
    fontsLabel.SetText(kReadingFonts);
    fontsTip.SetText(std::string());
    return;
  }
  const unicode::Block* block = unicode::BlockOf(cp);
  fontsWith_ = index->FacesWith(
      cp, block ? unicode::CodeRange{block->first, block->last} : unicode::CodeRange{cp, cp});
  if (fontsWith_.empty()) {
    fontsLabel.SetText(kInNoFont);
    fontsTip.SetText(std::string());
    return;
  }
  std::string names;
  for (size_t i = 0; i < fontsWith_.size() && i < kNamesShown; ++i) names += (i ? ", " : "") + fontsWith_[i];
  if (fontsWith_.size() > kNamesShown) names += ", ...";
  fontsLabel.SetText("In " + names);
  fontsTip.SetText("In " + names + "\nA click or Ctrl+Shift+F shows it in the next of them.");
}

std::string MainForm::PreviewFace() const {
  if (!InUnicodeView() || fontsWith_.empty()) return std::string();
  const auto map = grid.CharMap();
  if (map && map->Has(unicodeSelected_)) return std::string();
  return fontsWith_.front();
}

void MainForm::ArrangePreview(bool unicodeView) {
  // The fonts line takes the lower edge of the preview's room, and gives it back whole, so
  // that the page's layout stays exactly as the layout set it.
  const int line = nameLabel.Height();
  if (unicodeView) {
    // Made whole again by a layout (its lower edge is no longer the line's upper edge).
    const bool shrunk =
        fontsLabel.Visible() && std::abs(previewLabel.Top() + previewLabel.Height() - fontsLabel.Top()) <= 1;
    if (shrunk) return;
    previewHeight_ = previewLabel.Height();
    previewLabel.SetHeight(std::max(0, previewHeight_ - line));
    fontsLabel.SetBounds(
        {previewLabel.Left(), previewLabel.Top() + previewHeight_ - line, previewLabel.Width(), line});
    fontsLabel.SetVisible(true);
  } else if (fontsLabel.Visible()) {
    previewLabel.SetHeight(previewHeight_);
    fontsLabel.SetVisible(false);
  }
}

bool MainForm::CoverageKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != 'F' || !InUnicodeView()) return false;
  if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_SHIFT) >= 0 || GetKeyState(VK_MENU) < 0) return false;
  ShowInFontWithSelected();
  return true;
}

bool MainForm::ListFontInBox(const std::string& face, std::string& note) {
  note.clear();
  fontBox.SetFontName(face);
  if (SameFace(fontBox.FontName(), face)) return true;
  // The filter hides the face (a font of outlines other than TrueType under "All Fonts"):
  // the first other filter that lists it takes its place.
  const int filter = fontFilterGroup.ItemIndex();
  for (int other = 0; other < static_cast<int>(fontFilterGroup.Count()); ++other) {
    if (other == filter) continue;
    fontFilterGroup.SetItemIndex(other);
    fontBox.SetFontName(face);
    if (SameFace(fontBox.FontName(), face)) {
      note = "Fontoptions set to \"" + Unmarked(fontFilterGroup.Button(static_cast<size_t>(other)).Text()) +
             "\"";
      return true;
    }
  }
  fontFilterGroup.SetItemIndex(filter);
  return false;
}

void MainForm::ShowInFontWithSelected() {
  if (!InUnicodeView() || fontsWith_.empty()) return;
  const char32_t cp = unicodeSelected_;
  const std::vector<std::string> faces = fontsWith_;
  const std::string current = grid.GetFont().Name();
  // The next after the font shown now, so that the action steps through them all.
  auto it = std::find_if(faces.begin(), faces.end(),
                         [&current](const std::string& f) { return SameFace(f, current); });
  it = it == faces.end() || it + 1 == faces.end() ? faces.begin() : it + 1;
  const std::string face = *it;
  std::string note;
  if (!ListFontInBox(face, note)) {
    // No filter lists it: the box goes back to the font it showed.
    fontBox.SetFontName(current);
    ShowUnicodeAt(cp);
    if (unicodeSelected_ != cp) DescribeCodePoint(cp);
    fontsLabel.SetText(face + " is not in the font list");
    return;
  }
  ShowUnicodeAt(cp);
  if (unicodeSelected_ != cp) DescribeCodePoint(cp);
  if (!note.empty()) {
    fontsLabel.SetText(note);
    fontsTip.SetText(note + ", which lists " + face);
  }
}

}  // namespace tessarin
