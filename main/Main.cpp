// MainForm, the main window: its controls, the grid and selection, the show step and layout.
#include "main/Main.h"

#include "app/Settings.h"
#include "options/OptionsDialog.h"
#include "core/unicode/CharDescriptions.h"
#include "grid/GridCells.h"
#include "ui/Application.h"

namespace tessarin {

namespace {

ui::Form::Options MainOptions() {
  ui::Form::Options o;
  o.windowClass = MainForm::kWindowClass;
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

MainForm::MainForm()
    : ui::Form(MainOptions()),
      magnifier(this, "1", kMainDesign.magnifier, kMagnifier),
      grid(this, kMainDesign.grid),
      panel(this, kMainDesign.panel),
      fontBox(&panel, kMainDesign.fontBox, FontDevice::fdBoth, foTrueTypeOnly),
      ownFontNamesCheck(&panel, "Fontname like Font", kMainDesign.ownFontNamesCheck, {.checked = true}),
      fontFilterGroup(&panel, "Fontoptions", kMainDesign.fontFilterGroup,
                      {"&All Fonts", "A&NSI only", "S&ymbols only"}, 0),
      styleGroup(&panel, "Fontstyle", kMainDesign.styleGroup),
      boldCheck(&styleGroup, "TEXT", kMainDesign.boldCheck),
      italicCheck(&styleGroup, "TEXT", kMainDesign.italicCheck),
      strikeCheck(&styleGroup, "TEXT", kMainDesign.strikeCheck),
      underlineCheck(&styleGroup, "TEXT", kMainDesign.underlineCheck),
      colorGroup(&panel, "Textcolor", kMainDesign.colorGroup),
      colorButton(&colorGroup, "&Textcolor/Textcolor", kMainDesign.colorButton,
                  {.lightColor = RGB(255, 255, 255), .shadowColor = RGB(0, 0, 0)}),
      webSafeCheck(&colorGroup, "216 Colors", kMainDesign.webSafeCheck),
      viewBox(&panel, kMainDesign.viewBox),
      previewLabel(&panel, "", kMainDesign.preview, kWhiteCentred),
      keyCaption(&panel, "Key:", kMainDesign.keyCaption),
      codeLabel(&panel, "#32", kMainDesign.codeLabel, kRightAligned),
      keyLabel(&panel, "Space", kMainDesign.keyLabel, kRightAligned),
      entityLabel(&panel, "", kMainDesign.entityLabel, kFixedRight),
      nameLabel(&panel, "SPACE", kMainDesign.nameLabel, kCentredName),
      compositionGroup(&panel, "Text", kMainDesign.compositionGroup),
      composition(&compositionGroup, kMainDesign.composition),
      sizeCaption(&compositionGroup, "RTF-Size", kMainDesign.sizeCaption, kRightAligned),
      sizeEdit(&compositionGroup, kMainDesign.sizeEdit, {.minValue = 1, .maxValue = 256, .value = 10}),
      clipboardEdit(&compositionGroup, kMainDesign.clipboardEdit, {.visible = false}),
      htmlCaption(&compositionGroup, "HTML-Output", kMainDesign.htmlCaption),
      htmlEdit(&compositionGroup, kMainDesign.htmlEdit, {.readOnly = true}),
      htmlStylesCheck(&compositionGroup, "Copy with HTML-Fontstyles", kMainDesign.htmlStyles),
      copyRtfButton(&compositionGroup, "Copy as &RTF", kMainDesign.copyRtf),
      copyHtmlButton(&compositionGroup, "Copy as &HTML", kMainDesign.copyHtml),
      htmlLabel(&compositionGroup, "", kMainDesign.htmlLabel, kHidden),
      selectButton(&panel, "&Select", kMainDesign.select, {.isDefault = true}),
      optionsButton(&panel, "&Options", kMainDesign.options),
      exitButton(&panel, "E&xit", kMainDesign.exit),
      fontsLabel(&panel, "", kMainDesign.nameLabel, kFontsLine),
      findField(this),
      captionButton(this),
      colorDialog({.fullOpen = true, .customColorName = "Farbe"}),
      appEvents(),
      singleInstance(*this),
      trayIcon(),
      dragSource(),
      trayMenu({{"showItem", "Show Tessarin", {.isDefault = true}},
                {"separator", "-"},
                {"insert1", "1."},
                {"insert2", "2."},
                {"insert3", "3."},
                {"insert4", "4."},
                {"insert5", "5."},
                {"insert6", "6."},
                {"insert7", "7."},
                {"insert8", "8."},
                {"insert9", "9."},
                {"insert10", "10."}}),
      showItem(trayMenu.Items(0)),
      keySender() {
  // The magnifier is drawn behind the grid.
  SetWindowPos(magnifier.Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  magnifier.GetFont().Assign(ui::Font("Arial", -341));
  grid.GetFont().Assign(ui::Font("Arial", -21));
  previewLabel.GetFont().Assign(ui::Font("Arial", -kPreviewFontHeight));
  keyLabel.GetFont().Assign(ui::Font("MS Sans Serif", -11));
  composition.GetFont().Assign(ui::Font("MS Sans Serif", -13));
  colorButton.GetFont().Assign(ui::Font("Arial", -11, ui::kSysColor | COLOR_WINDOWTEXT));
  colorDialog.SetCustomColors(kInitialCustomColors);
  SetStyle(boldCheck, {.bold = true});
  SetStyle(italicCheck, {.italic = true});
  SetStyle(strikeCheck, {.strikeOut = true});
  SetStyle(underlineCheck, {.underline = true});

  SetDefaultButton(&selectButton);
  SetActiveControl(&grid);

  grid.OnSelectCell = [this](int c, int r, bool& ok) { GridSelectCell(c, r, ok); };
  grid.OnDblClick = [this] { GridDblClick(); };
  grid.OnMouseDown = [this](ui::MouseButton b, ui::ShiftState s, int x, int y) { GridMouseDown(b, s, x, y); };
  selectButton.OnClick = [this] { SelectClick(); };
  fontBox.OnChange = [this] { FontBoxChange(); };
  fontFilterGroup.OnClick = [this] { FontFilterClick(); };
  composition.OnChange = [this] { CompositionChange(); };
  sizeEdit.OnChange = [this] { SizeChange(); };
  boldCheck.OnClick = [this] { BoldClick(); };
  italicCheck.OnClick = [this] { ItalicClick(); };
  strikeCheck.OnClick = [this] { StrikeClick(); };
  underlineCheck.OnClick = [this] { UnderlineClick(); };
  htmlStylesCheck.OnClick = [this] { HtmlStylesClick(); };
  copyRtfButton.OnClick = [this] { CopyRtfClick(); };
  copyHtmlButton.OnClick = [this] { CopyHtmlClick(); };
  ownFontNamesCheck.OnClick = [this] { OwnFontNamesClick(); };
  exitButton.OnClick = [this] { ExitClick(); };
  colorButton.OnClick = [this] { ColorClick(); };
  colorGroup.OnClick = [this] { ColorClick(); };
  grid.OnMouseMove = [this](ui::ShiftState s, int x, int y) { GridMouseMove(s, x, y); };
  optionsButton.OnClick = [this] { OptionsClick(); };
  appEvents.OnMinimize = [this] { AppMinimize(); };
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
  magnifier.OnMouseUp = [this](ui::MouseButton, ui::ShiftState, int, int) { MagnifierMouseUp(); };
  captionButton.SetGlyph('u');
  captionButton.OnClick = [this] { CaptionButtonClick(); };
  // The program's icon at the system's small-icon size: 16 pixels at 100 %, 24 at 150 %.
  trayIcon.SetIcon(ui::LoadIconForDpi(MAKEINTRESOURCEA(1), SM_CXSMICON, ui::SystemDpi()));
  trayIcon.OnClick = [this](ui::MouseButton b, ui::ShiftState s, int x, int y) { TrayIconClick(b, s, x, y); };
  trayMenu.OnPopup = [this] { TrayMenuPopup(); };
  showItem.OnClick = [this] { ShowItemClick(); };
  for (std::size_t i = 0; i < insertItems.size(); ++i) {
    insertItems[i] = &trayMenu.Items(i + 2);
    insertItems[i]->OnClick = [this, i] { InsertItemClick(static_cast<int>(i) + 1); };
  }
  keySender.SetDelay(0);
  WireFindField();
  WireUnicodeView();
  findField.OnShiftAccept = [this] { TypeSelectedChar(); };

  // The components have been built: the application takes its settings. The icon goes
  // into the notification area once the window has been drawn, before the user can
  // reach for either.
  appEvents.Loaded();
  ui::Application::Instance().AfterFirstPaint([this] {
    trayIcon.Loaded();
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

MainForm::~MainForm() = default;

void MainForm::FormCreate() {
  // The font box selects the grid's design font, if it is installed, and applies it.
  fontBox.SetFontName(grid.GetFont().Name());
  // The size field starts at the composition font's size in points.
  sizeEdit.SetValue(composition.GetFont().Size());
  FillGrid();
}

void MainForm::FillGrid() {
  for (int c = 0; c < CharGrid::ColCount; ++c)
    for (int r = 0; r < CharGrid::RowCount; ++r)
      grid.SetCells(c, r, std::string(1, static_cast<char>(CodeOfCell(c, r))));
}

void MainForm::GridSelectCell(int ACol, int ARow, bool& CanSelect) {
  // The cells past the end of the recently used characters hold nothing to select.
  if (InRecentView() && grid.CodePointAt(ACol, ARow) == 0) {
    CanSelect = false;
    return;
  }
  if (InUnicodeView()) return UnicodeSelectCell(ACol, ARow);
  const unsigned char code = CodeOfCell(ACol, ARow);
  SelectedCol = static_cast<std::uint8_t>(ACol);
  SelectedRow = static_cast<std::uint8_t>(ARow);
  keyLabel.SetText(KeyText(code));
  codeLabel.SetText(CodeText(code));
  previewLabel.SetText(std::string(1, static_cast<char>(code)));
  entityLabel.SetText(EntityText(code));
  DescribeInPage(code);
}

void MainForm::GridDblClick() { AppendSelectedChar(); }

void MainForm::SelectClick() { AppendSelectedChar(); }

void MainForm::FormShow() {
  // Read on every show, so the file's values are back after the window was hidden.
  LoadSettings();
  ApplyHotKey();
  // The layout goes by the screen's width at 100 %: 1920 pixels at 150 % are 1280.
  ApplyLayout(LayoutForScreenWidth(ui::Unscale(GetSystemMetrics(SM_CXSCREEN), ui::SystemDpi())));
  ArrangePreview(InUnicodeView());
  SetWindowState(ui::WindowState::Normal);
  SetActiveControl(&grid);
  // The application window would carry the taskbar button: it stays hidden whenever the
  // main window shows (a minimise may have left it shown, minimised).
  HideOwner();
}

void MainForm::ApplyLayout(ScreenLayout layout) {
  if (layout == ScreenLayout::Design) return;  // the design layout stands as it is
  const LayoutValues& v = LayoutValuesFor(layout);
  SetOuterSize(v.windowWidth, v.windowHeight);
  grid.SetBounds(Scale(v.grid));
  grid.GetFont().SetSize(v.gridFontPoints);
  grid.SetDefaultColWidth(v.columnWidth);
  grid.SetDefaultRowHeight(v.rowHeight);
  magnifier.SetBounds(Scale(v.magnifier));
  magnifier.GetFont().SetSize(v.megaFontPoints);
  if (v.previewFontPoints) previewLabel.GetFont().SetSize(v.previewFontPoints);
  previewLabel.SetHeight(Scale(v.previewHeight));
  nameLabel.SetTop(Scale(v.nameTop));
  for (ui::Label* label : {&keyCaption, &codeLabel, &keyLabel, &entityLabel})
    label->SetTop(Scale(v.describeRowTop));
  compositionGroup.SetTop(Scale(v.textGroupTop));
  for (ui::Button* button : {&selectButton, &optionsButton, &exitButton}) button->SetTop(Scale(v.buttonsTop));
}

void MainForm::AlignPanel() {
  RECT client;
  GetClientRect(Handle(), &client);
  const int width = Scale(kPanelWidth);
  panel.SetBounds({client.right - width, 0, width, client.bottom});
}

void MainForm::ExitClick() { Close(); }

void MainForm::OptionsClick() {
  if (optionsDialog) optionsDialog->Open();
}

void MainForm::AppMinimize() {
  // The foreground went on to the program below before the forms hid.
  SetWindowState(ui::WindowState::Normal);
  HideOwner();
}

bool MainForm::ShowMainWindow() {
  // Asked before the window comes forward: the window the user is leaving.
  foregroundOrigin.Remember();
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

LRESULT MainForm::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == ActivateInstanceMessage() && msg != 0) {
    // Another start of the program asks this instance to come forward.
    ShowMainWindow();
    return 0;
  }
  if (msg == WM_SHOWWINDOW && !wParam) findField.Close();  // the field goes with the window
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
  if (msg == WM_HOTKEY && wParam == GlobalHotKey::kId) {
    HotKeyPressed();
    return 0;
  }
  return ui::Form::WndProc(msg, wParam, lParam);
}

}  // namespace tessarin
