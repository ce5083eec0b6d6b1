// MainForm, the main window.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "typing/SendKeys.h"
#include "app/ApplicationEvents.h"
#include "app/ForegroundOrigin.h"
#include "app/HotKey.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"
#include "app/CaptionButton.h"
#include "main/BlockComboBox.h"
#include "ui/DropSource.h"
#include "grid/FindField.h"
#include "fontbox/FontCoverageScan.h"
#include "fontbox/FontComboBox.h"
#include "core/MainLayout.h"
#include "grid/CharGrid.h"
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
class MainForm : public ui::Form {
 public:
  MainForm();
  ~MainForm() override;

  // The window class of the main window.
  static constexpr const char* kWindowClass = "TessarinMainWindow";
  // The character set the grid and the preview take for a font name.
  static BYTE FontCharsetFor(const std::string& name);

  // Left area. The magnifier lies behind the grid, in the same rectangle.
  ui::Label magnifier;
  CharGrid grid;

  // Right-hand panel.
  ui::Panel panel;
  FontComboBox fontBox;
  ui::CheckBox ownFontNamesCheck;
  ui::RadioGroup fontFilterGroup;
  ui::GroupBox styleGroup;
  ui::CheckBox boldCheck, italicCheck, strikeCheck, underlineCheck;
  ui::GroupBox colorGroup;
  GradientButton colorButton;
  ui::CheckBox webSafeCheck;
  // The grid's views: "Windows-1252", then the Unicode blocks the font covers.
  BlockComboBox viewBox;
  ui::Label previewLabel;
  ui::Label keyCaption, codeLabel, keyLabel, entityLabel;
  // The Unicode name of the selected character, under the preview: "SPACE" at start, as
  // the code and key labels describe the space before the first selection (made after the row
  // of descriptions, which keeps its place right after the preview among the windows).
  ui::Label nameLabel;
  // Shows the whole name when the line ends it in "...".
  ui::ToolTip nameTip{nameLabel};
  ui::GroupBox compositionGroup;
  ui::RichEdit composition;
  ui::Label sizeCaption;
  ui::SpinEdit sizeEdit;
  ui::Edit clipboardEdit;
  ui::Label htmlCaption;
  ui::Edit htmlEdit;
  ui::CheckBox htmlStylesCheck;
  ui::Button copyRtfButton, copyHtmlButton;
  ui::Label htmlLabel;
  ui::Button selectButton, optionsButton, exitButton;
  // In the Unicode view, under the preview: the installed fonts that draw the selected
  // character, best first. A click on it, or Ctrl+Shift+F, shows the character in the next.
  ui::Label fontsLabel;
  ui::ToolTip fontsTip{fontsLabel};
  // Ctrl+F: finds a character by its name, code or entity (hidden while closed).
  FindField findField;

  // Components without a window, made in this order after the controls: the instance
  // tag before the notification-area icon, the icon before its menu.
  CaptionButton captionButton;
  // The colour dialog: full open, its own current colour, the custom colours "FarbeA=…".
  ui::ColorDialog colorDialog;
  ApplicationEvents appEvents;
  SingleInstance singleInstance;
  TrayIcon trayIcon;
  // The drag source of the grid's character (held by reference: a drop target may keep it a while).
  ComponentRef<DropTextSource> dragSource;
  // The notification-area menu: "Show Tessarin", a separator, then the ten fast-insert
  // texts (their captions are set each time the menu opens).
  ui::PopupMenu trayMenu;
  ui::MenuItem& showItem;
  // The fast-insert texts 1 to 10, in the menu's order.
  std::array<ui::MenuItem*, 10> insertItems{};
  KeySender keySender;
  // The global hot key that shows and hides the window (AppSettings.HotKey).
  GlobalHotKey hotKey;
  // The window the user was in when the window last came forward: Shift+Enter types there.
  ForegroundOrigin foregroundOrigin;

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

  // The text colour: the font colour of colorButton, then of composition, then the HTML line.
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
  const FontCoverageScan& FontCoverage() const { return fontCoverage_; }
  // The fonts that draw the selected character of the Unicode view, as fontsLabel names them.
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
  void GridSelectCell(int ACol, int ARow, bool& CanSelect);
  void GridDblClick();
  // Every press records its point; a press that no mouse-button function takes arms the
  // drag when dragging is on.
  void GridMouseDown(ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void SelectClick();
  // Appends the character of the selected cell to the composition box.
  void AppendSelectedChar();

  // The composition and its HTML output.
  void CompositionChange();
  void UpdateHtmlEdit();
  // The HTML fragment for a text, in the composition's font, colour and styles.
  std::string MakeHtmlFont(const std::string& text);
  void BoldClick();
  void ItalicClick();
  void StrikeClick();
  void UnderlineClick();
  void HtmlStylesClick();
  void SizeChange();
  void CopyRtfClick();
  void CopyHtmlClick();
  // The keyboard shortcuts for the styles and the size; true when one acted. The key is
  // not consumed.
  bool FormKeyDown(WORD key, ui::ShiftState shift, bool controlFocused);

  // The font box and its filter.
  void FontBoxChange();
  void ApplyFont();
  void FontFilterClick();
  void OwnFontNamesClick();
  void ExitClick();
  // "&Options": the options dialog, modally, its edits filled from the texts in memory.
  void OptionsClick();
  void AppMinimize();
  // The colour choice: the palette dialog with "216 Colors" checked, else the colour dialog.
  void ColorClick();
  // A move with the left or the right button alone, 2 pixels from the press, drags the
  // selected character out of the grid.
  void GridMouseMove(ui::ShiftState shift, int x, int y);
  // The one way the window comes forward (the hot key, the icon, its menu, a second start):
  // restored, visible and in front without a taskbar button, the start-up work done. A
  // dialog of the program that the user was in takes the foreground over it; false then.
  bool ShowMainWindow();
  // Puts a text on the clipboard as plain text, through clipboardEdit; an empty text leaves
  // the clipboard as it is.
  void CopyPlainText(const std::string& text);
  // The magnifier ends when a button is released over it or the pointer moves over the
  // bare client area.
  void MagnifierMouseUp();
  void FormMouseMove();
  // Switches to the application used before (Shift+Alt+Tab), puts the text on the
  // clipboard and pastes it there with Shift+Ctrl+V.
  void InsertIntoApplication(const std::string& text);
  // Shift+Ctrl+V into the application in front.
  void PasteIntoApplication();
  void TrayMenuPopup();
  // Inserts fast-insert text 1 to 10 into the application used before.
  void InsertItemClick(int index);
  void TrayIconClick(ui::MouseButton button, ui::ShiftState shift, int x, int y);
  void CaptionButtonClick();
  void ShowItemClick();

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
  void ViewBoxChange();
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
  // In the Unicode view fontsLabel takes the lower edge of the preview's room.
  void ArrangePreview(bool unicodeView);
  // Ctrl+Shift+F; true when taken.
  bool CoverageKey(const MSG& msg);
  // Puts the face into the font box, switching the filter when it hides the face; the note
  // to show, or false when no filter lists it.
  bool ListFontInBox(const std::string& face, std::string& note);
  static UINT FontScanMessage();
  FontCoverageScan fontCoverage_;
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

}  // namespace tessarin
