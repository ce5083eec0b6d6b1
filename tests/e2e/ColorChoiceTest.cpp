// The colour choice from another process: the palette pressed at image coordinates and the colour dialog.
// What reaches the text-colour button, the composition and the HTML line is read as another program would.
#include <gtest/gtest.h>
#include <richedit.h>

#include <regex>
#include <vector>

#include "tests/e2e/E2eInput.h"
#include "tests/e2e/E2eSupport.h"

using namespace testing_support;
using e2e::ControlText;

namespace {

void PressKeys(std::initializer_list<std::pair<WORD, bool>> events) {
  std::vector<INPUT> in;
  for (auto [vk, up] : events) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  }
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return c;
}

// The running program and the controls the colour choice touches.
class ColorChoice : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.Start(TessarinExe()));
    main = program.WaitForVisibleWindow(e2e::kMainClass);
    ASSERT_NE(main, nullptr);
    colorButton = e2e::FindControl(main, {"TBI_GradientButton", "&Textcolor/Textcolor"});
    groupBox = e2e::FindControl(main, {"Button", "Textcolor"});
    webSafeCheck = e2e::FindControl(main, {"Button", "216 Colors"});
    html = e2e::FindControl(main, {"Edit", nullptr, ES_READONLY, ES_READONLY});
    rich = e2e::FindControl(main, {"RichEdit20A", nullptr});
    HWND fontcopy = e2e::FindControl(main, {"Button", "Copy with HTML-Fontstyles"});
    HWND select = e2e::FindControl(main, {"Button", "&Select"});
    ASSERT_TRUE(colorButton && groupBox && webSafeCheck && html && rich && fontcopy && select);
    // A composition of one character, with the font tags in the HTML line.
    SendMessageA(fontcopy, BM_CLICK, 0, 0);
    ClickCentre(select);
    ASSERT_TRUE(PumpUntil([&] { return HtmlColor() == "000000"; })) << ControlText(html);
  }
  void TearDown() override {
    PostMessageA(main, WM_CLOSE, 0, 0);
    DWORD code = 0;
    program.WaitExit(code, 5000);
  }

  std::string HtmlColor() {
    std::smatch m;
    const std::string text = ControlText(html);
    return std::regex_search(text, m, std::regex("color=#([0-9A-F]{6})")) ? m[1].str() : text;
  }
  // The colour of the composition's text, asked of the rich edit in its own process.
  COLORREF CompositionColor() {
    void* remote =
        VirtualAllocEx(program.Process(), nullptr, sizeof(CHARFORMATA), MEM_COMMIT, PAGE_READWRITE);
    CHARFORMATA cf{};
    cf.cbSize = sizeof cf;
    WriteProcessMemory(program.Process(), remote, &cf, sizeof cf, nullptr);
    SendMessageA(rich, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(program.Process(), remote, &cf, sizeof cf, nullptr);
    VirtualFreeEx(program.Process(), remote, 0, MEM_RELEASE);
    return cf.crTextColor;
  }
  // Whether the text-colour button shows a pixel of the colour (its caption) on screen.
  bool ButtonShows(COLORREF color) {
    RECT r;
    GetWindowRect(colorButton, &r);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (ScreenPixel(x, y) == color) return true;
    return false;
  }
  void ClickCentre(HWND hwnd) {
    const POINT c = e2e::CentreOf(hwnd);
    ClickAt(c.x, c.y);
  }
  HWND WaitForDialog(const char* className) {
    HWND found = nullptr;
    PumpUntil([&] {
      for (HWND h : TopLevelWindows(program.Id()))
        if (ClassName(h) == className && IsWindowVisible(h)) found = h;
      return found != nullptr;
    });
    return found;
  }
  bool WaitGone(HWND dialog) {
    return PumpUntil([&] { return !IsWindowVisible(dialog); });
  }
  // Keys reach the window that has the focus in the program when they are queued. A dialog
  // that has just hidden hands the activation back to the main window only after that (and
  // the activation may pass through another program's window first), so the keys wait until
  // the main window is in front and holds the focus, and a round trip to the program's thread.
  // The notification area (Wine's window of its own, in another process) appears with the
  // program's icon, after the first paint, and may take the front late: it is waited for
  // and counted among the windows whose queues must have been handled.
  void AltT() {
    HWND tray = nullptr;
    EXPECT_TRUE(PumpUntil([&] {
      tray = FindWindowA("__winex11_standalone_tray", nullptr);
      return tray && !e2e::NotificationIcons().empty();
    })) << "the program's start-up never added its icon";
    EXPECT_TRUE(PumpUntil([&] {
      if (!BringToFront(main, {tray})) return false;
      GUITHREADINFO state{};
      state.cbSize = sizeof state;
      GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &state);
      return state.hwndActive == main && (state.hwndFocus == main || IsChild(main, state.hwndFocus));
    })) << "the main window never came back to the front";
    PressKeys({{VK_MENU, false}, {'T', false}, {'T', true}, {VK_MENU, true}});
  }

  ChildProcess program;
  HWND main = nullptr, colorButton = nullptr, groupBox = nullptr, webSafeCheck = nullptr, html = nullptr,
       rich = nullptr;
};

