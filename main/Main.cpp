// TForm1, the main window: its controls, the grid and selection, the show step and layout.
#include "main/Main.h"

#include "app/Settings.h"
#include "options/OptionsDialog.h"
#include "core/unicode/CharDescriptions.h"
#include "grid/GridCells.h"
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

constexpr ui::Label::Options kRightAligned{.alignment = ui::Alignment::Right};
constexpr ui::Label::Options kWhiteCentred{
    .alignment = ui::Alignment::Center, .autoSize = false, .color = RGB(255, 255, 255)};
// The magnifier: white, centred, and it sees the release of the button that opened it.
constexpr ui::Label::Options kMagnifier{
    .alignment = ui::Alignment::Center, .autoSize = false, .color = RGB(255, 255, 255), .mouseUp = true};
constexpr ui::Label::Options kFixedRight{.alignment = ui::Alignment::Right, .autoSize = false};
// The name under the preview: one line across the panel, its end elided.
constexpr ui::Label::Options kCentredName{
    .alignment = ui::Alignment::Center, .autoSize = false, .elide = true};
// The fonts that draw the character: one line, shown in the Unicode view, taking clicks.
constexpr ui::Label::Options kFontsLine{.autoSize = false, .visible = false, .mouseUp = true, .elide = true};
// Never shown: no need to measure a composition's worth of HTML.
constexpr ui::Label::Options kHidden{.autoSize = false, .visible = false};

// The colour dialog's sixteen custom colours at start (0x00BBGGRR).
const std::vector<std::string> kInitialCustomColors{
    "FarbeA=FFFFFF", "FarbeB=FFFFFF", "FarbeC=FFFFFF", "FarbeD=FFFFFF", "FarbeE=355E13", "FarbeF=3863C7",
    "FarbeG=DB6800", "FarbeH=EAEA00", "FarbeI=44B793", "FarbeJ=E4AC16", "FarbeK=866187", "FarbeL=008080",
    "FarbeM=CACA00", "FarbeN=009600", "FarbeO=7A5E4B", "FarbeP=A3A289"};

void SetStyle(ui::Control& c, ui::FontStyles style) { c.GetFont().SetStyle(style); }

}  // namespace

