// screens: 1024x768+unicode
// Characters beyond the Windows-1252 page on their way out: the composition box and its HTML
// line, the rich-text copy, the clipboard's UTF-16 text and the drag's data object.
#include <gtest/gtest.h>
#include <richedit.h>

#include <cstring>
#include <string>

#include "app/Settings.h"
#include "ui/DropSource.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "ui/Canvas.h"

using namespace tessarin;
using testing_support::ClipboardText;
using testing_support::PutOnClipboard;

namespace {

// U+2192 RIGHTWARDS ARROW and U+1F600 GRINNING FACE (a surrogate pair in UTF-16).
const std::u16string kArrow = u"\u2192";
const std::u16string kGrin = u"\U0001F600";

// The clipboard's CF_UNICODETEXT, as a program that reads only UTF-16 text sees it.
std::u16string ClipboardUnicode() {
  std::u16string text;
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt)
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const char16_t*>(GlobalLock(data))) {
      const size_t units = GlobalSize(data) / sizeof(char16_t);
      size_t length = 0;
      while (length < units && p[length]) ++length;
      text.assign(p, length);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

class UnicodeOutput : public testing_support::MainWindowTest {
 protected:
  // The composition's text as the rich edit holds it, in UTF-16 (a WM_GETTEXT of the ANSI
  // control would come back through the ANSI code page).
  std::u16string CompositionText() {
    std::u16string text(1024, u'\0');
    GETTEXTEX get{static_cast<DWORD>(text.size() * 2), GT_DEFAULT, 1200, nullptr, nullptr};
    const auto length = SendMessageA(form->composition.Handle(), EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
  }
  void AppendPage(int code) {
    form->grid.SetCol((code - 32) % 16);
    form->grid.SetRow((code - 32) / 16);
    Click(form->selectButton);
  }
  // Chooses a block in the list of blocks, as the list reports a user's choice.
  void ChooseBlock(const std::string& name) {
    const int index = IndexOfView(name);
    ASSERT_GE(index, 0) << name << " is not in the list";
    Choose(index);
    ASSERT_TRUE(form->InUnicodeView());
  }
  // The centre of a code point's cell in the Unicode view, on the screen.
  POINT CellOnScreen(char32_t cp) {
    CharGrid& grid = form->grid;
    const int row = grid.RowOfCodePoint(cp);
    grid.SetTopRow(row);
    const RECT r = grid.CellRect(static_cast<int>(cp & 0xF), row);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(grid.Handle(), &p);
    return p;
  }
};

TEST_F(UnicodeOutput, TheCompositionHoldsCharactersBeyondThePageWholeAndShowsTheirHtml) {
  AppendPage('A');
  form->AppendCodePoint(0x2192);
  form->AppendCodePoint(0x1F600);
  EXPECT_EQ(CompositionText(), u"A" + kArrow + kGrin);
  EXPECT_EQ(form->htmlLabel.Caption(), "A&rarr;&#128512;");
  EXPECT_EQ(form->htmlEdit.Text(), "A&rarr;&#128512;");
  form->htmlStylesCheck.SetChecked(true);
  EXPECT_EQ(form->htmlEdit.Text(), "<FONT color=#000000 face=Arial>A&rarr;&#128512;</FONT>");
  form->htmlStylesCheck.SetChecked(false);

  // A page character after them takes its cell's entity and the selection, as in a page text.
  AppendPage(0xE4);  // ä
  EXPECT_EQ(form->htmlLabel.Caption(), "A&rarr;&#128512;&auml;");
  EXPECT_EQ(form->entityLabel.Text(), "&auml;");

  // Each append is one change of its own: undo takes the page character, then the face whole.
  SendMessageA(form->composition.Handle(), EM_UNDO, 0, 0);
  EXPECT_EQ(CompositionText(), u"A" + kArrow + kGrin);
  SendMessageA(form->composition.Handle(), EM_UNDO, 0, 0);
  EXPECT_EQ(CompositionText(), u"A" + kArrow);
  EXPECT_EQ(form->htmlEdit.Text(), "A&rarr;");

  // A character the ANSI code page has goes the page's way, whichever way it came.
  form->AppendCodePoint(0x20AC);  // €
  EXPECT_EQ(CompositionText(), u"A" + kArrow + u"\u20AC");
  EXPECT_EQ(form->htmlEdit.Text(), "A&rarr;&euro;");
  EXPECT_EQ(form->entityLabel.Text(), "&euro;");
  EXPECT_TRUE(errors.empty());
}

TEST_F(UnicodeOutput, APasteOfUtf16TextKeepsItsCharactersWhole) {
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  const std::u16string text = u"x" + kArrow + kGrin;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(char16_t));
  GlobalUnlock(mem);
  SetClipboardData(CF_UNICODETEXT, mem);
  CloseClipboard();
  form->composition.SetFocus();
  PressKeys({{VK_CONTROL, false}, {'V', false}, {'V', true}, {VK_CONTROL, true}});
  ASSERT_TRUE(WaitUntil([&] { return !CompositionText().empty(); }));
  EXPECT_EQ(CompositionText(), text);
  EXPECT_EQ(form->htmlEdit.Text(), "x&rarr;&#128512;");
}

TEST_F(UnicodeOutput, CopyAsRtfCarriesTheCharactersAsRichAndAsPlainUtf16Text) {
  form->AppendCodePoint(0x2192);
  PutOnClipboard("sentinel");
  Click(form->copyRtfButton);
  EXPECT_EQ(ClipboardUnicode(), kArrow);
  const std::string rtf = ClipboardText(RegisterClipboardFormatA("Rich Text Format"));
  EXPECT_NE(rtf.find("\\u8594?"), std::string::npos) << rtf;

  // Above U+FFFF the rich text writes the two halves of the pair, each a signed 16-bit number.
  form->AppendCodePoint(0x1F600);
  form->composition.SetSelection(1, 3);
  Click(form->copyRtfButton);
  EXPECT_EQ(ClipboardUnicode(), kGrin);
  const std::string pair = ClipboardText(RegisterClipboardFormatA("Rich Text Format"));
  EXPECT_NE(pair.find("\\u-10179?\\u-8704?"), std::string::npos) << pair;
  EXPECT_EQ(pair.find("\\u8594"), std::string::npos) << pair;
}

TEST_F(UnicodeOutput, SelectingAnArrowThenCopyAsRtfGivesTheArrowToRichAndToPlainTextReaders) {
  ChooseBlock("Arrows");
  form->grid.SelectCodePoint(0x2192);
  ASSERT_EQ(form->SelectedCodePoint(), 0x2192u);
  Click(form->selectButton);
  EXPECT_EQ(CompositionText(), kArrow);
  EXPECT_EQ(form->htmlEdit.Text(), "&rarr;");
  PutOnClipboard("sentinel");
  Click(form->copyRtfButton);
  EXPECT_EQ(ClipboardUnicode(), kArrow);
  const std::string rtf = ClipboardText(RegisterClipboardFormatA("Rich Text Format"));
  EXPECT_NE(rtf.find("\\u8594?"), std::string::npos) << rtf;
  // The view keeps its selection while the composition changes.
  EXPECT_TRUE(form->InUnicodeView());
  EXPECT_EQ(form->SelectedCodePoint(), 0x2192u);
}

TEST_F(UnicodeOutput, TheMouseButtonsOfTheUnicodeViewCopyUtf16TextAndMagnifyTheCharacter) {
  const ProgramSettings saved = AppSettings;
  ChooseBlock("Arrows");
  struct Case {
    const char* what;
    std::uint8_t action;
    std::u16string text;
  } const cases[] = {
      {"copy", maCopyRtf, kArrow},
      {"copy HTML", maCopyHtml, u"&rarr;"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AppSettings.RMouseKey = c.action;
    PutOnClipboard("sentinel");
    const POINT p = CellOnScreen(0x2192);
    testing_support::MouseAt(p.x, p.y, MOUSEEVENTF_RIGHTDOWN);
    testing_support::MouseAt(p.x, p.y, MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(WaitUntil([&] { return ClipboardUnicode() == c.text; }));
    EXPECT_EQ(ClipboardUnicode(), c.text);
    EXPECT_EQ(form->SelectedCodePoint(), 0x2192u);
  }

  // The magnifier shows the arrow itself while the button is held, not the page's character
  // of that cell: black on white, centred at its top as the platform centres it.
  AppSettings.RMouseKey = maMagnify;
  ui::Label& mega = form->magnifier;
  RECT client, onScreen;
  GetClientRect(mega.Handle(), &client);
  GetWindowRect(mega.Handle(), &onScreen);
  auto reference = [&](const wchar_t* text) {
    ui::WindowDC screen(nullptr);
    ui::MemoryDC dc(screen, client.right, client.bottom);
    FillRect(dc, &client, ui::Brush(CreateSolidBrush(RGB(255, 255, 255))));
    const ui::SelectObjectScope font(dc, mega.GetFont().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    ExtTextOutW(dc, client.right / 2, 0, ETO_CLIPPED, &client, text, 1, nullptr);
    std::vector<DWORD> pixels(static_cast<size_t>(client.right * client.bottom));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
    GetDIBits(dc, dc.BitmapHandle(), 0, static_cast<UINT>(client.bottom), pixels.data(), &bi, DIB_RGB_COLORS);
    return pixels;
  };
  const POINT p = CellOnScreen(0x2192);
  testing_support::MouseAt(p.x, p.y, MOUSEEVENTF_RIGHTDOWN);
  ASSERT_TRUE(WaitUntil([&] { return !form->grid.Visible(); }));
  std::vector<DWORD> shown;
  EXPECT_TRUE(WaitUntil([&] {
    shown = testing_support::ScreenPixels(onScreen);
    return testing_support::DifferingPerMille(shown, reference(L"\x2192")) < 10;
  })) << testing_support::DifferingPerMille(shown, reference(L"\x2192"));
  // The left arrow's picture is the right one's mirror: it differs wherever there is ink.
  EXPECT_GT(testing_support::DifferingPerMille(shown, reference(L"\x2190")),
            3 * testing_support::DifferingPerMille(shown, reference(L"\x2192")) + 3);
  testing_support::MouseAt(p.x, p.y, MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(WaitUntil([&] { return form->grid.Visible(); }));
  AppSettings = saved;
  EXPECT_TRUE(errors.empty());
}

TEST_F(UnicodeOutput, AFaceAboveFFFFFromSymbolaIsCopiedAndComposedWhole) {
  const ProgramSettings saved = AppSettings;
  form->fontBox.SetFontName("Symbola");
  ASSERT_EQ(form->fontBox.FontName(), "Symbola") << "the prefix lacks the font";
  Settle();
  ChooseBlock("Emoticons");
  AppSettings.MMouseKey = maCopyRtf;
  PutOnClipboard("sentinel");
  const POINT p = CellOnScreen(0x1F600);
  testing_support::MouseAt(p.x, p.y, MOUSEEVENTF_MIDDLEDOWN);
  testing_support::MouseAt(p.x, p.y, MOUSEEVENTF_MIDDLEUP);
  EXPECT_TRUE(WaitUntil([&] { return ClipboardUnicode() == kGrin; }));
  ASSERT_EQ(form->SelectedCodePoint(), 0x1F600u);
  Click(form->selectButton);
  EXPECT_EQ(CompositionText(), kGrin);
  EXPECT_EQ(form->htmlEdit.Text(), "&#128512;");
  PutOnClipboard("sentinel");
  Click(form->copyRtfButton);
  EXPECT_EQ(ClipboardUnicode(), kGrin);
  AppSettings = saved;
  EXPECT_TRUE(errors.empty());
}

TEST_F(UnicodeOutput, ADragOutOfTheUnicodeViewOffersTheCharacterOrItsHtmlAsUtf16Text) {
  const ProgramSettings saved = AppSettings;
  const OleSession ole;
  ChooseBlock("Arrows");
  form->grid.SelectCodePoint(0x2192);
  DropTextSource& source = *form->dragSource;
  struct Case {
    const char* what;
    std::uint8_t mode;
    bool fontTags;
    std::u16string text;
    std::string ansi;
  } const cases[] = {
      {"the character", dmText, false, kArrow, ""},
      {"its HTML", dmTextHtml, false, u"&rarr;", "&rarr;"},
      {"its HTML in the font's tags", dmTextHtml, true, u"<FONT color=#000000 face=Arial>&rarr;</FONT>",
       "<FONT color=#000000 face=Arial>&rarr;</FONT>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    AppSettings.DragDrop = c.mode;
    form->htmlStylesCheck.SetChecked(c.fontTags);
    source.ClearUnicodeText();
    // A move with the left button, past the threshold: the drag starts, and ends at once
    // because no button is down.
    form->DragReady = true;
    form->DragPoint = {10, 10};
    SendMessageA(form->grid.Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 10));
    EXPECT_EQ(source.UnicodeText(), c.text);
    EXPECT_EQ(source.Text, c.ansi);
    FORMATETC unicode{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    EXPECT_EQ(source.QueryGetData(&unicode), S_OK);
  }
  AppSettings = saved;
  EXPECT_TRUE(errors.empty());
}

TEST_F(UnicodeOutput, AUtf16CopyGivesAnsiTextOnlyWhereItConvertsWhole) {
  struct Case {
    const char* what;
    std::u16string text;
    std::string ansi;  // the clipboard's CF_TEXT
  } const cases[] = {
      {"an arrow", kArrow, ""},
      {"a face above U+FFFF", kGrin, ""},
      {"an entity", u"&rarr;", "&rarr;"},
      {"a page character", u"\u00E9", "\xE9"},  // é
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PutOnClipboard("sentinel");
    form->CopyUnicodeText(c.text);
    EXPECT_EQ(ClipboardUnicode(), c.text);
    // Without an ANSI text of its own the platform makes one from the UTF-16 text.
    if (!c.ansi.empty()) {
      EXPECT_EQ(ClipboardText(CF_TEXT), c.ansi);
    }
  }
  // An empty text leaves the clipboard as it is.
  form->CopyUnicodeText(u"");
  EXPECT_EQ(ClipboardText(CF_TEXT), "\xE9");
  EXPECT_TRUE(errors.empty());
}

class DropUnicode : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { unit_ = new OleSession; }
  static void TearDownTestSuite() {
    delete unit_;
    unit_ = nullptr;
  }
  std::vector<CLIPFORMAT> Listed() {
    std::vector<CLIPFORMAT> formats;
    IEnumFORMATETC* e = nullptr;
    if (source->EnumFormatEtc(DATADIR_GET, &e) != S_OK) return formats;
    FORMATETC f{};
    while (e->Next(1, &f, nullptr) == S_OK) formats.push_back(f.cfFormat);
    e->Release();
    return formats;
  }
  // The block GetData hands out for a format, as bytes; empty when it refuses.
  std::string Data(CLIPFORMAT cf) {
    FORMATETC f{cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    std::string bytes;
    if (source->GetData(&f, &medium) != S_OK) return bytes;
    bytes.assign(static_cast<const char*>(GlobalLock(medium.hGlobal)), GlobalSize(medium.hGlobal));
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return bytes;
  }
  static std::string Bytes(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(char16_t));
  }
  static OleSession* unit_;
  ComponentRef<DropTextSource> source;
};

OleSession* DropUnicode::unit_ = nullptr;

TEST_F(DropUnicode, TheDataObjectOffersUtf16TextAndAnsiTextOnlyWhereItConvertsWhole) {
  struct Case {
    const char* what;
    std::u16string text;
    std::vector<CLIPFORMAT> formats;
    std::string ansi;
  } const cases[] = {
      {"an arrow", kArrow, {CF_UNICODETEXT}, ""},
      {"a face above U+FFFF", kGrin, {CF_UNICODETEXT}, ""},
      {"an HTML fragment",
       u"<FONT face=Arial>&rarr;</FONT>",
       {CF_UNICODETEXT, CF_TEXT},
       std::string("<FONT face=Arial>&rarr;</FONT>\0", 31)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    source->SetUnicodeText(c.text);
    EXPECT_EQ(Listed(), c.formats);
    EXPECT_EQ(Data(CF_UNICODETEXT), Bytes(c.text));
    EXPECT_EQ(Data(CF_TEXT), c.ansi);
  }
  // Back to a page text: CF_TEXT alone, as the page's drag always offered.
  source->ClearUnicodeText();
  source->Text = "&auml;";
  EXPECT_EQ(Listed(), std::vector<CLIPFORMAT>{CF_TEXT});
  EXPECT_EQ(Data(CF_UNICODETEXT), "");
  EXPECT_EQ(Data(CF_TEXT), std::string("&auml;\0", 7));
}

}  // namespace
