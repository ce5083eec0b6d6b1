// The start-up floor: the windows of Tessarin's main window (same classes, styles, sizes
// and fonts, the rich edit included) created and shown, with no logic at all: only the
// grid's lines and characters, the preview's character and the colour button's gradient
// face are drawn, as plainly as the platform can. What Tessarin makes once its window has
// been drawn (its two hidden dialogs and its notification-area icon window), this program
// makes after its own first complete paint, by the same rule. It carries the program's
// manifest, so its controls are the same visual-styles controls. bench_startup measures
// Tessarin against it.
#include <windows.h>
#include <commctrl.h>
#include <richedit.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct FontSpec {
  const char* name;
  int height;
  bool bold = false, italic = false, underline = false, strike = false;
  auto Key() const { return std::tuple(std::string(name), height, bold, italic, underline, strike); }
};

struct WindowSpec {
  int parent;  // index into the table; -1: the form
  const char* className;
  const char* text;
  DWORD style, exStyle;
  int x, y, w, h;
  FontSpec font;
};

constexpr FontSpec kForm{"MS Sans Serif", -11};
constexpr DWORD kChild = WS_CHILD | WS_CLIPSIBLINGS;
constexpr DWORD kVisible = WS_VISIBLE | kChild;

// The main window's controls, in Tessarin's creation order.
const WindowSpec kMain[] = {
    /* 0 */ {-1, "STATIC", "1", kVisible | SS_NOPREFIX | SS_CENTER, 0, 4, 10, 531, 465, {"Arial", -341}},
    /* 1 */ {-1, "BareGrid", "", kVisible | WS_TABSTOP, 0, 4, 10, 531, 465, {"Arial", -21}},
    /* 2 */ {-1, "BarePanel", "", kVisible | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 545, 0, 202, 485, kForm},
    /* 3 */
    {2, "COMBOBOX", "",
     kVisible | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT | CBS_HASSTRINGS,
     0, 4, 4, 193, 150, kForm},
    /* 4 */
    {2, "BUTTON", "Fontname like Font", kVisible | WS_TABSTOP | BS_CHECKBOX, 0, 4, 28, 117, 17, kForm},
    /* 5 */
    {2, "BUTTON", "Fontoptions", kVisible | BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 4, 44, 113,
     61, kForm},
    /* 6 */
    {5, "BUTTON", "&All Fonts", kVisible | BS_RADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, 8, 14, 103, 15, kForm},
    /* 7 */ {5, "BUTTON", "A&NSI only", kVisible | BS_RADIOBUTTON, 0, 8, 29, 103, 15, kForm},
    /* 8 */ {5, "BUTTON", "S&ymbols only", kVisible | BS_RADIOBUTTON, 0, 8, 44, 103, 15, kForm},
    /* 9 */
    {2, "BUTTON", "Fontstyle", kVisible | BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 124, 28, 73, 77,
     kForm},
    /* 10 */
    {9,
     "BUTTON",
     "TEXT",
     kVisible | WS_TABSTOP | BS_CHECKBOX,
     0,
     8,
     14,
     57,
     15,
     {"MS Sans Serif", -11, true}},
    /* 11 */
    {9,
     "BUTTON",
     "TEXT",
     kVisible | WS_TABSTOP | BS_CHECKBOX,
     0,
     8,
     29,
     57,
     15,
     {"MS Sans Serif", -11, false, true}},
    /* 12 */
    {9,
     "BUTTON",
     "TEXT",
     kVisible | WS_TABSTOP | BS_CHECKBOX,
     0,
     8,
     44,
     57,
     15,
     {"MS Sans Serif", -11, false, false, false, true}},
    /* 13 */
    {9,
     "BUTTON",
     "TEXT",
     kVisible | WS_TABSTOP | BS_CHECKBOX,
     0,
     8,
     59,
     57,
     15,
     {"MS Sans Serif", -11, false, false, true}},
    /* 14 */
    {2, "BUTTON", "Textcolor", kVisible | BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 4, 105, 193, 38,
     kForm},
    /* 15 */ {14, "BareGradient", "Textcolor", kVisible, 0, 8, 13, 104, 19, {"Arial", -11}},
    /* 16 */ {14, "BUTTON", "216 Colors", kVisible | WS_TABSTOP | BS_CHECKBOX, 0, 118, 15, 71, 17, kForm},
    /* 17 */ {2, "STATIC", " ", kVisible | SS_NOPREFIX | SS_CENTER, 0, 8, 167, 188, 95, {"Arial", -80}},
    /* 18 */ {2, "STATIC", "Key:", kVisible | SS_NOPREFIX, 0, 8, 276, 21, 13, kForm},
    /* 19 */ {2, "STATIC", "#32", kVisible | SS_NOPREFIX | SS_RIGHT, 0, 49, 276, 19, 13, kForm},
    /* 20 */ {2, "STATIC", "Space", kVisible | SS_NOPREFIX | SS_RIGHT, 0, 109, 276, 31, 13, kForm},
    /* 21 */ {2, "STATIC", "", kVisible | SS_NOPREFIX | SS_RIGHT, 0, 144, 276, 48, 13, kForm},
    /* 22 */
    {2, "BUTTON", "Text", kVisible | BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 4, 292, 193, 159,
     kForm},
    /* 23 */
    {22,
     "RichEdit20A",
     "",
     kVisible | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
         ES_NOHIDESEL,
     WS_EX_CLIENTEDGE,
     4,
     14,
     183,
     47,
     {"MS Sans Serif", -13}},
    /* 24 */ {22, "STATIC", "RTF-Size", kVisible | SS_NOPREFIX | SS_RIGHT, 0, 101, 64, 43, 13, kForm},
    /* 25 */
    {22, "EDIT", "10", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 148, 62, 24, 22, kForm},
    /* 26 */
    {22, UPDOWN_CLASSA, "", kVisible | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0,
     172, 62, 17, 22, kForm},
    /* 27 */ {22, "EDIT", "", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 64, 1, 21, kForm},
    /* 28 */ {22, "STATIC", "HTML-Output", kVisible | SS_NOPREFIX, 0, 8, 78, 61, 13, kForm},
    /* 29 */
    {22, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, 4, 92, 185, 21,
     kForm},
    /* 30 */
    {22, "BUTTON", "Copy with HTML-Fontstyles", kVisible | WS_TABSTOP | BS_CHECKBOX, 0, 4, 113, 153, 17,
     kForm},
    /* 31 */ {22, "BUTTON", "Copy as &RTF", kVisible | WS_TABSTOP | BS_PUSHBUTTON, 0, 4, 134, 90, 21, kForm},
    /* 32 */
    {22, "BUTTON", "Copy as &HTML", kVisible | WS_TABSTOP | BS_PUSHBUTTON, 0, 98, 134, 90, 21, kForm},
    /* 33 */ {22, "STATIC", "", kChild | SS_NOPREFIX, 0, 8, 0, 0, 13, kForm},
    /* 34 */ {2, "BUTTON", "&Select", kVisible | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 4, 456, 61, 25, kForm},
    /* 35 */ {2, "BUTTON", "&Options", kVisible | WS_TABSTOP | BS_PUSHBUTTON, 0, 68, 456, 61, 25, kForm},
    /* 36 */ {2, "BUTTON", "E&xit", kVisible | WS_TABSTOP | BS_PUSHBUTTON, 0, 132, 456, 61, 25, kForm},
    // The list of blocks above the preview and the name line below it.
    /* 37 */
    {2, "COMBOBOX", "", kVisible | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 8, 145, 188, 300, kForm},
    /* 38 */ {2, "STATIC", "SPACE", kVisible | SS_NOPREFIX | SS_CENTER, 0, 8, 262, 188, 13, kForm},
};

