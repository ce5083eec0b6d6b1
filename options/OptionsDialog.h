// OptionsDialog: the options dialog (mouse-button functions, drag mode, the ten fast-insert
// texts, the startup shortcut, the global hot key, and the program's information).
#pragma once
#include <array>
#include <functional>

#include "app/HotKey.h"
#include "app/Settings.h"
#include "options/ShortcutLink.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

namespace tessarin {

class OptionsDialog : public ui::Form {
 public:
  // What the dialog asks of the window that holds the global hot key, given by the one who
  // makes the dialog; an empty function stands for no such window.
  struct HotKeyLinks {
    // Why the key of the settings does not work: the system's error, 0 when it works.
    std::function<unsigned long()> refusal;
    // Registers the key of the settings in place of the key held before.
    std::function<void()> apply;
  };

  explicit OptionsDialog(HotKeyLinks hotKey = {});
  ~OptionsDialog() override;

  static constexpr const char* kWindowClass = "TInfo_dlg";
  static constexpr size_t kTextCount = 10;

  // Shows the dialog modally with the fast-insert texts in memory in its fields.
  void Open();

  // Members in the dialog's tab order.
  ui::Button okButton;
  ui::Button webSiteButton;
  ui::Button mailButton;
  ui::PageControl pages;

  ui::TabSheet adjustmentPage;
  ui::Image programIcon;
  ui::Button startupShortcutButton;
  ui::RadioGroup rightButtonGroup, middleButtonGroup, dragDropGroup;
  ui::Bevel adjustmentFrame;

  ui::TabSheet textsPage;
  // The fields of Text1 to Text10, in that order.
  std::array<ui::Edit, kTextCount> textEdits;
  ui::Bevel textsFrame;

  ui::TabSheet infoPage;
  ui::Memo infoText;
  ui::Bevel infoFrame;

  // The fourth page: the global hot key, and whether another program holds it.
  ui::TabSheet hotKeyPage;
  ui::Label hotKeyLabel;
  HotKeyEdit hotKeyEdit;
  ui::Label hotKeyTaken;
  ui::Bevel hotKeyFrame;

  ui::Button cancelButton;

  ShortcutLink startupShortcut;

  // The field of a text by its number in the settings, 1 to 10.
  ui::Edit& TextEdit(size_t number) { return textEdits[number - 1]; }

 protected:
  // Ctrl+Tab turns the pages.
  bool PreviewKey(MSG& msg) override;

 private:
  void DialogShow();
  // The radio groups show the mouse and drag settings in memory.
  void ShowMouseSettings();
  // The hot-key page: the key of the settings, and whether another program holds it.
  void ShowHotKey();
  void RightButtonGroupClick();
  void MiddleButtonGroupClick();
  void DragDropGroupClick();
  void OkClick();
  void MailClick();
  void WebSiteClick();
  void StartupShortcutClick();

  HotKeyLinks hotKey_;
  // Every load of the settings shows in the radio groups, also while the dialog is hidden.
  SettingsLoadWatch settingsWatch_;
};

extern OptionsDialog* optionsDialog;

}  // namespace tessarin
