// Popup menus: items with caption, visibility and a default item, shown with the platform's menu.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui {

// One item of a popup menu. A caption of exactly "-" is a separator line; an "&" marks the
// next character as the access key, as the platform's menus have it.
class MenuItem {
 public:
  struct Options {
    bool isDefault = false;  // drawn in bold
    bool visible = true;     // an invisible item is absent from the menu
    bool enabled = true;
  };
  MenuItem(std::string name, std::string caption, Options o)
      : name_(std::move(name)), caption_(std::move(caption)), options_(o) {}

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  bool Visible() const { return options_.visible; }
  void SetVisible(bool visible) { options_.visible = visible; }
  bool Default() const { return options_.isDefault; }
  void SetDefault(bool isDefault) { options_.isDefault = isDefault; }
  bool Enabled() const { return options_.enabled; }
  void SetEnabled(bool enabled) { options_.enabled = enabled; }
  bool IsSeparator() const { return caption_ == "-"; }

  // Runs OnClick, as choosing the item does.
  void Click() {
    if (OnClick) OnClick();
  }
  std::function<void()> OnClick;

 private:
  std::string name_;
  std::string caption_;
  Options options_;
};

// A popup menu. Each Popup raises OnPopup, then builds the platform's menu from the items
// visible at that moment and tracks it; the chosen item's OnClick runs after the menu has
// closed. The menu's window is made the foreground window first, so that a click elsewhere
// closes the menu even when it was opened from a notification-area icon.
class PopupMenu {
 public:
  struct NewItem {
    std::string name, caption;
    MenuItem::Options options{};
  };
  explicit PopupMenu(const std::vector<NewItem>& items = {});
  ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  MenuItem& Add(const NewItem& item);
  size_t Count() const { return items_.size(); }
  MenuItem& Items(size_t index) { return *items_.at(index); }
  // Opens the menu with its top-left corner at a screen point (as far as the screen allows)
  // and returns when it has closed and the chosen item, if any, has run.
  void Popup(int x, int y);
  std::function<void()> OnPopup;

  // The platform's menu while it is open (nullptr otherwise): what the user sees.
  HMENU Handle() const { return open_; }
  // The window that owns the open menu.
  HWND Window() const { return window_; }
  // Platform menus alive right now, so that repeated openings can be shown to leak none.
  static int LiveMenus();

 private:
  std::vector<std::unique_ptr<MenuItem>> items_;
  HWND window_ = nullptr;
  HMENU open_ = nullptr;
};

}  // namespace ui
