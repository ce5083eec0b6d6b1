// OptionsDialog: the options dialog.
#include "options/OptionsDialog.h"

#include <shellapi.h>

#include <algorithm>

#include "core/HotKeyCode.h"
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

OptionsDialog* optionsDialog = nullptr;

namespace {

constexpr const char* kWebSite = TESSARIN_WEB_SITE;
constexpr const char* kMailAddress = TESSARIN_MAIL_ADDRESS;

// Every page is as large as the page control's display area; its bevel frames all of it.
constexpr ui::Bounds kPageFrame{0, 0, 305, 389};

ui::Form::Options DialogOptions() {
  ui::Form::Options o;
  o.windowClass = OptionsDialog::kWindowClass;
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

ui::Bounds EditBounds(int number) { return {16, 24 + 36 * (number - 1), 266, 21}; }

// A group shows a byte no item stands for as its last item.
void ShowByte(ui::RadioGroup& group, std::uint8_t value) {
  if (group.Count() > 0) group.SetItemIndex(std::min<int>(value, static_cast<int>(group.Count()) - 1));
}

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

OptionsDialog::OptionsDialog(HotKeyLinks hotKey)
    : ui::Form(DialogOptions()),
      okButton(this, "&OK", {330, 8, 75, 25}, {.isDefault = true}),
      webSiteButton(this, "&Website", {330, 128, 75, 25}),
      mailButton(this, "&Mail", {330, 98, 75, 25}),
      pages(this, {4, 4, 313, 417}),
      adjustmentPage(&pages, "Adjustment"),
      programIcon(&adjustmentPage, {8, 8, 32, 32}),
      startupShortcutButton(&adjustmentPage, "Create a shortcut in Startup folder", {48, 12, 245, 25}),
      rightButtonGroup(&adjustmentPage, "Function for right MouseButton", {8, 48, 285, 121}, MouseItems(),
                       maMagnify),
      middleButtonGroup(&adjustmentPage, "Function for middle MouseButton", {8, 174, 285, 121}, MouseItems(),
                        maCopyRtf),
      dragDropGroup(&adjustmentPage, "Drag and Drop", {8, 300, 285, 77}, DragItems(), dmTextHtml),
      adjustmentFrame(&adjustmentPage, kPageFrame),
      textsPage(&pages, "Fast insert text"),
      textEdits{ui::Edit(&textsPage, EditBounds(1)), ui::Edit(&textsPage, EditBounds(2)),
                ui::Edit(&textsPage, EditBounds(3)), ui::Edit(&textsPage, EditBounds(4)),
                ui::Edit(&textsPage, EditBounds(5)), ui::Edit(&textsPage, EditBounds(6)),
                ui::Edit(&textsPage, EditBounds(7)), ui::Edit(&textsPage, EditBounds(8)),
                ui::Edit(&textsPage, EditBounds(9)), ui::Edit(&textsPage, EditBounds(10))},
      textsFrame(&textsPage, kPageFrame),
      infoPage(&pages, "Info"),
      infoText(&infoPage, {4, 4, 297, 381}),
      infoFrame(&infoPage, kPageFrame),
      hotKeyPage(&pages, "Hotkey"),
      hotKeyLabel(&hotKeyPage, "Show or hide Tessarin from any program with:", {16, 24, 0, 13}),
      hotKeyEdit(&hotKeyPage, {16, 42, 130, 21}),
      hotKeyTaken(&hotKeyPage, "Taken by another program", {154, 46, 0, 13}, {.visible = false}),
      hotKeyFrame(&hotKeyPage, kPageFrame),
      cancelButton(this, "&Cancel", {330, 38, 75, 25}),
      startupShortcut(*this),
      hotKey_(std::move(hotKey)),
      settingsWatch_([this] { ShowMouseSettings(); }) {
  optionsDialog = this;
  // "&OK" is both the default and the cancel button: Enter and Esc confirm.
  SetDefaultButton(&okButton);
  SetCancelButton(&okButton);
  SetActiveControl(&okButton);

  programIcon.SetIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)));
  // No longer than the settings file gives back.
  for (ui::Edit& edit : textEdits) SendMessageA(edit.Handle(), EM_SETLIMITTEXT, kLongestText, 0);
  infoText.SetLines(InfoLines());
  webSiteButton.SetEnabled(*kWebSite != '\0');
  mailButton.SetEnabled(*kMailAddress != '\0');
  startupShortcut.SetHotKey(" ");
  startupShortcut.IconNumber = 0;

  okButton.OnClick = [this] { OkClick(); };
  cancelButton.OnClick = [this] { EndModal(); };
  mailButton.OnClick = [this] { MailClick(); };
  webSiteButton.OnClick = [this] { WebSiteClick(); };
  startupShortcutButton.OnClick = [this] { StartupShortcutClick(); };
  // The main window's first show may have read the settings before this dialog was made;
  // before the first load the groups keep their own choices.
  if (SettingsLoaded()) ShowMouseSettings();
  rightButtonGroup.OnClick = [this] { RightButtonGroupClick(); };
  middleButtonGroup.OnClick = [this] { MiddleButtonGroupClick(); };
  dragDropGroup.OnClick = [this] { DragDropGroupClick(); };
  OnShow = [this] { DialogShow(); };
}

