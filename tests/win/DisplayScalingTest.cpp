// screens: 1000x750@120 1200x900@144 1920x1080@144 1600x1200@192
// The three windows on a screen scaled to 125, 150 or 200 %: every rectangle is its 100 %
// rectangle scaled, no caption is cut, the grid's cells grow while its lines stay one
// pixel, points stay points, a press on the palette picks the colour under the pointer,
// and a move to a monitor of another scaling (WM_DPICHANGED) lays the window out anew.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/ExpectedLayout.h"
#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "ui/Canvas.h"

using testing_support::ClipboardText;
using testing_support::ExpectedLayoutFor;

namespace {

// The DPI the harness gave this screen: "1200x900@144"; 96 without one.
int ScreenDpi() {
  const char* screen = std::getenv("TESSARIN_SCREEN");
  const char* at = screen ? std::strchr(screen, '@') : nullptr;
  return at ? std::atoi(at + 1) : 96;
}

int Scaled(int px, int dpi) { return static_cast<int>(std::lround(px * dpi / 96.0)); }

// Within two pixels of the 100 % value scaled: each value is rounded once by the program.
void ExpectScaled(const RECT& r, int left, int top, int width, int height, int dpi, const std::string& what) {
  EXPECT_NEAR(r.left, Scaled(left, dpi), 2) << what;
  EXPECT_NEAR(r.top, Scaled(top, dpi), 2) << what;
  if (width >= 0) {
    EXPECT_NEAR(r.right - r.left, Scaled(width, dpi), 2) << what;
  }
  if (height >= 0) {
    EXPECT_NEAR(r.bottom - r.top, Scaled(height, dpi), 2) << what;
  }
}

struct Placed {
  const ui::Control* control;
  int left, top, width, height;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> all;
  EnumChildWindows(parent, &CollectWindow, reinterpret_cast<LPARAM>(&all));
  return all;
}

// Every visible caption of a window's buttons (the gradient button too), check boxes,
// radio items, group boxes and labels fits its control, measured in the control's own font.
int ExpectNoCaptionCut(HWND form, int dpi) {
  int checked = 0;
  for (HWND hwnd : Descendants(form)) {
    if (!IsWindowVisible(hwnd)) continue;
    const std::string cls = testing_support::ClassName(hwnd);
    std::string text = testing_support::WindowText(hwnd);
    if (text.empty() || (cls != "Button" && cls != "Static" && cls != "TBI_GradientButton")) continue;
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    const LONG kind = cls == "Button" ? style & BS_TYPEMASK : BS_PUSHBUTTON;
    const bool isStatic = cls == "Static";
    if (!isStatic || !(style & SS_NOPREFIX)) {
      // The access-key marks are not drawn ("&&" is one "&").
      std::string shown;
      for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && ++i == text.size()) break;
        shown += text[i];
      }
      text = shown;
    }
    HDC dc = GetDC(hwnd);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    EXPECT_NE(font, nullptr) << text;
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    RECT client;
    GetClientRect(hwnd, &client);
    int room = client.right;
    if (isStatic) {
      // A label shows its text as it is.
    } else if (kind == BS_GROUPBOX) {
      room -= Scaled(8, dpi);  // the caption stands in the frame's top line, indented
    } else if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON ||
               kind == BS_AUTORADIOBUTTON) {
      room -= Scaled(13 + 3, dpi);  // the box and the gap before the caption
    } else {
      room -= Scaled(4, dpi);  // a push button's edges
    }
    EXPECT_LE(extent.cx, room) << '"' << text << "\" is cut at " << dpi << " DPI";
    if (kind != BS_GROUPBOX || isStatic) {
      EXPECT_LE(extent.cy, client.bottom) << '"' << text << '"';
    }
    ++checked;
  }
  return checked;
}

// The x (or y) of every pixel of the line colour along one row (or column) of the grid.
std::vector<int> LinePixels(HWND grid, bool alongRow, int at, int length) {
  std::vector<int> found;
  HDC dc = GetDC(grid);
  for (int i = 0; i < length; ++i)
    if (GetPixel(dc, alongRow ? i : at, alongRow ? at : i) == RGB(192, 192, 192)) found.push_back(i);
  ReleaseDC(grid, dc);
  return found;
}

