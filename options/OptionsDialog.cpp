// TInfo_dlg: the options dialog.
#include "options/OptionsDialog.h"

#include <shellapi.h>

#include "core/HotKeyCode.h"
#include "app/Settings.h"
#include "main/Main.h"
#include "ui/Application.h"
#include "ui/ShellLibraries.h"

// The maker's web site and the author's mail address, set when the program is built;
// a button without a target is disabled.
#ifndef TESSARIN_WEB_SITE
#define TESSARIN_WEB_SITE ""
#endif
#ifndef TESSARIN_MAIL_ADDRESS
#define TESSARIN_MAIL_ADDRESS ""
#endif

namespace tessarin {

TInfo_dlg* Info_dlg = nullptr;

namespace {

constexpr const char* kWebSite = TESSARIN_WEB_SITE;
constexpr const char* kMailAddress = TESSARIN_MAIL_ADDRESS;

// Every page is as large as the page control's display area; its bevel frames all of it.
constexpr ui::Bounds kPageFrame{0, 0, 305, 389};

ui::Form::Options DialogOptions() {
  ui::Form::Options o;
  o.windowClass = TInfo_dlg::kWindowClass;
  o.caption = "Tessarin V2.9 Options";
  o.clientWidth = 418;
  o.clientHeight = 423;
  o.border = ui::BorderStyle::Dialog;
  o.font = ui::Font("MS Sans Serif", -11);
  return o;
}

std::vector<std::string> MouseItems() {
  return {"Without function", "Magnify the char", "Direct copy to clipboard as RTF",
          "Direct copy to clipboard as HTML", "Direct insert into application"};
}

std::vector<std::string> DragItems() {
  return {"Not active", "Take only text", "Take text and HTML-Fontstyle"};
}

ui::Bounds EditBounds(int index) { return {16, 24 + 36 * (index - 1), 266, 21}; }

std::vector<std::string> InfoLines() {
  std::vector<std::string> lines{"Tessarin is freeware.", ""};
  if (*kWebSite) lines.insert(lines.end(), {"Tessarin can be downloaded from", kWebSite, ""});
  if (*kMailAddress) lines.insert(lines.end(), {std::string("E-mail: ") + kMailAddress, ""});
  lines.insert(lines.end(), {"Tessarin may be passed on freely and distributed over the internet.", "",
                             "This software is supplied \"as is\". No warranty is expressed or implied. "
                             "Because of the variety of hardware and software environments into which it may "
                             "be put, no warranty of fitness for a particular purpose is offered.",
                             "", "Copyright (C) the Tessarin authors. All rights reserved.", "",
                             "Tessarin may be distributed on a commercial freeware CD on two conditions: the "
                             "newest version is taken from the Tessarin web site, and the Tessarin authors "
                             "receive a reference copy of the CD within 14 days inside Europe, or within 21 "
                             "days outside Europe."});
  return lines;
}

// Opens a target through the shell, as a link the user clicked; what the shell makes of
// it is its own affair.
void OpenThroughShell(const std::string& target) {
  char buffer[501] = {};
  lstrcpynA(buffer, target.c_str(), sizeof buffer);
  ui::late::ShellExecuteA(ui::Application::Instance().Handle(), "open", buffer, "", nullptr, SW_SHOWNORMAL);
}

}  // namespace

TInfo_dlg::TInfo_dlg()
    : ui::Form(DialogOptions()),
      OKBtn(this, "&OK", {330, 8, 75, 25}, {.isDefault = true}),
      web_site(this, "&Website", {330, 128, 75, 25}),
      mail_write(this, "&Mail", {330, 98, 75, 25}),
      PageControl1(this, {4, 4, 313, 417}),
      Einstellungen(&PageControl1, "Adjustment"),
      Image1(&Einstellungen, {8, 8, 32, 32}),
      Button2(&Einstellungen, "Create a shortcut in Startup folder", {48, 12, 245, 25}),
      RadioGroup1(&Einstellungen, "Function for right MouseButton", {8, 48, 285, 121}, MouseItems(),
                  maMagnify),
      RadioGroup2(&Einstellungen, "Function for middle MouseButton", {8, 174, 285, 121}, MouseItems(),
                  maCopyRtf),
      RadioGroup3(&Einstellungen, "Drag and Drop", {8, 300, 285, 77}, DragItems(), dmTextHtml),
      Bevel1(&Einstellungen, kPageFrame),
      TabSheet1(&PageControl1, "Fast insert text"),
      Edit1(&TabSheet1, EditBounds(1)),
      Edit2(&TabSheet1, EditBounds(2)),
      Edit3(&TabSheet1, EditBounds(3)),
      Edit4(&TabSheet1, EditBounds(4)),
      Edit5(&TabSheet1, EditBounds(5)),
      Edit6(&TabSheet1, EditBounds(6)),
      Edit7(&TabSheet1, EditBounds(7)),
      Edit8(&TabSheet1, EditBounds(8)),
      Edit9(&TabSheet1, EditBounds(9)),
      Edit10(&TabSheet1, EditBounds(10)),
      Bevel2(&TabSheet1, kPageFrame),
      Info(&PageControl1, "Info"),
      Memo1(&Info, {4, 4, 297, 381}),
      Bevel3(&Info, kPageFrame),
      HotkeySheet(&PageControl1, "Hotkey"),
      Label_Hotkey(&HotkeySheet, "Show or hide Tessarin from any program with:", {16, 24, 0, 13}),
      HotKeyEdit1(&HotkeySheet, {16, 42, 130, 21}),
      HotKeyTaken(&HotkeySheet, "Taken by another program", {154, 46, 0, 13}, {.visible = false}),
      Bevel4(&HotkeySheet, kPageFrame),
      Button1(this, "&Cancel", {330, 38, 75, 25}),
      ShortcutLink1(*this),
      edits_{nullptr, &Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8, &Edit9, &Edit10} {
  Info_dlg = this;
  // "&OK" is both the default and the cancel button: Enter and Esc confirm.
  SetDefaultButton(&OKBtn);
  SetCancelButton(&OKBtn);
  SetActiveControl(&OKBtn);

  Image1.SetIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)));
  // No longer than the settings file gives back.
  for (size_t i = 1; i < edits_.size(); ++i)
    SendMessageA(edits_[i]->Handle(), EM_SETLIMITTEXT, kLongestText, 0);
  Memo1.SetLines(InfoLines());
  web_site.SetEnabled(*kWebSite != '\0');
  mail_write.SetEnabled(*kMailAddress != '\0');
  ShortcutLink1.SetHotKey(" ");
  ShortcutLink1.IconNumber = 0;

  OKBtn.OnClick = [this] { OKBtnClick(); };
  Button1.OnClick = [this] { Button1Click(); };
  mail_write.OnClick = [this] { mail_writeClick(); };
  web_site.OnClick = [this] { web_siteClick(); };
  Button2.OnClick = [this] { Button2Click(); };
  // The main window's first show may have read the settings before this dialog was made.
  ShowLoadedSettings(*this);
  RadioGroup1.OnClick = [this] { RadioGroup1Click(); };
  RadioGroup2.OnClick = [this] { RadioGroup2Click(); };
  RadioGroup3.OnClick = [this] { RadioGroup3Click(); };
  OnShow = [this] { FormShow(); };
}

