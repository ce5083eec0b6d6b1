#include "main/Main.h"

#include "app/Settings.h"
#include "main/CharDescriptions.h"
#include "ui/Application.h"

namespace tessarin {

TForm1* Form1 = nullptr;

namespace {

ui::Form::Options MainOptions() {
  ui::Form::Options o;
  o.windowClass = TForm1::kWindowClass;
  o.caption = "Tessarin";
  o.clientWidth = kDesignClientWidth;
  o.clientHeight = kDesignClientHeight;
  o.border = ui::BorderStyle::Dialog;
  o.minimizeBox = true;  // a dialog frame shows only the close button
  o.font = ui::Font("MS Sans Serif", -11);
  return o;
}

ui::Label::Options RightAligned() {
  ui::Label::Options o;
  o.alignment = ui::Alignment::Right;
  return o;
}

ui::Label::Options Fixed(ui::Alignment alignment, COLORREF color = ui::kSysColor | COLOR_BTNFACE) {
  ui::Label::Options o;
  o.alignment = alignment;
  o.autoSize = false;
  o.color = color;
  return o;
}

ui::Label::Options Hidden() {
  ui::Label::Options o;
  o.visible = false;
  o.autoSize = false;  // never shown: no need to measure a composition's worth of HTML
  return o;
}

void SetStyle(ui::Control& c, ui::FontStyles style) { c.GetFont().SetStyle(style); }

}  // namespace

TForm1::TForm1()
    : ui::Form(MainOptions()),
      mega_label(this, "1", 4, 10, 531, 465, Fixed(ui::Alignment::Center, RGB(255, 255, 255))),
      StringAlignGrid1(this, 4, 10, 531, 465),
      Panel1(this, kDesignClientWidth - kPanelWidth, 0, kPanelWidth, kDesignClientHeight),
      FontComboBox1(&Panel1, 4, 4, 193, TFontDevice::fdBoth, foTrueTypeOnly),
      CheckBox1(&Panel1, "Fontname like Font", 4, 28, 117, 17, true),
      RadioGroup1(&Panel1, "Fontoptions", 4, 44, 113, 61, {"&All Fonts", "A&NSI only", "S&ymbols only"}, 0),
      GroupBox1(&Panel1, "Fontstyle", 124, 28, 73, 77),
      check_bold(&GroupBox1, "TEXT", 8, 14, 57, 15),
      check_italic(&GroupBox1, "TEXT", 8, 29, 57, 15),
      check_strike(&GroupBox1, "TEXT", 8, 44, 57, 15),
      check_underline(&GroupBox1, "TEXT", 8, 59, 57, 15),
      GroupBox4(&Panel1, "Textcolor", 4, 105, 193, 38),
      Gradient1(&GroupBox4, "&Textcolor/Textcolor", 8, 13, 104, 19),
      check216(&GroupBox4, "216 Colors", 118, 15, 71, 17),
      Label1(&Panel1, "", 8, 145, 188, 131, Fixed(ui::Alignment::Center, RGB(255, 255, 255))),
      Label3(&Panel1, "Key:", 8, 276, 21, 13),
      num(&Panel1, "#32", 49, 276, 19, 13, RightAligned()),
      Tast(&Panel1, "Space", 109, 276, 31, 13, RightAligned()),
      html_char(&Panel1, "", 144, 276, 48, 13, Fixed(ui::Alignment::Right)),
      GroupBox3(&Panel1, "Text", 4, 292, 193, 159),
      RichEdit1(&GroupBox3, 4, 14, 183, 47),
      Label2(&GroupBox3, "RTF-Size", 101, 64, 43, 13, RightAligned()),
      SpinEdit1(&GroupBox3, 148, 62, 41, 22, 1, 256, 10),
      Edit_leer(&GroupBox3, 16, 64, 1, 21, false, false),
      Label_HTML(&GroupBox3, "HTML-Output", 8, 78, 61, 13),
      HTML_Edit(&GroupBox3, 4, 92, 185, 21, true),
      Check_Fontcopy(&GroupBox3, "Copy with HTML-Fontstyles", 4, 113, 153, 17),
      b_kopy(&GroupBox3, "Copy as &RTF", 4, 134, 90, 21),
      Button1(&GroupBox3, "Copy as &HTML", 98, 134, 90, 21),
      html_label(&GroupBox3, "", 8, 0, 0, 13, Hidden()),
      b_ausw(&Panel1, "&Select", 4, 456, 61, 25, true),
      b_info(&Panel1, "&Options", 68, 456, 61, 25),
      b_exit(&Panel1, "E&xit", 132, 456, 61, 25),
      DesignApp1(),
      JustOne321(*this) {
  Form1 = this;

  // The magnifier is drawn behind the grid.
  SetWindowPos(mega_label.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  mega_label.GetFont().Assign(ui::Font("Arial", -341));
  StringAlignGrid1.GetFont().Assign(ui::Font("Arial", -21));
  Label1.GetFont().Assign(ui::Font("Arial", -96));
  Tast.GetFont().Assign(ui::Font("MS Sans Serif", -11));
  RichEdit1.GetFont().Assign(ui::Font("MS Sans Serif", -13));
  Gradient1.GetFont().Assign(ui::Font("Arial", -11, ui::kSysColor | COLOR_WINDOWTEXT));
  SetStyle(check_bold, {.bold = true});
  SetStyle(check_italic, {.italic = true});
  SetStyle(check_strike, {.strikeOut = true});
  SetStyle(check_underline, {.underline = true});

  SetDefaultButton(&b_ausw);
  SetActiveControl(&StringAlignGrid1);

  StringAlignGrid1.OnSelectCell = [this](int c, int r, bool& ok) { StringAlignGrid1SelectCell(c, r, ok); };
  StringAlignGrid1.OnDblClick = [this] { StringAlignGrid1DblClick(); };
  StringAlignGrid1.OnMouseDown = [this](ui::MouseButton b, ui::ShiftState s, int x, int y) {
    StringAlignGrid1MouseDown(b, s, x, y);
  };
  b_ausw.OnClick = [this] { b_auswClick(); };
  FontComboBox1.OnChange = [this] { FontComboBox1Change(); };
  RadioGroup1.OnClick = [this] { RadioGroup1Click(); };
  RichEdit1.OnChange = [this] { RichEdit1Change(); };
  SpinEdit1.OnChange = [this] { SpinEdit1Change(); };
  check_bold.OnClick = [this] { check_boldClick(); };
  check_italic.OnClick = [this] { check_italicClick(); };
  check_strike.OnClick = [this] { check_strikeClick(); };
  check_underline.OnClick = [this] { check_underlineClick(); };
  Check_Fontcopy.OnClick = [this] { Check_FontcopyClick(); };
  b_kopy.OnClick = [this] { b_kopyClick(); };
  Button1.OnClick = [this] { Button1Click(); };
  CheckBox1.OnClick = [this] { CheckBox1Click(); };
  b_exit.OnClick = [this] { b_exitClick(); };
  DesignApp1.OnMinimize = [this] { DesignApp1Minimize(); };
  OnShow = [this] { FormShow(); };
  OnResize = [this] { AlignPanel(); };

  FormCreate();
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::FormCreate() {
  // The font box selects the grid's design font, if it is installed, and applies it.
  FontComboBox1.SetFontName(StringAlignGrid1.GetFont().Name());
  // The size field starts at the composition font's size in points.
  SpinEdit1.SetValue(RichEdit1.GetFont().Size());
  FillGrid();
}

void TForm1::FillGrid() {
  for (int c = 0; c < TStringAlignGrid::ColCount; ++c)
    for (int r = 0; r < TStringAlignGrid::RowCount; ++r)
      StringAlignGrid1.SetCells(c, r, std::string(1, static_cast<char>(c + 16 * r + 32)));
}

void TForm1::StringAlignGrid1SelectCell(int ACol, int ARow, bool&) {
  const auto code = static_cast<unsigned char>(ACol + 16 * ARow + 32);
  SelectedCol = static_cast<std::uint8_t>(ACol);
  SelectedRow = static_cast<std::uint8_t>(ARow);
  Tast.SetText(KeyText(code));
  num.SetText(CodeText(code));
  Label1.SetText(std::string(1, static_cast<char>(code)));
  html_char.SetText(EntityText(code));
}

void TForm1::StringAlignGrid1DblClick() { AppendSelectedChar(); }

void TForm1::StringAlignGrid1MouseDown(ui::MouseButton, ui::ShiftState, int x, int y) {
  DragPoint = POINT{x, y};
  DragReady = AppSettings.DragDrop != dmOff;
}

void TForm1::b_auswClick() { AppendSelectedChar(); }

void TForm1::FormShow() {
  ApplyLayout(LayoutForScreenWidth(GetSystemMetrics(SM_CXSCREEN)));
  SetWindowState(ui::WindowState::Normal);
  SetActiveControl(&StringAlignGrid1);
  // The application window would carry the taskbar button: it stays hidden whenever the
  // main window shows (a minimise may have left it shown, minimised).
  ShowWindow(GetWindow(Handle(), GW_OWNER), SW_HIDE);
}

void TForm1::ApplyLayout(ScreenLayout layout) {
  if (layout == ScreenLayout::Design) return;  // the design layout stands as it is
  const LayoutValues& v = LayoutValuesFor(layout);
  SetOuterSize(v.windowWidth, v.windowHeight);
  StringAlignGrid1.SetBounds(v.grid.left, v.grid.top, v.grid.width, v.grid.height);
  StringAlignGrid1.GetFont().SetSize(v.gridFontPoints);
  StringAlignGrid1.SetDefaultColWidth(v.columnWidth);
  StringAlignGrid1.SetDefaultRowHeight(v.rowHeight);
  mega_label.SetBounds(v.megaLabel.left, v.megaLabel.top, v.megaLabel.width, v.megaLabel.height);
  mega_label.GetFont().SetSize(v.megaFontPoints);
  if (v.previewFontPoints) Label1.GetFont().SetSize(v.previewFontPoints);
  Label1.SetHeight(v.previewHeight);
  for (ui::Label* label : {&Label3, &num, &Tast, &html_char}) label->SetTop(v.describeRowTop);
  GroupBox3.SetTop(v.textGroupTop);
  for (ui::Button* button : {&b_ausw, &b_info, &b_exit}) button->SetTop(v.buttonsTop);
}

void TForm1::AlignPanel() {
  RECT client;
  GetClientRect(Handle(), &client);
  Panel1.SetBounds(client.right - kPanelWidth, 0, kPanelWidth, client.bottom);
}

void TForm1::b_exitClick() { Close(); }

void TForm1::DesignApp1Minimize() {
  SetWindowState(ui::WindowState::Normal);
  ShowWindow(GetWindow(Handle(), GW_OWNER), SW_HIDE);
}

void TForm1::ShowMainWindow() {
  BringToFront();
  HWND app = GetWindow(Handle(), GW_OWNER);
  ShowWindow(app, SW_HIDE);
  HWND popup = GetLastActivePopup(app);
  if (popup && popup != app && IsWindowVisible(popup) && IsWindowEnabled(popup)) SetForegroundWindow(popup);
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == ActivateInstanceMessage() && msg != 0) {
    // Another start of the program asks this instance to come forward.
    if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
    ShowMainWindow();
    // In front, unless one of our own windows (a dialog) already is.
    DWORD process = 0;
    GetWindowThreadProcessId(GetForegroundWindow(), &process);
    if (process != GetCurrentProcessId()) SetForegroundWindow(Handle());
    return 0;
  }
  return ui::Form::WndProc(msg, wParam, lParam);
}

}  // namespace tessarin
