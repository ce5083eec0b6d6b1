// The colour dialog over the platform's ChooseColorA, with its custom colours kept as name=value entries.
#include "ui/Dialogs.h"

#include <commdlg.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "ui/ShellLibraries.h"

namespace ui {
namespace {

constexpr COLORREF kNoColor = 0xFFFFFFFFu;

COLORREF ParseColor(const std::string& value) {
  if (value.empty() || value.size() > 6) return kNoColor;
  for (char c : value)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return kNoColor;
  return static_cast<COLORREF>(std::strtoul(value.c_str(), nullptr, 16));
}

}  // namespace

ColorDialog::ColorDialog() : ColorDialog(Options{}) {}
ColorDialog::ColorDialog(Options options) : options_(std::move(options)) {}

std::string ColorDialog::SlotName(int slot) const {
  return options_.customColorName + static_cast<char>('A' + slot);
}

void ColorDialog::CustomColorValues(COLORREF (&values)[16]) const {
  for (int slot = 0; slot < 16; ++slot) {
    values[slot] = kNoColor;
    const std::string key = SlotName(slot) + "=";
    for (const std::string& entry : customColors_) {
      if (entry.compare(0, key.size(), key) == 0) {
        values[slot] = ParseColor(entry.substr(key.size()));
        break;
      }
    }
  }
}

void ColorDialog::SetCustomColorValues(const COLORREF (&values)[16]) {
  for (int slot = 0; slot < 16; ++slot) {
    const std::string key = SlotName(slot) + "=";
    char digits[16] = "";
    // A slot without a colour keeps an empty value, which reads back as no colour.
    if (values[slot] <= 0xFFFFFF)
      std::snprintf(digits, sizeof digits, "%06lX", static_cast<unsigned long>(values[slot]));
    const std::string entry = key + digits;
    bool replaced = false;
    for (std::string& existing : customColors_) {
      if (existing.compare(0, key.size(), key) == 0) {
        existing = entry;
        replaced = true;
        break;
      }
    }
    if (!replaced) customColors_.push_back(entry);
  }
}

bool ColorDialog::Execute(HWND owner) {
  COLORREF custom[16];
  CustomColorValues(custom);
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner ? owner : GetActiveWindow();
  cc.rgbResult = color_;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | (options_.fullOpen ? CC_FULLOPEN : 0);
  if (!ui::late::ChooseColorA(&cc)) return false;
  color_ = cc.rgbResult;
  SetCustomColorValues(custom);
  return true;
}

}  // namespace ui
