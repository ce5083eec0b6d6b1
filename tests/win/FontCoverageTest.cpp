// screens: 1024x768+unicode
// What the installed fonts draw, read on a thread of its own, and the main window's use of
// it: the fonts named for a character, one the font lacks drawn from another, the switch.
// Expected ranges come from fontconfig's account of the font files (data/FontCharsets.inc).
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"

using namespace tessarin;
using unicode::CodeRange;

namespace {

struct FontCharset {
  const char* family;
  const char* charset;
};
const FontCharset kFontCharsets[] = {
#include "tests/win/data/FontCharsets.inc"
};

// fontconfig's "20-7e a0-377 ..." as ranges; control characters left out, as it leaves out
// those with blank glyphs.
std::vector<CodeRange> ParseCharset(const std::string& text) {
  std::vector<CodeRange> ranges;
  std::istringstream in(text);
  for (std::string item; in >> item;) {
    unsigned first = 0, last = 0;
    if (std::sscanf(item.c_str(), "%x-%x", &first, &last) < 2) last = first;
    ranges.push_back({first, last});
  }
  return ranges;
}

std::vector<CodeRange> WithoutControls(std::vector<CodeRange> ranges) {
  std::vector<CodeRange> kept;
  for (CodeRange r : ranges) {
    if (r.last < 0x20) continue;
    if (r.first < 0x20) r.first = 0x20;
    kept.push_back(r);
  }
  return kept;
}

const std::vector<CodeRange>& Expected(const std::string& family) {
  static std::map<std::string, std::vector<CodeRange>> parsed;
  auto& ranges = parsed[family];
  for (const FontCharset& f : kFontCharsets)
    if (family == f.family && ranges.empty()) ranges = ParseCharset(f.charset);
  return ranges;
}

int CALLBACK AddFamilyType(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM data) {
  (*reinterpret_cast<std::map<std::string, DWORD>*>(data))[font->lfFaceName] |= type;
  return 1;
}

// The families of the screen and their font types, as the platform reports them.
std::map<std::string, DWORD> FamilyTypes() {
  std::map<std::string, DWORD> types;
  HDC dc = GetDC(nullptr);
  LOGFONTA all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(dc, &all, &AddFamilyType, reinterpret_cast<LPARAM>(&types), 0);
  ReleaseDC(nullptr, dc);
  return types;
}

class FontCoverage : public testing_support::MainWindowTest {
 protected:
  std::shared_ptr<const unicode::FontCoverage> Scanned() {
    EXPECT_TRUE(WaitUntil([&] { return form->FontCoverage().Index() != nullptr; }, std::chrono::seconds(60)));
    return form->FontCoverage().Index();
  }
  void OpenFind() {
    form->grid.SetFocus();
    Keys({'F'}, {VK_CONTROL});
    ASSERT_TRUE(WaitUntil([&] { return form->findField.IsOpen(); }));
  }
  void ClickFontsLine() {
    const RECT r = form->fontsLabel.BoundsRect();
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(GetParent(form->fontsLabel.Handle()), &centre);
    testing_support::ClickAt(centre.x, centre.y);
    Settle();
  }
  bool Selected(char32_t cp, const std::string& font) {
    return WaitUntil([&] {
      return form->fontBox.FontName() == font && form->grid.GetFont().Name() == font &&
             form->InUnicodeView() && form->SelectedCodePoint() == cp &&
             form->grid.CodePointAt(form->grid.Col(), form->grid.Row()) == cp;
    });
  }
  // The share of the preview's pixels that are not its white background.
  int InkedPerMille() {
    RECT r = form->previewLabel.BoundsRect();
    MapWindowPoints(GetParent(form->previewLabel.Handle()), nullptr, reinterpret_cast<POINT*>(&r), 2);
    const auto pixels = testing_support::ScreenPixels(r);
    size_t inked = 0;
    for (DWORD p : pixels) inked += (p & 0xFFFFFF) != 0xFFFFFF;
    return pixels.empty() ? 0 : static_cast<int>(inked * 1000 / pixels.size());
  }
};

TEST_F(FontCoverage, TheScanStartsOnFirstNeedReadsEveryFaceWithATableAndAgainWhenFontsChange) {
  // Drawn and idle, nothing read yet.
  EXPECT_FALSE(form->FontCoverage().Started());
  EXPECT_EQ(form->FontCoverage().Index(), nullptr);
  OpenFind();
  EXPECT_TRUE(form->FontCoverage().Started());
  const auto index = Scanned();
  ASSERT_NE(index, nullptr);
  EXPECT_EQ(form->FontCoverage().Completed(), 1u);

  // Every face with outlines is there whatever its type (Unifont's are CFF), a raster face
  // has no table to read; the ranges are those fontconfig reads.
  const auto types = FamilyTypes();
  ASSERT_TRUE(types.count("Unifont") && (types.at("Unifont") & DEVICE_FONTTYPE));
  for (const auto& [family, type] : types) {
    if (family[0] == '@') continue;
    if (type & (TRUETYPE_FONTTYPE | DEVICE_FONTTYPE))
      EXPECT_FALSE(index->RangesOf(family).empty()) << family;
    else
      EXPECT_TRUE(index->RangesOf(family).empty()) << family;
  }
  for (const char* family : {"Symbola", "Unifont", "Unifont Upper", "Liberation Sans", "Tahoma"})
    EXPECT_EQ(WithoutControls(index->RangesOf(family)), WithoutControls(Expected(family))) << family;
  // Arial stands for Liberation Sans and shares its ranges.
  EXPECT_EQ(index->RangesOf("Arial"), index->RangesOf("Liberation Sans"));
  EXPECT_LT(index->SetCount(), index->FaceCount());
  EXPECT_EQ(index->FacesWith(0x1F600), (std::vector<std::string>{"Symbola", "Unifont Upper"}));
  EXPECT_TRUE(index->FacesWith(0x2192).size() >= 2);
  EXPECT_TRUE(index->RangesOf("DejaVu Sans").empty());

  // A font added: read again on the news, the new font among the rest.
  const wchar_t* dejaVu = L"Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";
  ASSERT_GT(AddFontResourceExW(dejaVu, FR_PRIVATE, nullptr), 0);
  SendMessageA(form->Handle(), WM_FONTCHANGE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return form->FontCoverage().Completed() == 2; }, std::chrono::seconds(60)));
  const auto again = form->FontCoverage().Index();
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(WithoutControls(again->RangesOf("DejaVu Sans")), WithoutControls(Expected("DejaVu Sans")));
  EXPECT_EQ(again->RangesOf("Symbola"), index->RangesOf("Symbola"));
  RemoveFontResourceExW(dejaVu, FR_PRIVATE, nullptr);
}

