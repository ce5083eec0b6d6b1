// screens: 1024x768+unicode
// The faces of the installed fonts, with GNU Unifont in the prefix (a font with East Asian
// characters, which adds a face for vertical text): what the font box lists of them, and how
// many faces' tables the program keeps.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "fontbox/FontCharMap.h"
#include "fontbox/FontComboBox.h"
#include "ui/Application.h"
#include "ui/Canvas.h"
#include "ui/Form.h"

using namespace tessarin;

namespace {

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM names) {
  reinterpret_cast<std::set<std::string>*>(names)->insert(font->lfFaceName);
  return 1;
}

// Every family name the screen's fonts report.
std::set<std::string> InstalledFamilies() {
  std::set<std::string> names;
  const ui::WindowDC screen(nullptr);
  EnumFontFamiliesA(screen, nullptr, &AddFamily, reinterpret_cast<LPARAM>(&names));
  return names;
}

struct BoxForm : ui::Form {
  static Options FormOptions() {
    Options o;
    o.windowClass = "FontFacesTestForm";
    o.caption = "Font faces";
    o.clientWidth = 300;
    o.clientHeight = 200;
    return o;
  }
  BoxForm() : ui::Form(FormOptions()), box(this, {4, 4, 193, 0}, FontDevice::fdScreen, 0) {}
  FontComboBox box;
};

class FontFaces : public ::testing::Test {
 protected:
  void SetUp() override {
    ui::Application::Instance().Initialize();
    ui::Application::Instance().FinishStartup();
  }
};

TEST_F(FontFaces, TheFontBoxLeavesOutTheFacesForVerticalText) {
  const std::set<std::string> installed = InstalledFamilies();
  // The platform does report the vertical face beside the font itself.
  ASSERT_TRUE(installed.count("@Unifont")) << "no vertical face to leave out";
  ASSERT_TRUE(installed.count("Unifont"));
  BoxForm form;
  form.box.SetFontName("Unifont");
  EXPECT_EQ(form.box.FontName(), "Unifont");
  std::vector<std::string> listed;
  for (int i = 0; i < form.box.Count(); ++i) listed.push_back(form.box.ItemName(i));
  for (const std::string& name : listed) EXPECT_NE(name.front(), '@') << name;
  // Every other family is there.
  for (const std::string& name : installed) {
    if (name.front() == '@') continue;
    EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end()) << name;
  }
}

// One face of a family: its name, weight and slant.
ui::GdiFont Face(const std::string& family, bool bold, bool italic) {
  return ui::GdiFont(CreateFontA(-16, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH, family.c_str()));
}

TEST_F(FontFaces, TheTablesOfTheFacesAskedForLastAreKeptAndNoMore) {
  std::vector<ui::GdiFont> faces;
  for (const std::string& name : InstalledFamilies()) {
    if (name.front() == '@') continue;
    for (bool bold : {false, true})
      for (bool italic : {false, true}) faces.push_back(Face(name, bold, italic));
  }
  ASSERT_GT(faces.size(), 2 * kCachedFaces + 1);
  const ui::GdiFont unifontFace = Face("Unifont", false, false);
  const auto map = FontCharMapOf(unifontFace);
  ASSERT_TRUE(map->Has(0x4E00));  // a CJK ideograph, which Unifont draws

  // Faces other than Unifont's regular one, in turn, each asked for its map.
  std::size_t next = 0;
  auto others = [&](std::size_t count) {
    for (std::size_t asked = 0; asked < count;) {
      HFONT font = faces[next++ % faces.size()].Get();
      LOGFONTA lf{};
      GetObjectA(font, sizeof lf, &lf);
      if (std::string(lf.lfFaceName) == "Unifont" && lf.lfWeight < FW_SEMIBOLD && !lf.lfItalic) continue;
      FontCharMapOf(font);
      ++asked;
    }
  };
  // Unifont, then kCachedFaces - 1 other faces: Unifont is still kept.
  others(kCachedFaces - 1);
  int reads = FontCharMapReads();
  EXPECT_EQ(FontCharMapOf(unifontFace), map);
  EXPECT_EQ(FontCharMapReads(), reads);
  EXPECT_LE(FontCharMapCachedFaces(), kCachedFaces);

  // A walk through every face keeps kCachedFaces of them; Unifont, not asked for since, is let
  // go and read again when asked for, while the table given out before stays whole.
  others(faces.size());
  EXPECT_EQ(FontCharMapCachedFaces(), kCachedFaces);
  reads = FontCharMapReads();
  const auto again = FontCharMapOf(unifontFace);
  EXPECT_EQ(FontCharMapReads(), reads + 1);
  EXPECT_NE(again, map);
  EXPECT_TRUE(map->Has(0x4E00));
  EXPECT_EQ(again->Count(), map->Count());
}

}  // namespace