TEST_F(ColorChoice, ThePalettePicksThePixelUnderThePointerAndOkAppliesIt) {
  SendMessageA(webSafeCheck, BM_CLICK, 0, 0);
  ASSERT_EQ(SendMessageA(webSafeCheck, BM_GETCHECK, 0, 0), BST_CHECKED);

  // OK without a pick: the sample's first colour, the window-text colour.
  ClickCentre(colorButton);
  HWND dialog = WaitForDialog("Tdialog216");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(dialog), "Colorselect (216 Color-Palett)");
  RECT client;
  GetClientRect(dialog, &client);
  EXPECT_EQ(client.right, 562);
  EXPECT_EQ(client.bottom, 90);
  HWND image = e2e::FindControl(dialog, {"TImage", nullptr});
  HWND ok = e2e::FindControl(dialog, {"Button", "OK"});
  HWND cancel = e2e::FindControl(dialog, {"Button", "Cancel"});
  ASSERT_TRUE(image && ok && cancel);
  EXPECT_FALSE(IsWindowEnabled(main)) << "the dialog is modal";
  // On screen: the palette's corners, and the frame's inside around it.
  auto at = [](HWND hwnd, int x, int y) {
    POINT pt{x, y};
    ClientToScreen(hwnd, &pt);
    return ScreenPixel(pt.x, pt.y);
  };
  EXPECT_TRUE(PumpUntil([&] {
    return at(image, 5, 5) == RGB(0, 255, 0) && at(image, 360, 55) == RGB(255, 0, 255) &&
           at(image, 60, 30) == RGB(0, 0, 0) && at(dialog, 12, 40) == GetSysColor(COLOR_BTNFACE);
  })) << std::hex
      << at(image, 5, 5) << " " << at(dialog, 12, 40);
  ClickCentre(ok);
  ASSERT_TRUE(WaitGone(dialog));
  char windowText[8];
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  snprintf(windowText, sizeof windowText, "%02X%02X%02X", GetRValue(text), GetGValue(text), GetBValue(text));
  EXPECT_TRUE(PumpUntil([&] { return HtmlColor() == windowText; })) << HtmlColor();

  // Presses at image coordinates: a swatch's colour, or black on a separator. The group
  // box opens the choice too.
  struct Pick {
    int x, y;
    const char* html;
    COLORREF color;
    bool fromGroupBox;
  };
  for (const Pick& p :
       {Pick{1, 1, "00FF00", RGB(0, 255, 0), false}, Pick{364, 59, "FF00FF", RGB(255, 0, 255), true},
        Pick{60, 5, "000000", RGB(0, 0, 0), false}}) {
    if (p.fromGroupBox) {
      RECT g;
      GetWindowRect(groupBox, &g);
      ClickAt(g.left + 150, g.bottom - 4);  // the frame's bottom right, away from its controls
    } else {
      ClickCentre(colorButton);
    }
    ASSERT_EQ(WaitForDialog("Tdialog216"), dialog);
    POINT pt{p.x, p.y};
    ClientToScreen(image, &pt);
    ClickAt(pt.x, pt.y);  // handled before the click on OK that follows it
    ClickCentre(ok);
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(PumpUntil([&] { return HtmlColor() == p.html; })) << p.x << "," << p.y << ": " << HtmlColor();
    EXPECT_EQ(CompositionColor(), p.color) << p.x << "," << p.y;
  }
  EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(main) != FALSE; }));

  // A pick cancelled changes nothing, but the sample keeps it for the next opening.
  ClickCentre(colorButton);
  ASSERT_EQ(WaitForDialog("Tdialog216"), dialog);
  POINT green{1, 1};
  ClientToScreen(image, &green);
  ClickAt(green.x, green.y);
  ClickCentre(cancel);
  // The dialog applies a colour before it closes: once it is gone, nothing more comes.
  ASSERT_TRUE(WaitGone(dialog));
  EXPECT_EQ(HtmlColor(), "000000");
  AltT();  // Alt+T clicks the text-colour button
  ASSERT_EQ(WaitForDialog("Tdialog216"), dialog);
  ClickCentre(ok);
  ASSERT_TRUE(WaitGone(dialog));
  EXPECT_TRUE(PumpUntil([&] { return HtmlColor() == "00FF00"; })) << HtmlColor();
  EXPECT_TRUE(PumpUntil([&] { return ButtonShows(RGB(0, 255, 0)); }));

  // Esc closes it without a change.
  AltT();
  ASSERT_EQ(WaitForDialog("Tdialog216"), dialog);
  POINT magenta{364, 59};
  ClientToScreen(image, &magenta);
  ClickAt(magenta.x, magenta.y);
  PressKeys({{VK_ESCAPE, false}, {VK_ESCAPE, true}});
  ASSERT_TRUE(WaitGone(dialog));
  EXPECT_EQ(HtmlColor(), "00FF00");
  EXPECT_EQ(CompositionColor(), RGB(0, 255, 0));
}

// The platform's colour dialog, driven through its own controls (the ids of its template).
constexpr int kRed = 706, kGreen = 707, kBlue = 708, kAddCustom = 712, kCustomBox = 721;

