// Where every control of the main window must stand, by screen width, as the form is
// drawn up: the test's own table, independent of the program's layout code.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

struct ExpectedControl {
  const char* name;
  const char* parent;            // "form", "panel", "compositionGroup"
  int left, top, width, height;  // width or height -1: not fixed by the layout
};

struct ExpectedLayout {
  int outerWidth, outerHeight;  // 0: client size 747 x 485 instead
  std::vector<ExpectedControl> controls;
};

inline ExpectedLayout ExpectedLayoutFor(int screenWidth) {
  const bool small = screenWidth <= 640, large = screenWidth >= 1024;
  const int gridW = small ? 369 : large ? 693 : 531;
  const int gridH = small ? 400 : large ? 607 : 465;
  const int rowTop = small ? 216 : 276;
  const int textTop = small ? 232 : 292;
  const int buttonsTop = small ? 396 : 456;
  ExpectedLayout layout;
  layout.outerWidth = small ? 590 : large ? 914 : 0;
  layout.outerHeight = small ? 450 : large ? 648 : 0;
  layout.controls = {
      {"magnifier", "form", 4, 10, gridW, gridH},
      {"grid", "form", 4, 10, gridW, gridH},
      {"fontBox", "panel", 4, 4, 193, -1},
      {"ownFontNamesCheck", "panel", 4, 28, 117, 17},
      {"fontFilterGroup", "panel", 4, 44, 113, 61},
      {"styleGroup", "panel", 124, 28, 73, 77},
      {"colorGroup", "panel", 4, 105, 193, 38},
      {"viewBox", "panel", 8, 145, 188, -1},
      {"previewLabel", "panel", 8, 167, 188, small ? 35 : 95},
      {"nameLabel", "panel", 8, small ? 202 : 262, 188, 13},
      {"keyCaption", "panel", 8, rowTop, 21, 13},
      {"codeLabel", "panel", 49, rowTop, 19, 13},
      {"keyLabel", "panel", 109, rowTop, 31, 13},
      {"entityLabel", "panel", 144, rowTop, 48, 13},
      {"compositionGroup", "panel", 4, textTop, 193, 159},
      {"selectButton", "panel", 4, buttonsTop, 61, 25},
      {"optionsButton", "panel", 68, buttonsTop, 61, 25},
      {"exitButton", "panel", 132, buttonsTop, 61, 25},
      {"composition", "compositionGroup", 4, 14, 183, 47},
      {"htmlEdit", "compositionGroup", 4, 92, 185, 21},
      {"copyRtfButton", "compositionGroup", 4, 134, 90, 21},
      {"copyHtmlButton", "compositionGroup", 98, 134, 90, 21},
  };
  return layout;
}

// A control's rectangle in its parent's client area against the table.
inline void ExpectPlaced(const ExpectedControl& e, const RECT& r) {
  EXPECT_EQ(r.left, e.left) << e.name;
  EXPECT_EQ(r.top, e.top) << e.name;
  if (e.width >= 0) {
    EXPECT_EQ(r.right - r.left, e.width) << e.name;
  }
  if (e.height >= 0) {
    EXPECT_EQ(r.bottom - r.top, e.height) << e.name;
  }
}

// The main window's size for the layout: the outer size of the small and large
// layouts, the client size of the design layout.
inline void ExpectWindowSize(const ExpectedLayout& layout, HWND main) {
  RECT w, client;
  GetWindowRect(main, &w);
  GetClientRect(main, &client);
  if (layout.outerWidth) {
    EXPECT_EQ(w.right - w.left, layout.outerWidth);
    EXPECT_EQ(w.bottom - w.top, layout.outerHeight);
  } else {
    EXPECT_EQ(client.right, 747);
    EXPECT_EQ(client.bottom, 485);
  }
}

}  // namespace testing_support
