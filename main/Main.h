// TForm1, the main window, and its form variable Form1.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "typing/SendKeys.h"
#include "app/DesignApp.h"
#include "app/ForegroundOrigin.h"
#include "app/HotKey.h"
#include "app/JustOne.h"
#include "app/TrayIcon.h"
#include "app/Widget.h"
#include "main/BlockComboBox.h"
#include "ui/DropSource.h"
#include "grid/FindField.h"
#include "fontbox/FontCoverageScan.h"
#include "fontbox/FontComboBox.h"
#include "core/MainLayout.h"
#include "grid/StringAlignGrid.h"
#include "ui/ComCtrls.h"
#include "ui/Dialogs.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"
#include "core/unicode/Blocks.h"
#include "ui/GradientButton.h"

namespace tessarin {

// The main window: the character grid on the left, the panel with the font, the
// description of the selected character and the composition on the right.
class TForm1 : public ui::Form {
 public:
  TForm1();
  ~TForm1() override;

  // The window class of the main window.
  static constexpr const char* kWindowClass = "TessarinMainWindow";
  // The character set the grid and the preview take for a font name.
  static BYTE FontCharsetFor(const std::string& name);

  // Left area. The magnifier lies behind the grid, in the same rectangle.
  ui::Label mega_label;
  TStringAlignGrid StringAlignGrid1;

  // Right-hand panel.
  ui::Panel Panel1;
  TFontComboBox FontComboBox1;
  ui::CheckBox CheckBox1;
  ui::RadioGroup RadioGroup1;
  ui::GroupBox GroupBox1;
  ui::CheckBox check_bold, check_italic, check_strike, check_underline;
  ui::GroupBox GroupBox4;
  TBI_GradientButton Gradient1;
  ui::CheckBox check216;
  // The grid's views: "Windows-1252", then the Unicode blocks the font covers.
  TBlockComboBox BlockComboBox1;
  ui::Label Label1;
  ui::Label Label3, num, Tast, html_char;
  // The Unicode name of the selected character, under the preview: "SPACE" at start, as
  // the code and key labels describe the space before the first selection (made after the row
  // of descriptions, which keeps its place right after the preview among the windows).
  ui::Label char_name;
  // Shows the whole name when the line ends it in "...".
  ui::ToolTip CharNameTip{char_name};
  ui::GroupBox GroupBox3;
  ui::RichEdit RichEdit1;
  ui::Label Label2;
  ui::SpinEdit SpinEdit1;
  ui::Edit Edit_leer;
  ui::Label Label_HTML;
  ui::Edit HTML_Edit;
  ui::CheckBox Check_Fontcopy;
  ui::Button b_kopy, Button1;
  ui::Label html_label;
  ui::Button b_ausw, b_info, b_exit;
  // In the Unicode view, under the preview: the installed fonts that draw the selected
  // character, best first. A click on it, or Ctrl+Shift+F, shows the character in the next.
  ui::Label char_fonts;
  ui::ToolTip CharFontsTip{char_fonts};
  // Ctrl+F: finds a character by its name, code or entity (hidden while closed).
  TFindField FindField1;

  // Components without a window, made in this order after the controls: the instance
  // tag before the notification-area icon, the icon before its menu.
  TWidget Widget1;
  // The colour dialog: full open, its own current colour, the custom colours "FarbeA=…".
  ui::ColorDialog ColorDialog1;
  TDesignApp DesignApp1;
  TJustOne32 JustOne321;
  TRxTrayIcon RxTrayIcon1;
  // The drag source of the grid's character (held by reference: a drop target may keep it a while).
  TComponentRef<TDropTextSource> DropTextSource1;
  // The notification-area menu: "Show Tessarin", a separator, then the ten fast-insert
  // texts (their captions are set each time the menu opens).
  ui::PopupMenu PopupMenu1;
  ui::MenuItem &Tessarineinblenden1, &N1;
  ui::MenuItem &N11, &N21, &N31, &N41, &N51, &N61, &N71, &N81, &N91, &N01;
  TSendKey SendKey1;
  // The global hot key that shows and hides the window (AppSettings.HotKey).
  THotKey HotKey1;
  // The window the user was in when the window last came forward: Shift+Enter types there.
  TForegroundOrigin ForegroundOrigin1;