class ColorDialog : public ColorChoice {
 protected:
  HWND Open(bool byKey) {
    if (byKey) {
      AltT();
    } else {
      ClickCentre(colorButton);
    }
    return WaitForDialog("#32770");
  }
  static std::string Rgb(HWND dialog) {
    return ControlText(GetDlgItem(dialog, kRed)) + "," + ControlText(GetDlgItem(dialog, kGreen)) + "," +
           ControlText(GetDlgItem(dialog, kBlue));
  }
  static void SetRgb(HWND dialog, int r, int g, int b) {
    for (auto [id, v] : {std::pair{kRed, r}, std::pair{kGreen, g}, std::pair{kBlue, b}})
      SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(std::to_string(v).c_str()));  // the dialog hears of it at once
  }
  // The sixteen custom colours as the dialog shows them: two rows of eight cells.
  static std::vector<COLORREF> CustomColors(HWND dialog) {
    RECT box;
    GetWindowRect(GetDlgItem(dialog, kCustomBox), &box);
    const int dx = (box.right - box.left) / 8, dy = (box.bottom - box.top) / 2;
    std::vector<COLORREF> colors;
    for (int i = 0; i < 16; ++i)
      colors.push_back(ScreenPixel(box.left + dx * (i % 8) + dx / 2, box.top + dy * (i / 8) + dy / 2));
    return colors;
  }
  static void Press(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
  }
};

TEST_F(ColorDialog, AnAcceptedColourReachesTheButtonTheCompositionAndTheHtmlLine) {
  HWND dialog = Open(true);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return Rgb(dialog) == "0,0,0"; })) << Rgb(dialog);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, kRed))) << "opened in full";
  // The custom colours offered at the first opening: "FarbeA=FFFFFF" … "FarbeP=A3A289".
  const std::vector<COLORREF> initial{
      RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
      RGB(19, 94, 53),    RGB(199, 99, 56),   RGB(0, 104, 219),   RGB(0, 234, 234),
      RGB(147, 183, 68),  RGB(22, 172, 228),  RGB(135, 97, 134),  RGB(128, 128, 0),
      RGB(0, 202, 202),   RGB(0, 150, 0),     RGB(75, 94, 122),   RGB(137, 162, 163)};
  EXPECT_TRUE(PumpUntil([&] { return CustomColors(dialog) == initial; }));

  SetRgb(dialog, 0x12, 0x34, 0x56);
  Press(dialog, kAddCustom);  // posted: handled before the press after it
  Press(dialog, IDOK);
  ASSERT_TRUE(WaitGone(dialog));
  EXPECT_TRUE(PumpUntil([&] { return HtmlColor() == "123456"; })) << HtmlColor();
  EXPECT_EQ(CompositionColor(), RGB(0x12, 0x34, 0x56));
  EXPECT_TRUE(PumpUntil([&] { return ButtonShows(RGB(0x12, 0x34, 0x56)); }));

  // Reopened: its own last colour, and the accepted custom colour offered again.
  dialog = Open(false);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return Rgb(dialog) == "18,52,86"; })) << Rgb(dialog);
  std::vector<COLORREF> accepted;
  EXPECT_TRUE(PumpUntil([&] {
    accepted = CustomColors(dialog);
    return std::count(accepted.begin(), accepted.end(), RGB(0x12, 0x34, 0x56)) == 1;
  }));

  // A custom colour added and then cancelled is not offered again; nothing else changes.
  SetRgb(dialog, 200, 10, 10);
  Press(dialog, kAddCustom);
  Press(dialog, IDCANCEL);
  ASSERT_TRUE(WaitGone(dialog));
  EXPECT_EQ(HtmlColor(), "123456");
  dialog = Open(true);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return Rgb(dialog) == "18,52,86"; })) << Rgb(dialog);
  EXPECT_TRUE(PumpUntil([&] { return CustomColors(dialog) == accepted; }));
  Press(dialog, IDCANCEL);
  ASSERT_TRUE(WaitGone(dialog));

  // A colour taken from the palette is not the colour dialog's own colour.
  SendMessageA(webSafeCheck, BM_CLICK, 0, 0);
  ClickCentre(colorButton);
  HWND palette = WaitForDialog("Tdialog216");
  ASSERT_NE(palette, nullptr);
  HWND image = e2e::FindControl(palette, {"TImage", nullptr});
  POINT pt{364, 59};
  ClientToScreen(image, &pt);
  ClickAt(pt.x, pt.y);
  ClickCentre(e2e::FindControl(palette, {"Button", "OK"}));
  ASSERT_TRUE(WaitGone(palette));
  EXPECT_TRUE(PumpUntil([&] { return HtmlColor() == "FF00FF"; })) << HtmlColor();
  SendMessageA(webSafeCheck, BM_CLICK, 0, 0);
  dialog = Open(false);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return Rgb(dialog) == "18,52,86"; })) << Rgb(dialog);
  Press(dialog, IDCANCEL);
  ASSERT_TRUE(WaitGone(dialog));
}

}  // namespace