// Lines of one pixel after each cell of the given size: cell, line, cell, line ... Only
// what the form's client area shows can be read.
void ExpectGridCells(HWND grid, int cellWidth, int cellHeight) {
  RedrawWindow(grid, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT shown;
  GetClientRect(GetAncestor(grid, GA_ROOT), &shown);
  MapWindowPoints(GetAncestor(grid, GA_ROOT), grid, reinterpret_cast<POINT*>(&shown), 2);
  const int width = std::min<int>(16 * (cellWidth + 1), shown.right);
  const int height = std::min<int>(14 * (cellHeight + 1), shown.bottom);
  std::vector<int> columns, rows;
  for (int x = cellWidth; x < width; x += cellWidth + 1) columns.push_back(x);
  for (int y = cellHeight; y < height; y += cellHeight + 1) rows.push_back(y);
  EXPECT_GE(rows.size(), 10u);
  // One pixel into the cells: the characters stand further in.
  EXPECT_EQ(LinePixels(grid, true, 1, width), columns);
  EXPECT_EQ(LinePixels(grid, false, 1, height), rows);
}

class DisplayScaling : public testing_support::MainWindowTest {
 protected:
  // The window's own size is checked where the platform drew its frame at this DPI.
  void ExpectMainWindow(int dpi, int screenWidth100, bool windowSize = true) {
    const auto expected = ExpectedLayoutFor(screenWidth100);
    const auto controls = testing_support::MainControlsByName(*form);
    for (const auto& e : expected.controls) {
      // Labels sized to their text (in a font that is not scaled exactly): only their
      // place is the layout's.
      const std::string name = e.name;
      const RECT r = controls.at(name)->BoundsRect();
      if (name == "codeLabel" || name == "keyLabel") {
        // Right-aligned: the right edge is kept.
        EXPECT_NEAR(r.right, Scaled(e.left + e.width, dpi), 2) << name;
        EXPECT_NEAR(r.top, Scaled(e.top, dpi), 2) << name;
        continue;
      }
      const bool sizedToText = name == "keyCaption";
      ExpectScaled(r, e.left, e.top, sizedToText ? -1 : e.width, sizedToText ? -1 : e.height, dpi, name);
    }
    RECT w, client;
    GetWindowRect(form->Handle(), &w);
    GetClientRect(form->Handle(), &client);
    if (!windowSize) {
      // The frame is the platform's, at the screen's DPI.
    } else if (expected.outerWidth) {
      // The frame scales with the window; the whole is its 100 % size scaled, within the
      // rounding of the frame's parts.
      EXPECT_NEAR(w.right - w.left, Scaled(expected.outerWidth, dpi), 4);
      EXPECT_NEAR(w.bottom - w.top, Scaled(expected.outerHeight, dpi), 4);
    } else {
      EXPECT_NEAR(client.right, Scaled(747, dpi), 1);
      EXPECT_NEAR(client.bottom, Scaled(485, dpi), 1);
    }
    const RECT panel = form->panel.BoundsRect();
    EXPECT_EQ(panel.right, client.right);
    EXPECT_NEAR(panel.right - panel.left, Scaled(202, dpi), 1);
    EXPECT_EQ(panel.bottom, client.bottom);
    const bool large = screenWidth100 >= 1024;
    ExpectGridCells(form->grid.Handle(), Scaled(large ? 42 : 32, dpi), Scaled(large ? 42 : 32, dpi));
  }
};

TEST_F(DisplayScaling, EveryWindowIsItsHundredPercentLayoutScaledWithNothingCut) {
  const int dpi = ScreenDpi();
  {
    // The harness set the screen's scaling, and the program draws at it.
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSX), dpi);
    ReleaseDC(nullptr, screen);
  }
  ASSERT_EQ(static_cast<int>(form->Dpi()), dpi);
  const int screenWidth100 = GetSystemMetrics(SM_CXSCREEN) * 96 / dpi;

  // The main window: layout by the screen's width at 100 % (1920 at 150 % is 1280: large).
  ExpectMainWindow(dpi, screenWidth100);
  EXPECT_GE(ExpectNoCaptionCut(form->Handle(), dpi), 20);

  // Points stay points: the size field, the composition's font and the clipboard's RTF.
  EXPECT_EQ(form->sizeEdit.Text(), "10");
  LOGFONTA composition{};
  GetObjectA(form->composition.GetFont().Handle(), sizeof composition, &composition);
  EXPECT_NEAR(composition.lfHeight, -13.0 * dpi / 96, 0.5);
  Click(form->selectButton);
  Click(form->copyRtfButton);
  const std::string rtf = ClipboardText(RegisterClipboardFormatA("Rich Text Format"));
  EXPECT_NE(rtf.find("\\fs20"), std::string::npos) << rtf;

  // The options dialog.
  options->Show();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(options->Handle()) != FALSE; }));
  RECT client;
  GetClientRect(options->Handle(), &client);
  EXPECT_NEAR(client.right, Scaled(418, dpi), 1);
  EXPECT_NEAR(client.bottom, Scaled(423, dpi), 1);
  for (const Placed& p : {Placed{&options->okButton, 330, 8, 75, 25}, Placed{&options->pages, 4, 4, 313, 417},
                          Placed{&options->startupShortcutButton, 48, 12, 245, 25},
                          Placed{&options->rightButtonGroup, 8, 48, 285, 121},
                          Placed{&options->dragDropGroup, 8, 300, 285, 77}})
    ExpectScaled(p.control->BoundsRect(), p.left, p.top, p.width, p.height, dpi,
                 testing_support::WindowText(p.control->Handle()));
  // The buttons and the first page's radio groups and items (the other pages hold edits).
  EXPECT_GE(ExpectNoCaptionCut(options->Handle(), dpi), 20);
  options->Hide();

  // The palette dialog: its image is drawn for its pixels, and a press picks the colour
  // shown under the pointer.
  palette->Show();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(palette->Handle()) != FALSE; }));
  GetClientRect(palette->Handle(), &client);
  EXPECT_NEAR(client.right, Scaled(562, dpi), 1);
  EXPECT_NEAR(client.bottom, Scaled(90, dpi), 1);
  for (const Placed& p :
       {Placed{&palette->paletteImage, 16, 16, 366, 61}, Placed{&palette->sampleGround, 388, 16, 73, 61},
        Placed{&palette->okButton, 479, 8, 75, 25}, Placed{&palette->cancelButton, 479, 38, 75, 25}})
    ExpectScaled(p.control->BoundsRect(), p.left, p.top, p.width, p.height, dpi, "palette");
  EXPECT_EQ(ExpectNoCaptionCut(palette->Handle(), dpi), 2);  // OK and Cancel
  // Presses over the image: the colour shown under the pointer is the swatch's colour at
  // the same place at 100 %, and a press picks it.
  const auto expectPressesPickShownColours = [&](int atDpi) {
    HWND image = palette->paletteImage.Handle();
    RedrawWindow(image, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT imageRect;
    GetClientRect(image, &imageRect);
    EXPECT_NEAR(imageRect.right, Scaled(366, atDpi), 1);
    EXPECT_NEAR(imageRect.bottom, Scaled(61, atDpi), 1);
    // Swatches (block r, swatch b within it, band g) and the web-safe colours they show:
    // red grows by block, blue by swatch, green falls by band.
    const struct {
      int r, b, g;
      COLORREF colour;
    } swatches[] = {
        {0, 0, 0, RGB(0x00, 0xFF, 0x00)},  // top left: pure green
        {5, 5, 0, RGB(0xFF, 0xFF, 0xFF)},  // top right: white
        {5, 5, 5, RGB(0xFF, 0x00, 0xFF)},  // bottom right: magenta
        {1, 2, 1, RGB(0x33, 0xCC, 0x66)}, {2, 4, 2, RGB(0x66, 0x99, 0xCC)}, {3, 0, 3, RGB(0x99, 0x66, 0x00)},
        {4, 2, 4, RGB(0xCC, 0x33, 0x66)}, {5, 4, 5, RGB(0xFF, 0x00, 0xCC)}, {3, 1, 4, RGB(0x99, 0x33, 0x33)},
    };
    for (const auto& swatch : swatches) {
      // The swatch's middle at 100 % (blocks of 61 columns, swatches of 10 with their
      // black line, bands of 10 rows), at this DPI.
      const int x100 = 61 * swatch.r + 10 * swatch.b + 5, y100 = 10 * swatch.g + 5;
      const POINT at{Scaled(x100, atDpi), Scaled(y100, atDpi)};
      HDC dc = GetDC(image);
      const COLORREF shown = GetPixel(dc, at.x, at.y);
      ReleaseDC(image, dc);
      EXPECT_EQ(shown, swatch.colour) << at.x << "," << at.y;
      SendMessageA(image, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
      SendMessageA(image, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
      EXPECT_EQ(palette->sample.GetFont().Color(), swatch.colour) << at.x << "," << at.y;
    }
  };
  expectPressesPickShownColours(dpi);
  // On a monitor at 100 % the palette is drawn anew for its pixels.
  RECT paletteRect;
  GetWindowRect(palette->Handle(), &paletteRect);
  SendMessageA(palette->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&paletteRect));
  expectPressesPickShownColours(96);
  SendMessageA(palette->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
               reinterpret_cast<LPARAM>(&paletteRect));
  expectPressesPickShownColours(dpi);
  palette->Hide();

  // A move to a monitor at 100 %: the window takes the suggested rectangle and lays itself
  // out at 96 DPI; back at the screen's scaling it is as before. (One screen cannot show
  // two scalings: the frame and the text stay the screen's, so only the layout is checked
  // at 96 DPI.)
  RECT before;
  GetWindowRect(form->Handle(), &before);
  const auto unscaled = [dpi](LONG px) { return static_cast<LONG>(std::lround(px * 96.0 / dpi)); };
  const RECT at100{before.left, before.top, before.left + unscaled(before.right - before.left),
                   before.top + unscaled(before.bottom - before.top)};
  SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&at100));
  RECT now;
  GetWindowRect(form->Handle(), &now);
  EXPECT_EQ(now.left, at100.left);
  EXPECT_EQ(now.right, at100.right);
  EXPECT_EQ(now.bottom, at100.bottom);
  EXPECT_EQ(form->Dpi(), 96u);
  ExpectMainWindow(96, screenWidth100, false);
  SendMessageA(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&before));
  GetWindowRect(form->Handle(), &now);
  EXPECT_EQ(now.right - now.left, before.right - before.left);
  EXPECT_EQ(now.bottom - now.top, before.bottom - before.top);
  ExpectMainWindow(dpi, screenWidth100);
  ExpectNoCaptionCut(form->Handle(), dpi);
  EXPECT_EQ(form->sizeEdit.Text(), "10");
}

}  // namespace

