// The tray callback decoding and the caption button's rectangle, without any window.
#include <gtest/gtest.h>

#include "core/TrayDecode.h"
#include "core/CaptionButtonGeometry.h"

namespace {
using namespace tessarin;
using namespace tessarin::tray;
using K = TrayEventKind;
using B = TrayButton;

const TrayMouseState kLeft{.left = true}, kRight{.right = true}, kMiddle{.middle = true}, kDbl{.dbl = true};

TEST(TrayDecode, EachReportedMessageRaisesItsEventsAndKeepsThePressedSet) {
  const PressedButtons none{}, left{.left = true}, right{.right = true}, both{true, true};
  struct Case {
    unsigned message;
    PressedButtons before;
    std::vector<TrayEvent> events;
    PressedButtons after;
  } const cases[] = {
      {MouseMove, both, {{K::MouseMove}}, both},
      {LButtonDown, none, {{K::MouseDown, B::Left, kLeft}}, left},
      {LButtonUp, both, {{K::Click, B::Left, kLeft}, {K::MouseUp, B::Left, kLeft}}, right},
      {LButtonUp, right, {{K::MouseUp, B::Left, kLeft}}, right},  // pressed elsewhere: no click
      {LButtonDblClk, none, {{K::DoubleClick}, {K::MouseDown, B::Left, kDbl}}, none},
      {RButtonDown, left, {{K::MouseDown, B::Right, kRight}}, both},
      {RButtonUp, right, {{K::Click, B::Right, kRight}, {K::MouseUp, B::Right, kRight}}, none},
      {RButtonUp, left, {{K::MouseUp, B::Right, kRight}}, left},
      {RButtonDblClk, none, {{K::MouseDown, B::Right, kDbl}}, none},
      {MButtonDown, none, {{K::MouseDown, B::Middle, kMiddle}}, none},
      {MButtonUp, both, {{K::MouseUp, B::Middle, kMiddle}}, both},
      {MButtonDblClk, none, {{K::MouseDown, B::Middle, kDbl}}, none},
      {0x20A, both, {}, both},  // the wheel and anything else: nothing
      {0x1FF, none, {}, none},
  };
  for (const Case& c : cases) {
    PressedButtons pressed = c.before;
    EXPECT_EQ(DecodeTrayMessage(c.message, pressed), c.events) << std::hex << c.message;
    EXPECT_EQ(pressed, c.after) << std::hex << c.message;
  }
}

TEST(TrayDecode, ADoubleClickAddsNoSecondClick) {
  // The shell's order for a left double click: down, up, double click, up.
  PressedButtons pressed;
  int clicks = 0;
  for (unsigned m : {LButtonDown, LButtonUp, LButtonDblClk, LButtonUp})
    for (const TrayEvent& e : DecodeTrayMessage(m, pressed)) clicks += e.kind == K::Click;
  EXPECT_EQ(clicks, 1);
}

const WidgetMetrics kClassic{.cxFixedFrame = 3,
                             .cyFixedFrame = 3,
                             .cxSizeFrame = 4,
                             .cySizeFrame = 4,
                             .cxSize = 18,
                             .cySize = 18,
                             .cxSmSize = 12,
                             .cySmSize = 14};

TEST(CaptionButtonGeometry, EveryBorderStyleLeavesRoomForItsCaptionButtons) {
  using W = WidgetBorder;
  const WidgetBorderIcons sys{.systemMenu = true}, sysMin{.systemMenu = true, .minimize = true},
      sysMax{.systemMenu = true, .maximize = true}, sysHelp{.systemMenu = true, .help = true}, bare{};
  struct Case {
    W border;
    WidgetBorderIcons icons;
    int gap, index;
    WidgetRect expected;
  } const cases[] = {
      {W::Dialog, sysMin, 2, 0, {363, 5, 379, 19}},  // a dialog frame shows no minimise button
      {W::Dialog, sysHelp, 2, 0, {345, 5, 361, 19}},
      {W::Dialog, bare, 2, 0, {381, 5, 397, 19}},
      {W::Dialog, sysMin, 2, 1, {345, 5, 361, 19}},  // each further widget one cell and gap left
      {W::Dialog, sysMin, 2, 2, {327, 5, 343, 19}},
      {W::Dialog, sysMin, 5, 1, {339, 5, 355, 19}},
      {W::Single, sysMin, 2, 0, {327, 5, 343, 19}},
      {W::Single, sysHelp, 2, 0, {345, 5, 361, 19}},
      {W::Single, sys, 2, 0, {363, 5, 379, 19}},
      {W::Sizeable, sysMax, 2, 0, {326, 6, 342, 20}},
      {W::ToolWindow, sysMin, 2, 0, {375, 5, 385, 15}},
      {W::SizeToolWin, bare, 2, 0, {386, 6, 396, 16}},
      {W::None, sysMin, 2, 0, {}},
  };
  for (const Case& c : cases) {
    const WidgetRect r = WidgetButtonRect(c.border, c.icons, kClassic, 400, c.gap, c.index);
    EXPECT_EQ(r, c.expected) << static_cast<int>(c.border) << " index " << c.index << ": " << r.left << ","
                             << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST(CaptionButtonGeometry, OnADialogFrameTheButtonMeetsTheCloseButtonAtAnyMetrics) {
  for (int frame : {1, 3, 5})
    for (int cell : {14, 18, 22, 31}) {
      WidgetMetrics m = kClassic;
      m.cxFixedFrame = m.cyFixedFrame = frame;
      m.cxSize = m.cySize = cell;
      for (int width : {200, 753}) {
        const WidgetRect r =
            WidgetButtonRect(WidgetBorder::Dialog, {.systemMenu = true, .minimize = true}, m, width, 2, 0);
        EXPECT_EQ(r.right, width - frame - cell) << frame << "/" << cell;
        EXPECT_EQ(r.top, frame + 2);
        EXPECT_EQ(r.bottom - r.top, cell - 4);
      }
    }
}

}  // namespace