constexpr DWORD kRadio = kVisible | BS_RADIOBUTTON;
constexpr DWORD kGroup = kVisible | BS_GROUPBOX | WS_CLIPCHILDREN;

// The palette dialog's controls.
const WindowSpec kPalette[] = {
    {-1, "STATIC", "", kVisible | SS_ETCHEDFRAME, 0, 8, 8, 461, 73, kForm},
    {-1, "BareImage", "", kVisible, 0, 16, 16, 366, 61, kForm},
    {-1, "BareGradient", "", kVisible, 0, 388, 16, 73, 61, kForm},
    {-1, "BareImage", "SampleText", kVisible, 0, 392, 18, 65, 56, {"Arial", -11, true}},
    {-1, "BUTTON", "OK", kVisible | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 479, 8, 75, 25, kForm},
    {-1, "BUTTON", "Cancel", kVisible | WS_TABSTOP | BS_PUSHBUTTON, 0, 479, 38, 75, 25, kForm},
};

// The options dialog's controls: the buttons, the page control and its three pages.
const WindowSpec kOptions[] = {
    /* 0 */ {-1, "BUTTON", "&OK", kVisible | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 330, 8, 75, 25, kForm},
    /* 1 */ {-1, "BUTTON", "&Website", kVisible | WS_TABSTOP, 0, 330, 128, 75, 25, kForm},
    /* 2 */ {-1, "BUTTON", "&Mail", kVisible | WS_TABSTOP, 0, 330, 98, 75, 25, kForm},
    /* 3 */ {-1, WC_TABCONTROLA, "", kVisible | WS_TABSTOP, 0, 4, 4, 313, 417, kForm},
    /* 4 */
    {-1, "BarePage", "Adjustment", kVisible | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 8, 26, 305, 389, kForm},
    /* 5 */ {4, "BareImage", "", kVisible, 0, 8, 8, 32, 32, kForm},
    /* 6 */
    {4, "BUTTON", "Create a shortcut in Startup folder", kVisible | WS_TABSTOP, 0, 48, 12, 245, 25, kForm},
    /* 7 */
    {4, "BUTTON", "Function for right MouseButton", kGroup, WS_EX_CONTROLPARENT, 8, 48, 285, 121, kForm},
    /* 8 */ {7, "BUTTON", "Without function", kRadio | WS_GROUP | WS_TABSTOP, 0, 8, 14, 275, 21, kForm},
    /* 9 */ {7, "BUTTON", "Magnify the char", kRadio, 0, 8, 35, 275, 21, kForm},
    /* 10 */ {7, "BUTTON", "Direct copy to clipboard as RTF", kRadio, 0, 8, 56, 275, 21, kForm},
    /* 11 */ {7, "BUTTON", "Direct copy to clipboard as HTML", kRadio, 0, 8, 77, 275, 21, kForm},
    /* 12 */ {7, "BUTTON", "Direct insert into application", kRadio, 0, 8, 98, 275, 21, kForm},
    /* 13 */
    {4, "BUTTON", "Function for middle MouseButton", kGroup, WS_EX_CONTROLPARENT, 8, 174, 285, 121, kForm},
    /* 14 */ {13, "BUTTON", "Without function", kRadio | WS_GROUP | WS_TABSTOP, 0, 8, 14, 275, 21, kForm},
    /* 15 */ {13, "BUTTON", "Magnify the char", kRadio, 0, 8, 35, 275, 21, kForm},
    /* 16 */ {13, "BUTTON", "Direct copy to clipboard as RTF", kRadio, 0, 8, 56, 275, 21, kForm},
    /* 17 */ {13, "BUTTON", "Direct copy to clipboard as HTML", kRadio, 0, 8, 77, 275, 21, kForm},
    /* 18 */ {13, "BUTTON", "Direct insert into application", kRadio, 0, 8, 98, 275, 21, kForm},
    /* 19 */ {4, "BUTTON", "Drag and Drop", kGroup, WS_EX_CONTROLPARENT, 8, 300, 285, 77, kForm},
    /* 20 */ {19, "BUTTON", "Not active", kRadio | WS_GROUP | WS_TABSTOP, 0, 8, 14, 275, 19, kForm},
    /* 21 */ {19, "BUTTON", "Take only text", kRadio, 0, 8, 33, 275, 19, kForm},
    /* 22 */ {19, "BUTTON", "Take text and HTML-Fontstyle", kRadio, 0, 8, 52, 275, 19, kForm},
    /* 23 */ {4, "STATIC", "", kVisible | SS_ETCHEDFRAME, 0, 0, 0, 305, 389, kForm},
    /* 24 */
    {-1, "BarePage", "Fast insert text", kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 8, 26, 305, 389,
     kForm},
    /* 25 */
    {24, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 24, 266, 21, kForm},
    /* 26 */
    {24, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 60, 266, 21, kForm},
    /* 27 */
    {24, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 96, 266, 21, kForm},
    /* 28 */
    {24, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 132, 266, 21, kForm},
    /* 29 */
    {24, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 168, 266, 21, kForm},
    /* 30 */
    {24, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 204, 266, 21, kForm},
    /* 31 */
    {24, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 240, 266, 21, kForm},
    /* 32 */
    {24, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 276, 266, 21, kForm},
    /* 33 */
    {24, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 312, 266, 21, kForm},
    /* 34 */
    {24, "EDIT", "", kVisible | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 16, 348, 266, 21, kForm},
    /* 35 */ {24, "STATIC", "", kVisible | SS_ETCHEDFRAME, 0, 0, 0, 305, 389, kForm},
    /* 36 */ {-1, "BarePage", "Info", kChild | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 8, 26, 305, 389, kForm},
    /* 37 */
    {36, "EDIT", "Freeware.", kVisible | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
     WS_EX_CLIENTEDGE, 4, 4, 297, 381, kForm},
    /* 38 */ {36, "STATIC", "", kVisible | SS_ETCHEDFRAME, 0, 0, 0, 305, 389, kForm},
    /* 39 */ {-1, "BUTTON", "&Cancel", kVisible | WS_TABSTOP, 0, 330, 38, 75, 25, kForm},
};