namespace {

// The pixels a window shows, read from its own DC.
struct WindowPixels {
  explicit WindowPixels(HWND hwnd) : hwnd(hwnd), dc(GetDC(hwnd)) {}
  ~WindowPixels() { ReleaseDC(hwnd, dc); }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
  HWND hwnd;
  HDC dc;
};

// Where an area of a window shows any of the colours: the runs [first, last] of adjacent
// columns that do, from the left, and the rows [top, bottom] of the first run.
struct Ink {
  std::vector<std::pair<int, int>> runs;
  int top = -1, bottom = -1;
};

Ink InkOf(HWND hwnd, const std::set<COLORREF>& colours, const RECT& area) {
  WindowPixels pixels(hwnd);
  const auto inked = [&](int x, int y) { return colours.count(pixels.At(x, y)) != 0; };
  Ink ink;
  for (int x = area.left; x < area.right; ++x) {
    bool any = false;
    for (int y = area.top; y < area.bottom && !any; ++y) any = inked(x, y);
    if (!any) continue;
    if (!ink.runs.empty() && ink.runs.back().second == x - 1) {
      ink.runs.back().second = x;
    } else {
      ink.runs.push_back({x, x});
    }
  }
  if (ink.runs.empty()) return ink;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = ink.runs[0].first; x <= ink.runs[0].second; ++x)
      if (inked(x, y)) {
        if (ink.top < 0) ink.top = y;
        ink.bottom = y;
      }
  return ink;
}

}  // namespace