TEST_F(FontCoverage, ACharacterArialLacksIsDescribedDrawnFromSymbolaAndAClickShowsItThere) {
  ASSERT_EQ(form->fontBox.FontName(), "Arial");
  const RECT preview = form->previewLabel.BoundsRect();
  OpenFind();
  // What the search reports beyond the page: U+1F600, which Arial lacks.
  form->findField.OnFoundBeyond(0x1F600);
  Settle();
  EXPECT_EQ(form->codeLabel.Text(), "U+1F600");
  EXPECT_EQ(form->entityLabel.Text(), "&#128512;");
  EXPECT_EQ(form->nameLabel.Text(), "GRINNING FACE (not in Arial)");
  EXPECT_EQ(form->SelectedCodePoint(), 0x1F600u);
  // Until the fonts are read the line says so; then it names the fonts that have it, and the
  // preview draws it from the first.
  const std::string line = form->fontsLabel.Text();
  const std::string fonts = "In Symbola, Unifont Upper";
  EXPECT_TRUE(line == "Reading the installed fonts..." || line == fonts) << line;
  ASSERT_TRUE(WaitUntil([&] { return form->fontsLabel.Text() == fonts; }, std::chrono::seconds(60)));
  EXPECT_TRUE(IsWindowVisible(form->fontsLabel.Handle()));
  // The line takes the lower edge of the preview's room, over nothing else.
  const RECT shrunk = form->previewLabel.BoundsRect(), fontsLine = form->fontsLabel.BoundsRect();
  EXPECT_EQ(shrunk.top, preview.top);
  EXPECT_EQ(shrunk.bottom, fontsLine.top);
  EXPECT_EQ(fontsLine.bottom, preview.bottom);
  EXPECT_EQ(form->PreviewFace(), "Symbola");
  UpdateWindow(form->previewLabel.Handle());
  Settle();
  EXPECT_GT(InkedPerMille(), 20);

  // A click on the line: Symbola in the font box, the character selected in its cell.
  ClickFontsLine();
  ASSERT_TRUE(Selected(0x1F600, "Symbola"));
  EXPECT_EQ(form->nameLabel.Text(), "GRINNING FACE");
  EXPECT_EQ(form->PreviewFace(), "");
  EXPECT_EQ(form->fontFilterGroup.ItemIndex(), 0);
  EXPECT_EQ(form->fontsLabel.Text(), fonts);

  // Ctrl+Shift+F (the find field still holds the focus): the next, Unifont Upper, whose outlines are not
  // TrueType. "All Fonts" (TrueType only) does not list it, so the filter switches to one that does and the
  // line says so.
  Keys({'F'}, {VK_CONTROL, VK_SHIFT});
  ASSERT_TRUE(Selected(0x1F600, "Unifont Upper"));
  EXPECT_EQ(form->fontFilterGroup.ItemIndex(), 1);
  EXPECT_EQ(form->fontsLabel.Text(), "Fontoptions set to \"ANSI only\"");
  EXPECT_EQ(form->fontsTip.Text(), "Fontoptions set to \"ANSI only\", which lists Unifont Upper");
  // Once more: back to the first, which that filter lists too.
  Keys({'F'}, {VK_CONTROL, VK_SHIFT});
  ASSERT_TRUE(Selected(0x1F600, "Symbola"));
  EXPECT_EQ(form->fontFilterGroup.ItemIndex(), 1);
  EXPECT_EQ(form->fontsLabel.Text(), fonts);

  // Back in the page, the preview has its room again and the line is gone.
  BlockComboBox& blocks = form->viewBox;
  SendMessageW(blocks.Handle(), CB_SETCURSEL, 0, 0);
  SendMessageW(GetParent(blocks.Handle()), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(blocks.Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(blocks.Handle()));
  Settle();
  ASSERT_FALSE(form->InUnicodeView());
  const RECT restored = form->previewLabel.BoundsRect();
  EXPECT_TRUE(EqualRect(&restored, &preview));
  EXPECT_FALSE(IsWindowVisible(form->fontsLabel.Handle()));
}

}  // namespace