TInfo_dlg::~TInfo_dlg() {
  if (Info_dlg == this) Info_dlg = nullptr;
}

bool TInfo_dlg::PreviewKey(MSG& msg) { return PageControl1.DialogKey(msg); }

void TInfo_dlg::FormShow() {
  LoadSettings();
  ShowHotKey();
}

void TInfo_dlg::ShowHotKey() {
  HotKeyEdit1.SetValue(AppSettings.HotKey);
  // Why the key does not work: another program holds it, or the system refused it.
  const std::string refusal = Form1 ? HotKeyRefusalText(Form1->hotKey.Refusal()) : std::string();
  if (!refusal.empty()) HotKeyTaken.SetText(refusal);
  HotKeyTaken.SetVisible(!refusal.empty());
}

void TInfo_dlg::RadioGroup1Click() {
  AppSettings.RMouseKey = static_cast<std::uint8_t>(RadioGroup1.ItemIndex());
}

void TInfo_dlg::RadioGroup2Click() {
  AppSettings.MMouseKey = static_cast<std::uint8_t>(RadioGroup2.ItemIndex());
}

void TInfo_dlg::RadioGroup3Click() {
  AppSettings.DragDrop = static_cast<std::uint8_t>(RadioGroup3.ItemIndex());
}

void TInfo_dlg::OKBtnClick() {
  // The dialog goes when this handler returns, also when the save fails.
  EndModal();
  for (size_t i = 1; i < edits_.size(); ++i) AppSettings.Texts[i] = edits_[i]->Text();
  AppSettings.HotKey = HotKeyEdit1.Value();
  SaveSettings();
  LoadSettings();
  // The new key works at once.
  if (Form1) Form1->ApplyHotKey();
  ShowHotKey();
}

void TInfo_dlg::Button1Click() { EndModal(); }

void TInfo_dlg::mail_writeClick() { OpenThroughShell(std::string("mailto:") + kMailAddress); }

void TInfo_dlg::web_siteClick() { OpenThroughShell(kWebSite); }

void TInfo_dlg::Button2Click() {
  const std::string folder = ShortcutLink1.GetStartupFolder();
  // Without the Startup folder the file would land in the root of the current drive.
  if (folder.empty()) throw EShortcutError();
  ShortcutLink1.ShortcutFile = folder + "\\Tessarin.lnk";
  ShortcutLink1.Description = "Tessarin";
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  ShortcutLink1.Target = exe;
  ShortcutLink1.SetShowCmd(scShowMinimized);
  ShortcutLink1.CreateShortcut();
}

}  // namespace tessarin