std::map<std::tuple<std::string, int, bool, bool, bool, bool>, HFONT> fonts;

HFONT FontFor(const FontSpec& want) {
  HFONT& font = fonts[want.Key()];
  if (!font)
    font = CreateFontA(want.height, 0, 0, 0, want.bold ? FW_BOLD : FW_NORMAL, want.italic, want.underline,
                       want.strike, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH, want.name);
  return font;
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE && GetWindow(hwnd, GW_OWNER) && IsWindowVisible(hwnd)) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// The grid's content with nothing but the platform's text output: its lines, and its 224
// characters, each in the middle of its cell: the floor of what the program's grid draws.
void PaintGrid(HWND hwnd, HDC dc, HFONT font) {
  RECT client;
  GetClientRect(hwnd, &client);
  const int w = (client.right + 1) / 16, h = (client.bottom + 1) / 14;  // a cell and its line
  HBRUSH line = CreateSolidBrush(RGB(192, 192, 192));
  for (int c = 0; c < 16; ++c) {
    const RECT r{c * w + w - 1, 0, c * w + w, 14 * h};
    FillRect(dc, &r, line);
  }
  for (int r = 0; r < 14; ++r) {
    const RECT rect{0, r * h + h - 1, 16 * w, r * h + h};
    FillRect(dc, &rect, line);
  }
  DeleteObject(line);
  SelectObject(dc, font);
  for (int code = 32; code < 256; ++code) {
    const int c = (code - 32) % 16, r = (code - 32) / 16;
    const char ch = static_cast<char>(code);
    SIZE size{};
    GetTextExtentPoint32A(dc, &ch, 1, &size);
    const RECT cell{c * w, r * h, c * w + w - 1, r * h + h - 1};
    ExtTextOutA(dc, cell.left + (w - 1 - size.cx) / 2, cell.top + 2, ETO_CLIPPED, &cell, &ch, 1, nullptr);
  }
}

