// The standard controls: labels, buttons, check boxes, group boxes, panels and edit fields.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"

namespace ui {

enum class Alignment { Left, Right, Center };

// A window of one of our own classes that paints itself.
class CustomControl : public Control {
 public:
  CustomControl(Control* parent, const char* windowClass, Bounds bounds, DWORD style = 0, DWORD exStyle = 0);

 protected:
  virtual void Paint(HDC dc, const RECT& clip) = 0;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

struct LabelOptions {
  Alignment alignment = Alignment::Left;
  bool autoSize = true;
  bool visible = true;
  COLORREF color = kSysColor | COLOR_BTNFACE;
  bool mouseUp = false;  // reports button releases (OnMouseUp)
  bool elide = false;    // one line, a text too long for it ending in "..."
};

// A text that the user does not edit. Shows "&" literally. With autoSize the label takes
// the size of its text, keeping its left edge (left-aligned), its right edge
// (right-aligned) or its centre.
class Label : public Control {
 public:
  using Options = LabelOptions;
  Label(Control* parent, std::string text, Bounds bounds, Options options = {});
  // The text as the label holds it (also while the label is hidden).
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override;
  // A label moved or resized is drawn again whole: the platform would keep the old picture,
  // whose text stood for the old width.
  void SetBounds(const Bounds& bounds) override;
  // A mouse button released over the label, at a point of its client area.
  std::function<void(MouseButton button, ShiftState shift, int x, int y)> OnMouseUp;

 protected:
  void FontChanged() override;
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void AdjustSize();
  std::string text_;
  Options options_;
};

struct ButtonOptions {
  bool isDefault = false;  // drawn as the default push button
};

class Button : public Control {
 public:
  using Options = ButtonOptions;
  Button(Control* parent, const std::string& caption, Bounds bounds, Options options = {});
};

struct CheckBoxOptions {
  bool checked = false;
};

// Setting Checked to a new value raises OnClick, as a click of the box does. The caption
// is always drawn in the box's own font (a themed box may otherwise take the theme's).
class CheckBox : public Control {
 public:
  using Options = CheckBoxOptions;
  CheckBox(Control* parent, const std::string& caption, Bounds bounds, Options options = {});
  bool Checked() const;
  void SetChecked(bool checked);

 protected:
  bool Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  void Draw(const NMCUSTOMDRAW& draw);
};

class GroupBox : public Control {
 public:
  GroupBox(Control* parent, const std::string& caption, Bounds bounds);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool pressed_ = false;
};

// A group box with one radio button per item, arranged like the forms library does.
class RadioGroup : public GroupBox {
 public:
  RadioGroup(Control* parent, const std::string& caption, Bounds bounds,
             const std::vector<std::string>& items, int itemIndex);
  ~RadioGroup() override;
  int ItemIndex() const { return itemIndex_; }
  // Selecting another item raises OnClick.
  void SetItemIndex(int index);
  size_t Count() const { return buttons_.size(); }
  Control& Button(size_t index);

 private:
  class RadioItem;
  void Arrange();
  void ItemClicked(int index);
  std::vector<std::unique_ptr<RadioItem>> buttons_;
  int itemIndex_ = -1;
};

// A raised panel that holds other controls.
class Panel : public CustomControl {
 public:
  Panel(Control* parent, Bounds bounds);

 protected:
  void Paint(HDC dc, const RECT& clip) override;
};

struct EditOptions {
  bool readOnly = false;
  bool visible = true;
};

class Edit : public Control {
 public:
  using Options = EditOptions;
  Edit(Control* parent, Bounds bounds, Options options = {});
  bool ReadOnly() const;
  // The selection, as character positions.
  void GetSelection(long& start, long& end) const;
  void SetSelection(long start, long end);
  // Copies the selection to the clipboard, the control's own way.
  void CopyToClipboard();
  // Characters in the text.
  virtual long TextLength() const;
  // Replaces the selection with a text, as typing it would (one undoable change).
  void ReplaceSelection(const std::string& text);
  void ScrollCaretIntoView();
  std::function<void()> OnChange;
  std::function<void()> OnExit;

 protected:
  // For controls of another class that behave as edits (the rich edit).
  Edit(Control* parent, const char* className, DWORD style, Bounds bounds, bool subclass);
  bool Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// The rich edit control (RichEdit 2.0, ANSI). Its whole text is in one format: the
// control's Font (face, size, colour and styles). The text has no length limit.
class RichEdit : public Edit {
 public:
  explicit RichEdit(Control* parent, Bounds bounds);
  std::string Text() const override;
  long TextLength() const override;
  // Appends a text at the end, in the control's one format, as one change.
  void Append(const std::string& text);
  // The text in UTF-16, line breaks as CR LF: whole where characters lie beyond the ANSI
  // code page.
  std::u16string WideText() const;
  // Appends a UTF-16 text at the end as Append does, through the control's wide path.
  void AppendWide(const std::u16string& text);

 protected:
  // Pastes take the text alone, in the control's format.
  LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void FontChanged() override;
};

struct SpinEditOptions {
  int minValue = 0, maxValue = 100, value = 0;
};

// An edit with up and down arrows, holding an integer between a minimum and a maximum.
class SpinEdit : public Edit {
 public:
  using Options = SpinEditOptions;
  SpinEdit(Control* parent, Bounds bounds, Options options);
  ~SpinEdit() override;
  // The integer in the text; the minimum when the text is not an integer.
  int Value() const;
  void SetValue(int value);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  HWND UpDownHandle() const { return updown_; }
  // The rectangle holds the field and its arrows; both move, show and enable together.
  void SetBounds(const Bounds& bounds) override;
  void ChangeScale(UINT newDpi) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;

 protected:
  // Leaving the field puts a typed value outside the range back into it.
  bool Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  HWND updown_ = nullptr;
  int arrowWidth_ = 0;
  int min_, max_;
};

}  // namespace ui
