// The platform's common dialogs as components: the colour dialog.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace ui {

// The platform's colour dialog (ChooseColorA). Its current colour and its sixteen custom
// colours last from one opening to the next; both change only when the user accepts.
class ColorDialog {
 public:
  struct Options {
    bool fullOpen = false;
    // The custom colours' entry names are this prefix and the slot letter A to P.
    std::string customColorName = "Color";
  };
  ColorDialog();
  explicit ColorDialog(Options options);

  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color) { color_ = color; }

  // The custom colours as entries "<name><letter>=<value>", the value six hexadecimal
  // digits of a 0x00BBGGRR colour. A slot whose entry is missing, empty or not such a
  // value is offered as no colour.
  const std::vector<std::string>& CustomColors() const { return customColors_; }
  void SetCustomColors(std::vector<std::string> entries) { customColors_ = std::move(entries); }

  // Shows the dialog modally, owned by the given window (the active one if none). True
  // when the user accepted: the colour and the custom colours then hold the user's choice.
  bool Execute(HWND owner = nullptr);

  // The colours of the sixteen slots as the entries give them (0xFFFFFFFF: no colour).
  void CustomColorValues(COLORREF (&values)[16]) const;
  // Writes the sixteen slots back into the entries, six uppercase hexadecimal digits each.
  void SetCustomColorValues(const COLORREF (&values)[16]);

 private:
  std::string SlotName(int slot) const;
  Options options_;
  COLORREF color_ = 0;
  std::vector<std::string> customColors_;
};

}  // namespace ui
