#include "main/FontComboBox.h"

namespace tessarin {

TFontComboBox::TFontComboBox(ui::Control* parent, int left, int top, int width, int height)
    : ui::ComboBox(parent, left, top, width, height + 200, CBS_DROPDOWNLIST | CBS_SORT | CBS_HASSTRINGS) {}

}  // namespace tessarin