OptionsDialog::~OptionsDialog() {
  if (optionsDialog == this) optionsDialog = nullptr;
}

bool OptionsDialog::PreviewKey(MSG& msg) { return pages.DialogKey(msg); }

void OptionsDialog::Open() {
  for (size_t number = 1; number <= kTextCount; ++number) TextEdit(number).SetText(AppSettings.Texts[number]);
  ShowModal();
}

void OptionsDialog::DialogShow() {
  LoadSettings();
  ShowHotKey();
}

void OptionsDialog::ShowMouseSettings() {
  // Setting a group runs its click handler, which stores the item it shows: the bytes stay
  // as they were read, also one that no item stands for.
  const std::uint8_t right = AppSettings.RMouseKey, middle = AppSettings.MMouseKey,
                     drag = AppSettings.DragDrop;
  ShowByte(rightButtonGroup, right);
  ShowByte(middleButtonGroup, middle);
  ShowByte(dragDropGroup, drag);
  AppSettings.RMouseKey = right;
  AppSettings.MMouseKey = middle;
  AppSettings.DragDrop = drag;
}

void OptionsDialog::ShowHotKey() {
  hotKeyEdit.SetValue(AppSettings.HotKey);
  // Why the key does not work: another program holds it, or the system refused it.
  const std::string refusal = hotKey_.refusal ? HotKeyRefusalText(hotKey_.refusal()) : std::string();
  if (!refusal.empty()) hotKeyTaken.SetText(refusal);
  hotKeyTaken.SetVisible(!refusal.empty());
}

void OptionsDialog::RightButtonGroupClick() {
  AppSettings.RMouseKey = static_cast<std::uint8_t>(rightButtonGroup.ItemIndex());
}

void OptionsDialog::MiddleButtonGroupClick() {
  AppSettings.MMouseKey = static_cast<std::uint8_t>(middleButtonGroup.ItemIndex());
}

void OptionsDialog::DragDropGroupClick() {
  AppSettings.DragDrop = static_cast<std::uint8_t>(dragDropGroup.ItemIndex());
}

void OptionsDialog::OkClick() {
  // The dialog goes when this handler returns, also when the save fails.
  EndModal();
  for (size_t number = 1; number <= kTextCount; ++number) AppSettings.Texts[number] = TextEdit(number).Text();
  AppSettings.HotKey = hotKeyEdit.Value();
  SaveSettings();
  LoadSettings();
  // The new key works at once.
  if (hotKey_.apply) hotKey_.apply();
  ShowHotKey();
}

void OptionsDialog::MailClick() { OpenThroughShell(std::string("mailto:") + kMailAddress); }

void OptionsDialog::WebSiteClick() { OpenThroughShell(kWebSite); }

void OptionsDialog::StartupShortcutClick() {
  const std::string folder = startupShortcut.GetStartupFolder();
  // Without the Startup folder the file would land in the root of the current drive.
  if (folder.empty()) throw EShortcutError();
  startupShortcut.ShortcutFile = folder + "\\Tessarin.lnk";
  startupShortcut.Description = "Tessarin";
  char exe[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  startupShortcut.Target = exe;
  startupShortcut.SetShowCmd(scShowMinimized);
  startupShortcut.CreateShortcut();
}

}  // namespace tessarin
