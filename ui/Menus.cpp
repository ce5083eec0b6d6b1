// Popup menus over CreatePopupMenu and TrackPopupMenu.
#include "ui/Menus.h"

#include "ui/Exception.h"
#include "ui/WindowClass.h"

namespace ui {
namespace {

int liveMenus = 0;

// The menu is built for one opening and destroyed when it closes, also after an error.
class MenuHandle {
 public:
  MenuHandle() : menu_(CreatePopupMenu()) {
    if (menu_) ++liveMenus;
  }
  ~MenuHandle() {
    if (menu_ && DestroyMenu(menu_)) --liveMenus;
  }
  MenuHandle(const MenuHandle&) = delete;
  MenuHandle& operator=(const MenuHandle&) = delete;
  HMENU Get() const { return menu_; }

 private:
  HMENU menu_;
};

// The owner of an open menu. When a window of another thread takes the foreground while the
// menu is open (a program coming to the front, a click that came before the menu took the
// mouse), the menu closes, as it does on a click elsewhere: left open, it would no longer see
// the clicks meant to close it, which now go to that thread. A window of this thread coming
// forward (the main window shown by the icon's left click, its activation arriving after the
// right click's menu opened) leaves it open: the menu still has the mouse and sees every click.
LRESULT CALLBACK MenuWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE) {
    const HWND next = reinterpret_cast<HWND>(lParam);
    if (!next || GetWindowThreadProcessId(next, nullptr) != GetCurrentThreadId()) EndMenu();
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

const char* MenuWindowClass() {
  static const char* const name = RegisterWindowClass({.name = "TPopupList", .proc = &MenuWindowProc});
  return name;
}

}  // namespace

int PopupMenu::LiveMenus() { return liveMenus; }

PopupMenu::PopupMenu(const std::vector<NewItem>& items) {
  for (const NewItem& item : items) Add(item);
}

PopupMenu::~PopupMenu() {
  if (window_) DestroyWindow(window_);
}

MenuItem& PopupMenu::Add(const NewItem& item) {
  items_.push_back(std::make_unique<MenuItem>(item.name, item.caption, item.options));
  return *items_.back();
}

void PopupMenu::Popup(int x, int y) {
  if (!window_) {
    // A hidden top-level window of our own: the menu's owner, which takes the foreground
    // while the menu is open. Made when the menu first opens, not with the form.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, MenuWindowClass(), "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!window_) throw Exception("Cannot create the window of a popup menu");
  }
  if (OnPopup) OnPopup();
  MenuHandle menu;
  if (!menu.Get()) return;
  bool haveDefault = false;
  for (size_t i = 0; i < items_.size(); ++i) {
    const MenuItem& item = *items_[i];
    if (!item.Visible()) continue;
    const UINT_PTR id = i + 1;
    if (item.IsSeparator()) {
      AppendMenuA(menu.Get(), MF_SEPARATOR, id, nullptr);
      continue;
    }
    AppendMenuA(menu.Get(), MF_STRING | (item.Enabled() ? 0 : MF_GRAYED), id, item.Caption().c_str());
    if (item.Default() && !haveDefault) {
      SetMenuDefaultItem(menu.Get(), static_cast<UINT>(id), FALSE);
      haveDefault = true;
    }
  }
  // Without the foreground, a menu opened from a notification-area icon would stay open
  // when the user clicks elsewhere; the posted WM_NULL lets the owner's queue settle after.
  SetForegroundWindow(window_);
  open_ = menu.Get();
  const UINT chosen = static_cast<UINT>(TrackPopupMenu(
      menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0,
      window_, nullptr));
  open_ = nullptr;
  PostMessageA(window_, WM_NULL, 0, 0);
  if (chosen >= 1 && chosen <= items_.size()) items_[chosen - 1]->Click();
}

}  // namespace ui
