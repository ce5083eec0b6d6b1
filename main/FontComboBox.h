#pragma once
#include "ui/StdCtrls.h"

namespace tessarin {

// The drop-down list of installed fonts: sorted, strings kept so that screen readers read
// the names.
class TFontComboBox : public ui::ComboBox {
 public:
  TFontComboBox(ui::Control* parent, int left, int top, int width, int height);
};

}  // namespace tessarin