TEST_F(DisplayScaling, TheSmallPicturesAndMarginsGrowWithTheScaling) {
  const int dpi = ScreenDpi();
  ASSERT_EQ(static_cast<int>(form->Dpi()), dpi);

  // The radio items of the options page at their 100 % places scaled: a caption line of
  // 13 pixels, a pixel below it, the rest shared equally (leftovers split above and below).
  struct Group {
    const ui::RadioGroup* group;
    int firstTop, itemHeight;
  };
  options->Show();
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(options->Handle()) != FALSE; }));
  for (const Group& g :
       {Group{&options->rightButtonGroup, 15, 20}, Group{&options->middleButtonGroup, 15, 20},
        Group{&options->dragDropGroup, 15, 19}}) {
    auto& group = const_cast<ui::RadioGroup&>(*g.group);
    ASSERT_GE(group.Count(), 3u);
    for (size_t i = 0; i < group.Count(); ++i)
      ExpectScaled(group.Button(i).BoundsRect(), 8, g.firstTop + static_cast<int>(i) * g.itemHeight, 275,
                   g.itemHeight, dpi, testing_support::WindowText(group.Button(i).Handle()));
  }
  options->Hide();

  // The caption button's glyph stands two 100 % pixels inside the button, and its
  // character is one pixel higher than what is left.
  tessarin::CaptionButton& widget = form->captionButton;
  widget.Paint();
  const RECT button = widget.ButtonRect();
  ASSERT_FALSE(IsRectEmpty(&button));
  EXPECT_EQ(widget.Font().Height(), -((button.bottom - button.top - 2 * Scaled(2, dpi)) + 1));

  // The hint: its text in the form's font at this scaling, with two 100 % pixels on each
  // side and the frame's line; a long text breaks at 300 pixels at 100 %.
  tessarin::CaptionButtonHint& hint = widget.HintWindow();
  HFONT hintFont =
      CreateFontA(-Scaled(11, dpi), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
  const auto textWidth = [&](const std::string& text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, hintFont);
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return static_cast<int>(size.cx);
  };
  const auto shownSize = [&](const std::string& text) {
    hint.Cancel();
    hint.Start(text, 10, 10, form->Dpi());
    EXPECT_TRUE(WaitUntil([&] { return hint.Shown(); })) << text;
    RECT r{};
    GetWindowRect(hint.Handle(), &r);
    hint.Cancel();
    return SIZE{r.right - r.left, r.bottom - r.top};
  };
  const std::string shortText = "Hide Tessarin";
  const SIZE shortHint = shownSize(shortText);
  EXPECT_NEAR(shortHint.cx, textWidth(shortText) + 2 * Scaled(2, dpi) + 2, 1);
  std::string longText;
  for (int i = 0; i < 40; ++i) longText += "word ";
  const SIZE longHint = shownSize(longText);
  EXPECT_LE(longHint.cx, Scaled(300, dpi) + 2 * Scaled(2, dpi) + 2);
  EXPECT_GT(longHint.cx, Scaled(300, dpi) - textWidth("word "));
  EXPECT_GT(longHint.cy, 2 * shortHint.cy);
  DeleteObject(hintFont);

  // The font box's TrueType glyph, drawn for the box's pixels: its ink (14 x 10 pixels at
  // 100 %, from 5 pixels into the item) scaled, and the name 21 pixels at 100 % after the
  // glyph's first ink.
  HWND box = form->fontBox.Handle();
  ASSERT_EQ(form->fontBox.FontName(), "Arial");  // a TrueType family
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  COMBOBOXINFO combo{sizeof combo};
  ASSERT_TRUE(GetComboBoxInfo(box, &combo));
  const Ink ink = InkOf(box, {RGB(0, 0, 0), RGB(128, 128, 128)}, combo.rcItem);
  ASSERT_GE(ink.runs.size(), 2u) << "the glyph and the name";
  EXPECT_NEAR(ink.runs[0].second - ink.runs[0].first + 1, Scaled(14, dpi), 1);
  EXPECT_NEAR(ink.bottom - ink.top + 1, Scaled(10, dpi), 1);
  EXPECT_NEAR(ink.runs[1].first - ink.runs[0].first, Scaled(21, dpi), 2);

  // The notification-area icon and the windows' class icons at the system's icon sizes for
  // this scaling.
  auto widthOf = [](HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP colour{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof colour, &colour);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return static_cast<int>(colour.bmWidth);
  };
  EXPECT_EQ(widthOf(form->trayIcon.Icon()), Scaled(16, dpi));
  const auto classIcon = [&](int index) {
    return reinterpret_cast<HICON>(GetClassLongPtrA(form->Handle(), index));
  };
  EXPECT_EQ(widthOf(classIcon(GCLP_HICONSM)), Scaled(16, dpi));
  EXPECT_EQ(widthOf(classIcon(GCLP_HICON)), Scaled(32, dpi));
}

TEST(ProgramIcon, HoldsPicturesForOneTwoAndThreeTimesTheSmallSize) {
  // The icon group's directory (GRPICONDIR, then 14-byte entries whose first byte is the width).
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  ASSERT_NE(found, nullptr);
  const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
  ASSERT_NE(bytes, nullptr);
  const int count = bytes[4] | bytes[5] << 8;
  std::set<int> widths;
  for (int i = 0; i < count; ++i) widths.insert(bytes[6 + 14 * i] ? bytes[6 + 14 * i] : 256);
  EXPECT_EQ(widths, (std::set<int>{16, 32, 48}));
}