// The colour button's face: a white-to-black gradient in one block of pixels and its caption.
void PaintGradient(HWND hwnd, HDC dc, HFONT font) {
  RECT client;
  GetClientRect(hwnd, &client);
  const int width = client.right, height = client.bottom;
  if (width > 0 && height > 0) {
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    for (int x = 0; x < width; ++x) {
      const DWORD v = 255 - 255 * x / width;
      for (int y = 0; y < height; ++y) pixels[static_cast<size_t>(y) * width + x] = v << 16 | v << 8 | v;
    }
    BITMAPINFO info{};
    info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  }
  char caption[64] = {};
  GetWindowTextA(hwnd, caption, sizeof caption);
  SelectObject(dc, font);
  DrawTextA(dc, caption, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// A window of our own that keeps the font it is given and paints with the function.
template <void (*PaintWith)(HWND, HDC, HFONT)>
LRESULT CALLBACK PaintingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  static HFONT font = nullptr;
  if (msg == WM_SETFONT) {
    font = reinterpret_cast<HFONT>(wParam);
    return 0;
  }
  if (msg != WM_PAINT) return DefWindowProcA(hwnd, msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  PaintWith(hwnd, dc, font);
  RestoreDC(dc, saved);
  EndPaint(hwnd, &ps);
  return 0;
}

void Register(const char* name, HBRUSH background, WNDPROC proc = &FormProc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

HWND CreateForm(HWND owner, const char* className, const char* caption, int clientWidth, int clientHeight) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | DS_MODALFRAME;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;
  RECT r{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return CreateWindowExA(exStyle, className, caption, style, 0, 0, r.right - r.left, r.bottom - r.top, owner,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

template <size_t N>
void CreateControls(HWND form, const WindowSpec (&table)[N]) {
  HWND windows[N] = {};
  for (size_t i = 0; i < N; ++i) {
    const WindowSpec& s = table[i];
    HWND parent = s.parent < 0 ? form : windows[s.parent];
    windows[i] = CreateWindowExA(s.exStyle, s.className, s.text, s.style, s.x, s.y, s.w, s.h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)),
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(windows[i], WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(s.font)), FALSE);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof icc,
                           ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
  InitCommonControlsEx(&icc);
  LoadLibraryA("riched20.dll");
  Register("BareApplication", nullptr);
  Register("BareMainWindow", reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  Register("BareDialog", reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  Register("BareGrid", reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)),
           &PaintingProc<&PaintGrid>);
  Register("BarePanel", reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  Register("BareGradient", reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)),
           &PaintingProc<&PaintGradient>);
  Register("BareImage", reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  Register("BarePage", reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));

  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  HWND app =
      CreateWindowExA(0, "BareApplication", "Tessarin", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      cx / 2, cy / 2, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND main = CreateForm(app, "BareMainWindow", "Tessarin", 747, 485);
  CreateControls(main, kMain);
  HWND blocks = GetDlgItem(GetDlgItem(main, 102), 137);
  SendMessageA(blocks, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Windows-1252"));
  SendMessageA(blocks, CB_SETCURSEL, 0, 0);
  // The magnifier lies behind the grid.
  SetWindowPos(GetDlgItem(main, 100), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  // The large-screen layout, centred, as Tessarin shows itself on a 1024-pixel screen.
  RECT w;
  GetWindowRect(main, &w);
  const bool large = cx >= 1024;
  const int width = large ? 914 : w.right - w.left, height = large ? 648 : w.bottom - w.top;
  SetWindowPos(main, nullptr, (cx - width) / 2, (cy - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (large) {
    for (int id : {100, 101})
      SetWindowPos(GetDlgItem(main, id), nullptr, 4, 10, 693, 607, SWP_NOZORDER | SWP_NOACTIVATE);
    // The magnifier at 336 points and the grid's characters at 22.
    SendMessageA(GetDlgItem(main, 100), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor({"Arial", -448})),
                 FALSE);
    SendMessageA(GetDlgItem(main, 101), WM_SETFONT, reinterpret_cast<WPARAM>(FontFor({"Arial", -29})), FALSE);
  }
  RECT client;
  GetClientRect(main, &client);
  SetWindowPos(GetDlgItem(main, 102), nullptr, client.right - 202, 0, 202, client.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(main, SW_SHOWNORMAL);
  SetFocus(GetDlgItem(main, 101));

  // What the window does not show waits until it has been drawn: once a shown main window
  // leaves no paint message in the queue, as in Tessarin.
  bool drawn = false;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageA(main, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (!drawn && IsWindowVisible(main) && !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT)) {
      drawn = true;
      CreateControls(CreateForm(app, "BareDialog", "Colorselect (216 Color-Palett)", 562, 90), kPalette);
      CreateControls(CreateForm(app, "BareDialog", "Tessarin V2.9 Options", 418, 423), kOptions);
      // The notification-area icon's hidden window.
      CreateWindowExA(WS_EX_TOOLWINDOW, "BareApplication", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                      GetModuleHandleA(nullptr), nullptr);
    }
  }
  DestroyWindow(main);
  for (auto& entry : fonts) DeleteObject(entry.second);
  return 0;
}
