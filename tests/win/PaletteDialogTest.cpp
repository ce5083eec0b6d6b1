// The palette dialog as built: its window, its controls and the palette bitmap against the layout rule.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/MainWindowFixture.h"
#include "ui/Canvas.h"
#include "websafe/PaletteRule.h"

namespace {

using PaletteDialog = testing_support::MainWindowTest;

TEST_F(PaletteDialog, TheBitmapHoldsTheSwatchesAndTheBlackLinesAtEightBitsPerPixel) {
  HBITMAP bitmap = palette->Image1.BitmapHandle();
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
  int mismatches = 0;
  for (int y = 0; y < 61; ++y) {
    for (int x = 0; x < 366; ++x) {
      const DWORD p = pixels[y * 366 + x];
      const std::uint32_t drawn =
          ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);  // BGRX to 0x00BBGGRR
      if (drawn != tessarin::PaletteColorAt(x, y) && ++mismatches <= 5)
        ADD_FAILURE() << "at " << x << "," << y << ": " << std::hex << drawn;
    }
  }
  EXPECT_EQ(mismatches, 0);
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
       {Place{palette->Bevel1, {8, 8, 461, 73}}, Place{palette->Image1, {16, 16, 366, 61}},
        Place{palette->BI_GradientButton1, {388, 16, 73, 61}}, Place{palette->Label1, {392, 18, 65, 56}}}) {
    const RECT r = p.control.BoundsRect();
    EXPECT_EQ((ui::Bounds{r.left, r.top, r.right - r.left, r.bottom - r.top}), p.bounds)
        << p.control.Caption();
  }
  EXPECT_EQ(palette->Label1.Text(), "SampleText\r\nSampleText\r\nSampleText\r\nSampleText");
  EXPECT_EQ(palette->Label1.GetFont().Color(), ui::kSysColor | COLOR_WINDOWTEXT);
  EXPECT_TRUE(palette->Label1.GetFont().Style().bold);
  EXPECT_EQ(palette->BI_GradientButton1.Text(), "");

  // Shown, it is centred on the screen.
  palette->Show();
  RECT w;
  GetWindowRect(palette->Handle(), &w);
  EXPECT_NEAR((w.left + w.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((w.top + w.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  palette->Hide();
}

}  // namespace