TForm1::TForm1()
    : ui::Form(MainOptions()),
      mega_label(this, "1", kMainDesign.megaLabel, kMagnifier),
      StringAlignGrid1(this, kMainDesign.grid),
      Panel1(this, kMainDesign.panel),
      FontComboBox1(&Panel1, kMainDesign.fontBox, TFontDevice::fdBoth, foTrueTypeOnly),
      CheckBox1(&Panel1, "Fontname like Font", kMainDesign.checkBox1, {.checked = true}),
      RadioGroup1(&Panel1, "Fontoptions", kMainDesign.radioGroup1,
                  {"&All Fonts", "A&NSI only", "S&ymbols only"}, 0),
      GroupBox1(&Panel1, "Fontstyle", kMainDesign.groupBox1),
      check_bold(&GroupBox1, "TEXT", kMainDesign.checkBold),
      check_italic(&GroupBox1, "TEXT", kMainDesign.checkItalic),
      check_strike(&GroupBox1, "TEXT", kMainDesign.checkStrike),
      check_underline(&GroupBox1, "TEXT", kMainDesign.checkUnderline),
      GroupBox4(&Panel1, "Textcolor", kMainDesign.groupBox4),
      Gradient1(&GroupBox4, "&Textcolor/Textcolor", kMainDesign.gradient,
                {.lightColor = RGB(255, 255, 255), .shadowColor = RGB(0, 0, 0)}),
      check216(&GroupBox4, "216 Colors", kMainDesign.check216),
      BlockComboBox1(&Panel1, kMainDesign.blockBox),
      Label1(&Panel1, "", kMainDesign.label1, kWhiteCentred),
      Label3(&Panel1, "Key:", kMainDesign.label3),
      num(&Panel1, "#32", kMainDesign.num, kRightAligned),
      Tast(&Panel1, "Space", kMainDesign.tast, kRightAligned),
      html_char(&Panel1, "", kMainDesign.htmlChar, kFixedRight),
      char_name(&Panel1, "SPACE", kMainDesign.charName, kCentredName),
      GroupBox3(&Panel1, "Text", kMainDesign.groupBox3),
      RichEdit1(&GroupBox3, kMainDesign.richEdit),
      Label2(&GroupBox3, "RTF-Size", kMainDesign.label2, kRightAligned),
      SpinEdit1(&GroupBox3, kMainDesign.spinEdit, {.minValue = 1, .maxValue = 256, .value = 10}),
      Edit_leer(&GroupBox3, kMainDesign.editLeer, {.visible = false}),
      Label_HTML(&GroupBox3, "HTML-Output", kMainDesign.labelHtml),
      HTML_Edit(&GroupBox3, kMainDesign.htmlEdit, {.readOnly = true}),
      Check_Fontcopy(&GroupBox3, "Copy with HTML-Fontstyles", kMainDesign.checkFontcopy),
      b_kopy(&GroupBox3, "Copy as &RTF", kMainDesign.copyRtf),
      Button1(&GroupBox3, "Copy as &HTML", kMainDesign.copyHtml),
      html_label(&GroupBox3, "", kMainDesign.htmlLabel, kHidden),
      b_ausw(&Panel1, "&Select", kMainDesign.select, {.isDefault = true}),
      b_info(&Panel1, "&Options", kMainDesign.options),
      b_exit(&Panel1, "E&xit", kMainDesign.exit),
      char_fonts(&Panel1, "", kMainDesign.charName, kFontsLine),
      FindField1(this),
      Widget1(this),
      ColorDialog1({.fullOpen = true, .customColorName = "Farbe"}),
      DesignApp1(),
      JustOne321(*this),
      RxTrayIcon1(),
      DropTextSource1(),
      PopupMenu1({{"Tessarineinblenden1", "Show Tessarin", {.isDefault = true}},
                  {"N1", "-"},
                  {"N11", "1."},
                  {"N21", "2."},
                  {"N31", "3."},
                  {"N41", "4."},
                  {"N51", "5."},
                  {"N61", "6."},
                  {"N71", "7."},
                  {"N81", "8."},
                  {"N91", "9."},
                  {"N01", "10."}}),
      Tessarineinblenden1(PopupMenu1.Items(0)),
      N1(PopupMenu1.Items(1)),
      N11(PopupMenu1.Items(2)),
      N21(PopupMenu1.Items(3)),
      N31(PopupMenu1.Items(4)),
      N41(PopupMenu1.Items(5)),
      N51(PopupMenu1.Items(6)),
      N61(PopupMenu1.Items(7)),
      N71(PopupMenu1.Items(8)),
      N81(PopupMenu1.Items(9)),
      N91(PopupMenu1.Items(10)),
      N01(PopupMenu1.Items(11)),
      SendKey1() {
  Form1 = this;

  // The magnifier is drawn behind the grid.
  SetWindowPos(mega_label.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  mega_label.GetFont().Assign(ui::Font("Arial", -341));
  StringAlignGrid1.GetFont().Assign(ui::Font("Arial", -21));
  Label1.GetFont().Assign(ui::Font("Arial", -kPreviewFontHeight));
  Tast.GetFont().Assign(ui::Font("MS Sans Serif", -11));
  RichEdit1.GetFont().Assign(ui::Font("MS Sans Serif", -13));
  Gradient1.GetFont().Assign(ui::Font("Arial", -11, ui::kSysColor | COLOR_WINDOWTEXT));
  ColorDialog1.SetCustomColors(kInitialCustomColors);
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
  Gradient1.OnClick = [this] { color_panel1Click(); };
  GroupBox4.OnClick = [this] { color_panel1Click(); };
  StringAlignGrid1.OnMouseMove = [this](ui::ShiftState s, int x, int y) {
    StringAlignGrid1MouseMove(s, x, y);
  };
  b_info.OnClick = [this] { b_infoClick(); };
  DesignApp1.OnMinimize = [this] { DesignApp1Minimize(); };
  OnShow = [this] { FormShow(); };
  // The recently used characters are kept at exit; a file that cannot be written says so,
  // and the program ends all the same.
  OnClose = [] {
    try {
      SaveRecentlyUsed();
    } catch (...) {
      ui::Application::Instance().HandleException();
    }
  };
  OnResize = [this] { AlignPanel(); };
  OnMouseMove = [this](ui::ShiftState, int, int) { FormMouseMove(); };
  mega_label.OnMouseUp = [this](ui::MouseButton, ui::ShiftState, int, int) { mega_labelMouseUp(); };
  Widget1.SetGlyph('u');
  Widget1.OnClick = [this] { Widget1Click(); };
  // The program's icon at the system's small-icon size: 16 pixels at 100 %, 24 at 150 %.
  RxTrayIcon1.SetIcon(ui::LoadIconForDpi(MAKEINTRESOURCEA(1), SM_CXSMICON, ui::SystemDpi()));
  RxTrayIcon1.OnClick = [this](ui::MouseButton b, ui::ShiftState s, int x, int y) {
    RxTrayIconClick(b, s, x, y);
  };
  PopupMenu1.OnPopup = [this] { PopupMenu1Popup(); };
  Tessarineinblenden1.OnClick = [this] { Tessarineinblenden1Click(); };
  for (ui::MenuItem* item : {&N11, &N21, &N31, &N41, &N51, &N61, &N71, &N81, &N91, &N01})
    item->OnClick = [this, item] { NClick(*item); };
  SendKey1.SetDelay(0);
  WireFindField();
  WireUnicodeView();
  FindField1.OnShiftAccept = [this] { TypeSelectedChar(); };

  // The components have been built: the application takes its settings. The icon goes
  // into the notification area once the window has been drawn, before the user can
  // reach for either.
  DesignApp1.Loaded();
  ui::Application::Instance().AfterFirstPaint([this] {
    RxTrayIcon1.Loaded();
    // Without a desktop shell Wine shows a notification area of the program's own with
    // the first icon, in front of the window shown already: the window goes back in
    // front, so that the activation returns to it when a dialog closes.
    if (IsWindowVisible(Handle()))
      SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  });
  FormCreate();
  // The hot key works from the start, also when the window starts hidden.
  LoadHotKeySetting();
  ApplyHotKey();
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
      StringAlignGrid1.SetCells(c, r, std::string(1, static_cast<char>(CodeOfCell(c, r))));
}

void TForm1::StringAlignGrid1SelectCell(int ACol, int ARow, bool& CanSelect) {
  // The cells past the end of the recently used characters hold nothing to select.
  if (InRecentView() && StringAlignGrid1.CodePointAt(ACol, ARow) == 0) {
    CanSelect = false;
    return;
  }
  if (InUnicodeView()) return UnicodeSelectCell(ACol, ARow);
  const unsigned char code = CodeOfCell(ACol, ARow);
  SelectedCol = static_cast<std::uint8_t>(ACol);
  SelectedRow = static_cast<std::uint8_t>(ARow);
  Tast.SetText(KeyText(code));
  num.SetText(CodeText(code));
  Label1.SetText(std::string(1, static_cast<char>(code)));
  html_char.SetText(EntityText(code));
  DescribeInPage(code);
}

void TForm1::StringAlignGrid1DblClick() { AppendSelectedChar(); }

void TForm1::b_auswClick() { AppendSelectedChar(); }

void TForm1::FormShow() {
  // Read on every show, so the file's values are back after the window was hidden.
  LoadSettings();
  ApplyHotKey();
  // The layout goes by the screen's width at 100 %: 1920 pixels at 150 % are 1280.
  ApplyLayout(LayoutForScreenWidth(ui::Unscale(GetSystemMetrics(SM_CXSCREEN), ui::SystemDpi())));
  ArrangePreview(InUnicodeView());
  SetWindowState(ui::WindowState::Normal);
  SetActiveControl(&StringAlignGrid1);
  // The application window would carry the taskbar button: it stays hidden whenever the
  // main window shows (a minimise may have left it shown, minimised).
  HideOwner();
}

void TForm1::ApplyLayout(ScreenLayout layout) {
  if (layout == ScreenLayout::Design) return;  // the design layout stands as it is
  const LayoutValues& v = LayoutValuesFor(layout);
  SetOuterSize(v.windowWidth, v.windowHeight);
  StringAlignGrid1.SetBounds(Scale(v.grid));
  StringAlignGrid1.GetFont().SetSize(v.gridFontPoints);
  StringAlignGrid1.SetDefaultColWidth(v.columnWidth);
  StringAlignGrid1.SetDefaultRowHeight(v.rowHeight);
  mega_label.SetBounds(Scale(v.megaLabel));
  mega_label.GetFont().SetSize(v.megaFontPoints);
  if (v.previewFontPoints) Label1.GetFont().SetSize(v.previewFontPoints);
  Label1.SetHeight(Scale(v.previewHeight));
  char_name.SetTop(Scale(v.nameTop));
  for (ui::Label* label : {&Label3, &num, &Tast, &html_char}) label->SetTop(Scale(v.describeRowTop));
  GroupBox3.SetTop(Scale(v.textGroupTop));
  for (ui::Button* button : {&b_ausw, &b_info, &b_exit}) button->SetTop(Scale(v.buttonsTop));
}

void TForm1::AlignPanel() {
  RECT client;
  GetClientRect(Handle(), &client);
  const int width = Scale(kPanelWidth);
  Panel1.SetBounds({client.right - width, 0, width, client.bottom});
}

void TForm1::b_exitClick() { Close(); }

void TForm1::b_infoClick() {
  if (optionsDialog) optionsDialog->Open();
}

void TForm1::DesignApp1Minimize() {
  // The foreground went on to the program below before the forms hid.
  SetWindowState(ui::WindowState::Normal);
  HideOwner();
}

bool TForm1::ShowMainWindow() {
  // Asked before the window comes forward: the window the user is leaving.
  ForegroundOrigin1.Remember();
  // The window comes forward with the start complete: the dialogs it may open are made.
  ui::Application::Instance().FinishStartup();
  // The window of the program that the user was in last, over the main one (the options or
  // the palette dialog, modal or not, the colour dialog, a message box): asked before the
  // main window comes forward and becomes the last one active itself.
  HWND over = nullptr;
  for (HWND owner : {Handle(), OwnerWindow()}) {
    HWND popup = owner ? GetLastActivePopup(owner) : nullptr;
    if (popup && popup != owner && popup != Handle() && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
      over = popup;
      break;
    }
  }
  if (IsIconic(Handle())) ShowWindow(Handle(), SW_RESTORE);
  BringToFront();
  HideOwner();
  // That window comes in front of the main one and takes the foreground.
  if (over) {
    SetWindowPos(over, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(over);
    return false;
  }
  SetForegroundWindow(Handle());
  return true;
}

LRESULT TForm1::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == ActivateInstanceMessage() && msg != 0) {
    // Another start of the program asks this instance to come forward.
    ShowMainWindow();
    return 0;
  }
  if (msg == WM_SHOWWINDOW && !wParam) FindField1.Close();  // the field goes with the window
  if (msg == FontScanMessage() && msg != 0) {
    FontScanDone();
    return 0;
  }
  if (msg == WM_FONTCHANGE) fontCoverage_.FontsChanged();
  if (msg == WM_ENDSESSION && wParam) {
    // The session ends and the process with it, without a close: no message box then.
    try {
      SaveRecentlyUsed();
    } catch (...) {
    }
  }
  if (msg == WM_HOTKEY && wParam == THotKey::kId) {
    HotKeyPressed();
    return 0;
  }
  return ui::Form::WndProc(msg, wParam, lParam);
}

}  // namespace tessarin
