// FontComboBox: the owner-drawn font list with its device, filter and glyphs.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "ui/Canvas.h"
#include "ui/StdCtrls.h"

namespace tessarin {
namespace fontlist {
class ListBuilder;
}

enum class FontDevice { fdScreen = 0, fdPrinter = 1, fdBoth = 2 };

// Filter options of the font list (a set of bits).
enum FontListOption : std::uint16_t {
  foAnsiOnly = 1,
  foSymbolOnly = 2,
  foTrueTypeOnly = 8,
};

// The drop-down list of installed fonts: owner-drawn with a fixed item height, sorted by
// the list itself, strings kept so that screen readers read the names. Each name carries a
// glyph for TrueType and printer fonts and is drawn in its own font when UseFonts is on.
class FontComboBox : public ui::Control {
 public:
  // The height of the bounds is the box's own, from its font and glyphs.
  FontComboBox(ui::Control* parent, ui::Bounds bounds, FontDevice device, std::uint16_t options);
  ~FontComboBox() override;

  FontDevice Device() const { return device_; }
  void SetDevice(FontDevice device);
  std::uint16_t Options() const { return options_; }
  void SetOptions(std::uint16_t options);
  bool UseFonts() const { return useFonts_; }
  void SetUseFonts(bool useFonts);

  // The name of the selected item; empty when none is selected. Setting it selects the
  // first item equal to it without regard to case, or none.
  std::string FontName() const;
  void SetFontName(const std::string& name);

  void RebuildList();
  bool Updating() const { return updating_; }

  int Count() const;
  std::string ItemName(int index) const;
  unsigned ItemFlags(int index) const;
  int ItemIndex() const;
  // Selects an item without a change notification.
  void SetItemIndex(int index);

  // True once the window exists; it is made when FontName is first set (or by
  // HandleNeeded), and its making fills the list.
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded();
  // The fixed height of the list items, from the box's font and the glyphs.
  int ItemHeight() const;

  std::function<void()> OnChange;

 protected:
  bool Notify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void NotifyChange();

 private:
  // A glyph with its transparent pixels cleared, and the mask that keeps them out.
  struct GlyphImage {
    ui::Bitmap image;
    ui::Bitmap mask;
    int width = 0, height = 0;
  };
  static GlyphImage LoadGlyph(const char* resource);
  // Draws the glyph stretched to the given size in pixels.
  static void DrawGlyph(HDC dc, const GlyphImage& glyph, int x, int y, int width, int height);

  // Fills the list anew and selects the name (no notification), without drawing the box
  // when it shows the same item afterwards.
  void Refill(const std::string& name);
  void FillList();
  // The fonts of the device context: all families, or the one named.
  void AddFonts(HDC dc, fontlist::ListBuilder& builder, const char* family = nullptr);
  void AddPrinterFonts(fontlist::ListBuilder& builder);
  // Selects the first item named like the name (any case), or none; no notification.
  void SelectName(const std::string& name);
  void DrawItem(const DRAWITEMSTRUCT& item);
  void UpdateItemHeights();
  void FontChanged() override;

  FontDevice device_;
  std::uint16_t options_;
  bool useFonts_ = true;
  bool updating_ = false;
  unsigned fills_ = 0;     // counts the fills of the list
  std::string firstName_;  // the name first asked for, which the window is made for
  // Work waiting for the window's first paint finds the box through this, while it lives.
  std::shared_ptr<FontComboBox*> self_ = std::make_shared<FontComboBox*>(this);
  GlyphImage trueTypeGlyph_;
  GlyphImage deviceGlyph_;
  // The sibling made just before this box: the window goes after it in the tab order.
  HWND previousSibling_ = nullptr;
};

}  // namespace tessarin
