// BlockComboBox, the drop-down list of the grid's views: the Windows-1252 page and the
// Unicode blocks of the font.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace tessarin {

// A standard drop-down list (CBS_DROPDOWNLIST). Its texts reach the control through the
// wide messages.
class BlockComboBox : public ui::Control {
 public:
  // bounds.height is the height of the open list.
  BlockComboBox(ui::Control* parent, ui::Bounds bounds);

  // Replaces every item; the selection goes to `index` (-1: none). Raises nothing.
  void SetItems(const std::vector<std::string>& items, int index);
  int Count() const;
  // The text of an item (ASCII), empty outside the list.
  std::string Item(int index) const;
  int ItemIndex() const;
  // Selects an item without raising OnChange.
  void SetItemIndex(int index);
  bool DroppedDown() const;

  // The user chose another item (with the mouse or the keyboard).
  std::function<void()> OnChange;
  // The list is about to be used: it takes the focus or drops down.
  std::function<void()> OnEnter;

 protected:
  bool Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace tessarin
