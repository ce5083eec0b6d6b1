// The gradient button: its face against the reference table on screen and off; bevel, click, caption.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "tests/support/MainWindowFixture.h"
#include "tests/support/TestSupport.h"
#include "ui/Canvas.h"
#include "ui/GradientButton.h"

namespace {

#include "tests/logic/data/GradientReference.inc"

using tessarin::GradientButton;

// A 32-bit off-screen canvas whose pixels read back exactly.
class Canvas32 {
 public:
  Canvas32(int width, int height) : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    bitmap_.Reset(CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas32() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const DWORD p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

 private:
  int width_, height_;
  HDC dc_;
  ui::Bitmap bitmap_;
  DWORD* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// One channel of line i between light and shadow, from the reference table of n = 104 or 61.
template <int N>
int ReferenceChannel(const unsigned char (&table)[256][N + 1], int light, int shadow, int i) {
  return light < shadow ? light + table[shadow - light][i] : light - table[light - shadow][i];
}

template <int N>
COLORREF ReferenceColor(const unsigned char (&table)[256][N + 1], COLORREF light, COLORREF shadow, int i) {
  return RGB(ReferenceChannel<N>(table, GetRValue(light), GetRValue(shadow), i),
             ReferenceChannel<N>(table, GetGValue(light), GetGValue(shadow), i),
             ReferenceChannel<N>(table, GetBValue(light), GetBValue(shadow), i));
}

COLORREF ScreenPixel(HWND hwnd, int x, int y) {
  POINT pt{x, y};
  ClientToScreen(hwnd, &pt);
  ui::WindowDC screen(nullptr);
  return GetPixel(screen, pt.x, pt.y);
}

void PressMouse(HWND hwnd, int x, int y, DWORD flag) {
  POINT pt{x, y};
  ClientToScreen(hwnd, &pt);
  INPUT in[2]{};
  in[0].type = in[1].type = INPUT_MOUSE;
  const int cx = GetSystemMetrics(SM_CXSCREEN) - 1, cy = GetSystemMetrics(SM_CYSCREEN) - 1;
  in[0].mi =
      MOUSEINPUT{pt.x * 65535 / cx, pt.y * 65535 / cy, 0, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0, 0};
  in[1].mi = in[0].mi;
  in[1].mi.dwFlags = flag | MOUSEEVENTF_ABSOLUTE;
  SendInput(2, in, sizeof(INPUT));
}

class GradientButtonTest : public testing_support::MainWindowTest {
 protected:
  GradientButton& Button() { return form->colorButton; }
  HWND Hwnd() { return form->colorButton.Handle(); }
  bool Painted() {
    UpdateWindow(Hwnd());
    // The bevel's highlight on the left and the face's second column beside it.
    return ScreenPixel(Hwnd(), 0, 9) == GetSysColor(COLOR_3DHILIGHT) &&
           ScreenPixel(Hwnd(), 1, 1) == RGB(253, 253, 253);
  }
};

TEST_F(GradientButtonTest, EveryVisibleColumnOnScreenHasTheReferenceColour) {
  ASSERT_EQ(Button().Width(), 104);
  ASSERT_EQ(Button().Height(), 19);
  ASSERT_TRUE(WaitUntil([&] { return Painted(); }));
  // The bevel leaves columns 1 to 101 of rows 1 to 16 to the face; row 1 lies above the caption.
  int mismatches = 0;
  for (int x = 1; x <= 101; ++x) {
    const COLORREF expected = ReferenceColor<104>(kGradientReference104, RGB(255, 255, 255), RGB(0, 0, 0), x);
    if (ScreenPixel(Hwnd(), x, 1) != expected && ++mismatches <= 5)
      ADD_FAILURE() << "column " << x << ": " << std::hex << ScreenPixel(Hwnd(), x, 1) << " instead of "
                    << expected;
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(ScreenPixel(Hwnd(), 52, 1), RGB(127, 127, 127));  // 127.5 ties to even: 255 − 128
}

TEST_F(GradientButtonTest, TheBevelIsTheThreeEdgeSequenceUpAndPressed) {
  ASSERT_TRUE(WaitUntil([&] { return Painted(); }));
  const COLORREF hilight = GetSysColor(COLOR_3DHILIGHT), shadow = GetSysColor(COLOR_3DSHADOW),
                 dark = GetSysColor(COLOR_3DDKSHADOW);
  struct Probe {
    int x, y;
    COLORREF up, pressed;
  };
  // Up: raised outer on bottom and right, raised inner on top and left, then on bottom and
  // right one pixel in. Pressed: sunken inner on top and left, sunken outer on bottom and
  // right, then sunken outer on top and left one pixel in.
  const Probe probes[] = {
      {50, 0, hilight, dark},      {0, 9, hilight, dark},        {50, 18, dark, hilight},
      {103, 9, dark, hilight},     {50, 17, shadow, 0xFFFFFFFF}, {102, 9, shadow, 0xFFFFFFFF},
      {50, 1, 0xFFFFFFFF, shadow}, {1, 9, 0xFFFFFFFF, shadow},
  };
  for (const Probe& p : probes) {
    if (p.up != 0xFFFFFFFF) {
      EXPECT_EQ(ScreenPixel(Hwnd(), p.x, p.y), p.up) << "up at " << p.x << "," << p.y;
    }
  }

  // A press shows the pressed look; moving off and releasing there is no click.
  bool clicked = false;
  Button().OnClick = [&] { clicked = true; };
  PressMouse(Hwnd(), 60, 9, MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(WaitUntil([&] { return Button().Pressed() && ScreenPixel(Hwnd(), 50, 0) == dark; }));
  for (const Probe& p : probes) {
    if (p.pressed != 0xFFFFFFFF) {
      EXPECT_EQ(ScreenPixel(Hwnd(), p.x, p.y), p.pressed) << "pressed at " << p.x << "," << p.y;
    }
  }
  PressMouse(Hwnd(), 60, 60, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(WaitUntil([&] { return !Button().Pressed() && GetCapture() == nullptr; }));
  ASSERT_TRUE(InputHandled());
  EXPECT_FALSE(clicked);
  EXPECT_EQ(ScreenPixel(Hwnd(), 50, 0), hilight);

  // A release without a press on the button is no click either (a drag ending over it).
  PressMouse(Hwnd(), 60, 60, MOUSEEVENTF_LEFTDOWN);
  ASSERT_TRUE(InputHandled());
  PressMouse(Hwnd(), 60, 9, MOUSEEVENTF_LEFTUP);
  ASSERT_TRUE(InputHandled());
  EXPECT_FALSE(clicked);

  // A press and a release on it is one click, and the focus stays where it was.
  HWND focus = GetFocus();
  PressMouse(Hwnd(), 60, 9, MOUSEEVENTF_LEFTDOWN);
  Settle();
  PressMouse(Hwnd(), 60, 9, MOUSEEVENTF_LEFTUP);
  EXPECT_TRUE(WaitUntil([&] { return clicked; }));
  EXPECT_EQ(GetFocus(), focus);
}

TEST_F(GradientButtonTest, TheFaceBeforeTheBevelRunsFromWhiteToOneStepShortOfBlack) {
  Canvas32 canvas(104, 19);
  const RECT face{0, 0, 104, 19};
  Button().PaintFace(canvas.Dc(), face);
  EXPECT_EQ(canvas.At(0, 9), RGB(255, 255, 255));
  EXPECT_EQ(canvas.At(52, 9), RGB(127, 127, 127));
  EXPECT_EQ(canvas.At(103, 9), RGB(2, 2, 2));
  for (int x = 0; x < 104; ++x) {
    const COLORREF expected = ReferenceColor<104>(kGradientReference104, RGB(255, 255, 255), RGB(0, 0, 0), x);
    EXPECT_NE(canvas.At(x, 0), RGB(0, 0, 0)) << "black column " << x;
    for (int y : {0, 18}) ASSERT_EQ(canvas.At(x, y), expected) << x << "," << y;
  }
}

TEST_F(GradientButtonTest, ThePaletteSampleRunsDownFromHighlightToShadow) {
  GradientButton& sample = palette->sampleGround;
  ASSERT_TRUE(sample.Vertical());
  ASSERT_EQ(sample.Height(), 61);
  Canvas32 canvas(73, 61);
  sample.PaintFace(canvas.Dc(), RECT{0, 0, 73, 61});
  const COLORREF light = GetSysColor(COLOR_3DHILIGHT), shadow = GetSysColor(COLOR_3DSHADOW);
  for (int y = 0; y < 61; ++y) {
    const COLORREF expected = ReferenceColor<61>(kGradientReference61, light, shadow, y);
    for (int x : {0, 36, 72}) ASSERT_EQ(canvas.At(x, y), expected) << x << "," << y;
  }
}

TEST_F(GradientButtonTest, EqualColoursGiveAPlainFace) {
  GradientButton plain(&form->colorGroup, "", {120, 13, 61, 19},
                       {.lightColor = RGB(0x33, 0x66, 0x99), .shadowColor = RGB(0x33, 0x66, 0x99)});
  for (bool vertical : {false, true}) {
    plain.SetVertical(vertical);
    Canvas32 canvas(61, 19);
    plain.PaintFace(canvas.Dc(), RECT{0, 0, 61, 19});
    for (int y = 0; y < 19; ++y)
      for (int x = 0; x < 61; ++x) ASSERT_EQ(canvas.At(x, y), RGB(0x33, 0x66, 0x99)) << x << "," << y;
  }
}

TEST_F(GradientButtonTest, TheCaptionSetThroughTheBaseIsTheOneOnScreen) {
  ASSERT_TRUE(WaitUntil([&] { return Painted(); }));
  ui::Control& base = Button();
  base.SetCaption("");
  EXPECT_EQ(Button().Text(), "");
  // Without a caption the middle row is the bare gradient.
  ASSERT_TRUE(WaitUntil([&] {
    UpdateWindow(Hwnd());
    return ScreenPixel(Hwnd(), 30, 9) ==
           ReferenceColor<104>(kGradientReference104, RGB(255, 255, 255), RGB(0, 0, 0), 30);
  }));
  for (int x = 1; x <= 101; ++x)
    EXPECT_EQ(ScreenPixel(Hwnd(), x, 9),
              ReferenceColor<104>(kGradientReference104, RGB(255, 255, 255), RGB(0, 0, 0), x))
        << x;
  base.SetCaption("&Textcolor/Textcolor");
  EXPECT_EQ(testing_support::WindowText(Hwnd()), "&Textcolor/Textcolor");
  // With it, the caption's colour shows on the light half.
  Button().GetFont().SetColor(RGB(255, 0, 0));
  ASSERT_TRUE(WaitUntil([&] {
    UpdateWindow(Hwnd());
    for (int x = 1; x < 52; ++x)
      for (int y = 2; y < 17; ++y)
        if (ScreenPixel(Hwnd(), x, y) == RGB(255, 0, 0)) return true;
    return false;
  }));
}

// A button told that the display has 15 bits per pixel or fewer.
class LowColorButton : public GradientButton {
 public:
  LowColorButton(ui::Control* parent, bool paint256)
      : GradientButton(parent, "&Textcolor/Textcolor", {8, 13, 104, 19},
                       {.lightColor = RGB(255, 255, 255), .shadowColor = RGB(0, 0, 0)}) {
    SetLowColor(true);
    SetPaint256(paint256);
  }
};

TEST_F(GradientButtonTest, OnALowColourDisplayTheFaceIsPlainUnlessPaint256) {
  EXPECT_EQ(Button().LowColor(), false) << "the test display has 24 bits per pixel";
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  LowColorButton plain(&form->colorGroup, false);
  Canvas32 canvas(104, 19);
  RECT all{0, 0, 104, 19};
  plain.PaintTo(canvas.Dc(), all);
  EXPECT_EQ(canvas.At(30, 1), face);
  EXPECT_EQ(canvas.At(90, 1), face);
  EXPECT_EQ(canvas.At(50, 0), GetSysColor(COLOR_3DHILIGHT));  // the bevel is there
  std::set<COLORREF> colours;
  for (int y = 2; y < 17; ++y)
    for (int x = 2; x < 101; ++x) colours.insert(canvas.At(x, y));
  EXPECT_TRUE(colours.count(GetSysColor(COLOR_WINDOWTEXT))) << "the caption is there";

  LowColorButton painted(&form->colorGroup, true);
  Canvas32 canvas256(104, 19);
  painted.PaintFace(canvas256.Dc(), all);
  // Two-pixel lines: the face still runs from (near) white to (near) black.
  EXPECT_GT(GetRValue(canvas256.At(0, 9)), 245);
  EXPECT_NE(canvas256.At(52, 9), face);
  EXPECT_LT(GetRValue(canvas256.At(100, 9)), 10);
}

}  // namespace

namespace {

TEST_F(GradientButtonTest, GroupsReleaseEachOtherAndGlyphsFollowTheState) {
  GradientButton a(&form->colorGroup, "a", {}), b(&form->colorGroup, "b", {}),
      other(&form->colorGroup, "c", {});
  EXPECT_EQ(a.Width(), 25);  // the size at creation
  a.SetDown(true);
  EXPECT_FALSE(a.Down()) << "Down needs a group";
  a.SetGroupIndex(1);
  b.SetGroupIndex(1);
  other.SetGroupIndex(2);
  other.SetDown(true);
  a.SetDown(true);
  b.SetDown(true);
  EXPECT_FALSE(a.Down());
  EXPECT_TRUE(b.Down());
  EXPECT_TRUE(other.Down()) << "another group";

  // A glyph of two 4 × 4 images (normal red, disabled blue) on a green ground that is
  // transparent; without a caption it sits in the middle of the face, one spacing left.
  const COLORREF green = RGB(0, 255, 0), red = RGB(255, 0, 0), blue = RGB(0, 0, 255);
  {
    Canvas32 glyph(8, 4);
    for (int x = 0; x < 8; ++x)
      for (int y = 0; y < 4; ++y)
        SetPixelV(glyph.Dc(), x, y, y == 3 && (x == 0 || x == 4) ? green : x < 4 ? red : blue);
    ui::WindowDC screen(nullptr);
    ui::Bitmap owned(CreateCompatibleBitmap(screen, 8, 4));
    {
      ui::MemoryDC target(screen, 0, 0);
      ui::SelectObjectScope select(target, owned);
      BitBlt(target, 0, 0, 8, 4, glyph.Dc(), 0, 0, SRCCOPY);
    }
    a.SetText("");
    a.SetGlyph(owned.Release());
  }
  EXPECT_EQ(a.NumGlyphs(), 2);
  for (bool enabled : {true, false}) {
    a.SetEnabled(enabled);
    Canvas32 canvas(25, 25);
    a.PaintTo(canvas.Dc(), RECT{0, 0, 25, 25});
    // Glyph left = 12 − 0 + 2 + 1 − 1 − 4 = 10, top = 12 − 2 = 10.
    EXPECT_EQ(canvas.At(10, 10), enabled ? red : blue);
    EXPECT_EQ(canvas.At(13, 12), enabled ? red : blue);
    EXPECT_NE(canvas.At(10, 13), green) << "the transparent corner shows the face";
  }
}

}  // namespace
