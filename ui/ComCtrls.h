// The page control with its pages (the platform's tab control), the read-only multi-line
// memo, and a tooltip.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

class TabSheet;

// The platform's tab control; its pages are windows of their own laid over its display
// area, next to it in the window order, so that the tab order runs from the tabs into
// the shown page. The first page added is shown first.
class PageControl : public Control {
 public:
  PageControl(Control* parent, Bounds b);

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TabSheet& Page(int index) const { return *pages_.at(static_cast<size_t>(index)); }
  int ActivePageIndex() const { return active_; }
  TabSheet* ActivePage() const { return active_ < 0 ? nullptr : pages_[static_cast<size_t>(active_)]; }
  void SetActivePageIndex(int index);
  // The rectangle of a page, in the parent's client coordinates.
  RECT PageRect() const;
  void ChangeScale(UINT newDpi) override;
  // The next page, or the previous one, round the end; raises OnChange.
  void SelectNextPage(bool forward);
  // Ctrl+Tab and Ctrl+Shift+Tab while the focus is on the tabs or in a page: the next or
  // previous page. True when the key was taken.
  bool DialogKey(const MSG& msg);

  // Raised after the user changed the page.
  std::function<void()> OnChange;

 protected:
  bool Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  friend class TabSheet;
  void AddPage(TabSheet* page);
  void RemovePage(TabSheet* page);
  void ShapeToFrame();
  std::vector<TabSheet*> pages_;
  int active_ = -1;
};

// One page: a plain container for the controls of one tab, added as the last tab.
class TabSheet : public Control {
 public:
  TabSheet(PageControl* pageControl, std::string caption);
  ~TabSheet() override;
  PageControl& Owner() const { return owner_; }

 private:
  PageControl& owner_;
};

struct MemoOptions {
  bool readOnly = true;
  bool verticalScrollBar = true;
};

// A multi-line text the user can read, select and scroll but not change.
class Memo : public Control {
 public:
  using Options = MemoOptions;
  Memo(Control* parent, Bounds b, Options o = {});
  // Sets the text, one line per entry.
  void SetLines(const std::vector<std::string>& lines);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// The platform's tooltip for one control: while the mouse rests on the control it shows a
// text, none while the text is empty. Its window is made the first time there is a text.
class ToolTip {
 public:
  explicit ToolTip(Control& control) : control_(control) {}
  ~ToolTip();
  ToolTip(const ToolTip&) = delete;
  ToolTip& operator=(const ToolTip&) = delete;

  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);
  // The tooltip's window, nullptr before the first text.
  HWND Handle() const { return tip_; }

 private:
  Control& control_;
  HWND tip_ = nullptr;
  std::string text_;
};

}  // namespace ui
