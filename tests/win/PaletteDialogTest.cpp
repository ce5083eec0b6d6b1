// The palette dialog as built: its window, its controls and the palette bitmap, painted again
// here swatch by swatch.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/MainWindowFixture.h"
#include "ui/Canvas.h"

namespace {

using PaletteDialog = testing_support::MainWindowTest;

TEST_F(PaletteDialog, TheBitmapHoldsTheSwatchesAndTheBlackLinesAtEightBitsPerPixel) {
  HBITMAP bitmap = palette->paletteImage.BitmapHandle();
  ASSERT_NE(bitmap, nullptr);
  BITMAP info{};
  ASSERT_TRUE(GetObjectA(bitmap, sizeof info, &info));
  EXPECT_EQ(info.bmWidth, 366);
  EXPECT_EQ(info.bmHeight, 61);
  EXPECT_EQ(info.bmBitsPixel, 8);

  std::vector<DWORD> pixels(366 * 61);
  BITMAPINFO request{};
  request.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), 366, -61, 1, 32, BI_RGB};
  ui::WindowDC screen(nullptr);
  ASSERT_EQ(GetDIBits(screen, bitmap, 0, 61, pixels.data(), &request, DIB_RGB_COLORS), 61);
  // The expected picture, painted swatch by swatch on black: 9 x 9 squares, one black pixel
  // between neighbours and around the edge, and one more between blocks of six.
  constexpr int kLevels[6] = {0x00, 0x33, 0x66, 0x99, 0xCC, 0xFF};
  std::vector<DWORD> expected(366 * 61, 0);  // 0x00RRGGBB, as the request answers
  for (int band = 0; band < 6; ++band)
    for (int block = 0; block < 6; ++block)
      for (int swatch = 0; swatch < 6; ++swatch) {
        const DWORD colour =
            DWORD(kLevels[block]) << 16 | DWORD(kLevels[5 - band]) << 8 | DWORD(kLevels[swatch]);
        const int left = 1 + 61 * block + 10 * swatch, top = 1 + 10 * band;
        for (int y = top; y < top + 9; ++y)
          for (int x = left; x < left + 9; ++x) expected[y * 366 + x] = colour;
      }
  int mismatches = 0;
  for (int y = 0; y < 61; ++y)
    for (int x = 0; x < 366; ++x)
      if ((pixels[y * 366 + x] & 0xFFFFFF) != expected[y * 366 + x] && ++mismatches <= 5)
        ADD_FAILURE() << "at " << x << "," << y << ": " << std::hex << pixels[y * 366 + x] << " for "
                      << expected[y * 366 + x];
  EXPECT_EQ(mismatches, 0);
  // The corners the eye checks first, and a line between two blocks.
  struct Point {
    int x, y;
    DWORD rgb;
  } const points[] = {{1, 1, 0x00FF00},    {9, 9, 0x00FF00},   {364, 1, 0xFFFFFF}, {1, 59, 0x000000},
                      {364, 59, 0xFF00FF}, {60, 5, 0x000000},  {61, 5, 0x000000},  {62, 5, 0x33FF00},
                      {365, 30, 0x000000}, {200, 60, 0x000000}};
  for (const Point& p : points) EXPECT_EQ(pixels[p.y * 366 + p.x] & 0xFFFFFF, p.rgb) << p.x << "," << p.y;
}

TEST_F(PaletteDialog, TheWindowAndItsControlsStandWhereTheDesignPutsThem) {
  EXPECT_EQ(palette->Caption(), "Colorselect (216 Color-Palett)");
  RECT client;
  GetClientRect(palette->Handle(), &client);
  EXPECT_EQ(client.right, 562);
  EXPECT_EQ(client.bottom, 90);
  struct Place {
    const ui::Control& control;
    ui::Bounds bounds;
  };
  for (const Place& p :
       {Place{palette->frame, {8, 8, 461, 73}}, Place{palette->paletteImage, {16, 16, 366, 61}},
        Place{palette->sampleGround, {388, 16, 73, 61}}, Place{palette->sample, {392, 18, 65, 56}}}) {
    const RECT r = p.control.BoundsRect();
    EXPECT_EQ((ui::Bounds{r.left, r.top, r.right - r.left, r.bottom - r.top}), p.bounds)
        << p.control.Caption();
  }
  EXPECT_EQ(palette->sample.Text(), "SampleText\r\nSampleText\r\nSampleText\r\nSampleText");
  EXPECT_EQ(palette->sample.GetFont().Color(), ui::kSysColor | COLOR_WINDOWTEXT);
  EXPECT_TRUE(palette->sample.GetFont().Style().bold);
  EXPECT_EQ(palette->sampleGround.Text(), "");

  // Shown, it is centred on the screen.
  palette->Show();
  RECT w;
  GetWindowRect(palette->Handle(), &w);
  EXPECT_NEAR((w.left + w.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((w.top + w.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  palette->Hide();
}

}  // namespace