  // The selection: the cell most recently passed to the selection update.
  std::uint8_t SelectedCol = 0;
  std::uint8_t SelectedRow = 0;

  // The drag state: the grid's mouse-down handler records the pressed point (grid client
  // pixels) and arms the drag; a mouse move over the grid reads both.
  bool DragReady = false;
  POINT DragPoint{0, 0};

  // Places the controls as a layout has them (the design layout stands as the window was made).
  void ApplyLayout(ScreenLayout layout);
  // True while the grid shows the font's Unicode characters instead of the Windows-1252 page.
  bool InUnicodeView() const;
  // The character the selection stands for: the page's byte read as Windows-1252 (128 ->
  // U+20AC) in the page, the cell's code point in the Unicode view.
  char32_t SelectedCodePoint() const;

  // The text colour: the font colour of Gradient1, then of RichEdit1, then the HTML line.
  void ApplyTextColor(COLORREF color);
  // Registers AppSettings.HotKey in place of the key held before.
  void ApplyHotKey();

  // Appends a code point to the composition in the box's format; beyond the ANSI code page through
  // EM_SETTEXTEX with code page 1200.
  void AppendCodePoint(char32_t cp);
  // The one way a character leaves for the program the user came from (Shift+Enter): brings
  // the remembered window back, waits until its thread has the focus, types the character
  // (SendInput, the clipboard untouched) and hides the window as the hot key does. False,
  // with nothing typed, when no such window remains or it did not come back.
  bool TypeWhereYouWere(char32_t cp);
  // Puts a text on the clipboard as CF_UNICODETEXT (and CF_TEXT where it converts without loss).
  void CopyUnicodeText(const std::u16string& text);

  // What the installed fonts draw, read on first need.
  const TFontCoverageScan& FontCoverage() const { return fontCoverage_; }
  // The fonts that draw the selected character of the Unicode view, as char_fonts names them.
  const std::vector<std::string>& FontsWithSelected() const { return fontsWith_; }
  // The face the preview draws the selected character from when the font lacks it; empty
  // when the font has it or no installed font does.
  std::string PreviewFace() const;
  // Switches the font box to the next of FontsWithSelected after the current font (changing
  // the font filter when it hides that font) and shows the character selected in it.
  void ShowInFontWithSelected();

  // Every character that leaves the program passes here: appended, copied, dragged and
  // dropped, inserted or typed into another program. It goes to the front of the recently
  // used characters, and the "Recently used" view, while it shows, shows them anew.
  void NoteUsed(char32_t cp);

 private:
  // The handlers and the work behind them: reached through the controls' events.
  void FormCreate();
  void FormShow();
  void FillGrid();
  // The selection update: runs for the cell about to become current.
  void StringAlignGrid1SelectCell(int ACol, int ARow, bool& CanSelect);
  void StringAlignGrid1DblClick();
  // Every press records its point; a press that no mouse-button function takes arms the
  // drag when dragging is on.
  void StringAlignGrid1MouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void b_auswClick();
  // Appends the character of the selected cell to the composition box.
  void AppendSelectedChar();

  // The composition and its HTML output.
  void RichEdit1Change();
  void UpdateHtmlEdit();
  // The HTML fragment for a text, in the composition's font, colour and styles.
  std::string MakeHtmlFont(const std::string& text);
  void check_boldClick();
  void check_italicClick();
  void check_strikeClick();
  void check_underlineClick();
  void Check_FontcopyClick();
  void SpinEdit1Change();
  void b_kopyClick();
  void Button1Click();
  // The keyboard shortcuts for the styles and the size; true when one acted. The key is
  // not consumed.
  bool FormKeyDown(WORD key, ui::ShiftState shift, bool controlFocused);

