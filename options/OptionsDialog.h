// TInfo_dlg: the options dialog (mouse-button functions, drag mode, the ten fast-insert
// texts, the startup shortcut, and the program's information).
#pragma once
#include <array>

#include "app/HotKey.h"
#include "options/ShortcutLink.h"
#include "ui/ComCtrls.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

namespace tessarin {

class TInfo_dlg : public ui::Form {
 public:
  TInfo_dlg();
  ~TInfo_dlg() override;

  static constexpr const char* kWindowClass = "TInfo_dlg";

  // Members in the dialog's tab order.
  ui::Button OKBtn;
  ui::Button web_site;
  ui::Button mail_write;
  ui::PageControl PageControl1;

  ui::TabSheet Einstellungen;
  ui::Image Image1;
  ui::Button Button2;
  ui::RadioGroup RadioGroup1, RadioGroup2, RadioGroup3;
  ui::Bevel Bevel1;

  ui::TabSheet TabSheet1;
  ui::Edit Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10;
  ui::Bevel Bevel2;

  ui::TabSheet Info;
  ui::Memo Memo1;
  ui::Bevel Bevel3;

  // The fourth page: the global hot key, and whether another program holds it.
  ui::TabSheet HotkeySheet;
  ui::Label Label_Hotkey;
  THotKeyEdit HotKeyEdit1;
  ui::Label HotKeyTaken;
  ui::Bevel Bevel4;

  ui::Button Button1;

  TShortcutLink ShortcutLink1;

  // Edit1 to Edit10 by the index of their text; entry 0 is unused.
  const std::array<ui::Edit*, 11>& Edits() const { return edits_; }

 protected:
  // Ctrl+Tab turns the pages.
  bool PreviewKey(MSG& msg) override;

 private:
  void FormShow();
  // The hot-key page: the key of the settings, and whether another program holds it.
  void ShowHotKey();
  void RadioGroup1Click();
  void RadioGroup2Click();
  void RadioGroup3Click();
  void OKBtnClick();
  void Button1Click();
  void mail_writeClick();
  void web_siteClick();
  void Button2Click();

  std::array<ui::Edit*, 11> edits_{};
};

extern TInfo_dlg* Info_dlg;

}  // namespace tessarin