  // The font box and its filter.
  void FontComboBox1Change();
  void ApplyFont();
  void RadioGroup1Click();
  void CheckBox1Click();
  void b_exitClick();
  // "&Options": the options dialog, modally, its edits filled from the texts in memory.
  void b_infoClick();
  void DesignApp1Minimize();
  // The colour choice: the palette dialog with "216 Colors" checked, else the colour dialog.
  void color_panel1Click();
  // A move with the left or the right button alone, 2 pixels from the press, drags the
  // selected character out of the grid.
  void StringAlignGrid1MouseMove(ui::ShiftState shift, int x, int y);
  // The one way the window comes forward (the hot key, the icon, its menu, a second start):
  // restored, visible and in front without a taskbar button, the start-up work done. A
  // dialog of the program that the user was in takes the foreground over it; false then.
  bool ShowMainWindow();
  // Puts a text on the clipboard as plain text, through Edit_leer; an empty text leaves
  // the clipboard as it is.
  void CopyPlainText(const std::string& text);
  // The magnifier ends when a button is released over it or the pointer moves over the
  // bare client area.
  void mega_labelMouseUp();
  void FormMouseMove();
  // Switches to the application used before (Shift+Alt+Tab), puts the text on the
  // clipboard and pastes it there with Shift+Ctrl+V.
  void InsertIntoApplication(const std::string& text);
  // Shift+Ctrl+V into the application in front.
  void PasteIntoApplication();
  void PopupMenu1Popup();
  void NClick(const ui::MenuItem& item);
  void RxTrayIconClick(ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void Widget1Click();
  void Tessarineinblenden1Click();

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool PreviewKey(MSG& msg) override;

 private:
  // The Unicode view: switching views, its selection update, the list of blocks.
  void WireUnicodeView();
  void ShowPage();
  void ShowUnicodeAt(char32_t cp);
  void UnicodeSelectCell(int ACol, int ARow);
  void DescribeInPage(unsigned char code);
  // The name line: a name too long for it ends in "...", and its tooltip then shows it whole.
  void ShowCharName(const std::string& name);
  // The code, key and HTML labels placed for the Unicode view's texts, and back.
  void ArrangeDescriptionRow();
  void RestoreDescriptionRow();
  // Fills the list of blocks for the grid's font, once per font.
  void FillBlocks();
  void BlockComboBox1Change();
  // While the view scrolls, the list shows the block of the top row.
  void ShowBlockOfTopRow();
  // Appends the selected character of the Unicode view to the composition box.
  void AppendSelectedCodePoint();
  // A match of the find field beyond the page's own search.
  void FoundCodePoint(char32_t cp);
  // The description of the Unicode view's selected character: also one the font lacks.
  void DescribeCodePoint(char32_t cp);

  // The coverage of the installed fonts (MainCoverage.cpp).
  void StartFontScan();
  void FontScanDone();
  void ShowFontsWith(char32_t cp);
  // In the Unicode view char_fonts takes the lower edge of the preview's room.
  void ArrangePreview(bool unicodeView);
  // Ctrl+Shift+F; true when taken.
  bool CoverageKey(const MSG& msg);
  // Puts the face into the font box, switching the filter when it hides the face; the note
  // to show, or false when no filter lists it.
  bool ListFontInBox(const std::string& face, std::string& note);
  static UINT FontScanMessage();
  TFontCoverageScan fontCoverage_;
  std::vector<std::string> fontsWith_;
  int previewHeight_ = 0;  // the preview's height before the fonts line took its lower edge

  // The Unicode view's own state: made on the first switch from the page.
  void EnterUnicodeView();
  // "Recently used": the recently used characters in the Unicode view, the selected one
  // kept where the list still has it, else the most recent one selected.
  bool InRecentView() const;
  void ShowRecentList();
  // The labels of an empty cell: no code, key, entity, name or preview.
  void DescribeNothing();
  // The characters of a composition text that was copied (RecentCharsOfText).
  void NoteUsedText(std::u16string_view text);
  char32_t unicodeSelected_ = 0;
  // The character map the list of blocks was filled for.
  std::shared_ptr<const unicode::CharMap> blocksMap_;
  std::vector<const unicode::Block*> listedBlocks_;

  void AlignPanel();
  // The find field: its events, and Ctrl+F and the field's own keys (true when taken).
  void WireFindField();
  bool FindFieldKey(const MSG& msg);
  // The hot key: shows the window from another program, hides it when Tessarin is in front.
  void HotKeyPressed();
  // Shift+Enter on the grid or in the find field: the selected character is typed where the
  // user was, or appended to the composition as Enter does when no such window remains.
  void TypeSelectedChar();
  // Shift+Enter on the grid; true when taken.
  bool TypingKey(const MSG& msg);
  void ApplyStyle(bool on, bool ui::FontStyles::*flag);
  bool swallowChar_ = false;
};

extern TForm1* Form1;

}  // namespace tessarin
