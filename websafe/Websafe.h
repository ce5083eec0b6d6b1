// Tdialog216, the 216-colour palette dialog.
#pragma once
#include "ui/Form.h"

namespace tessarin {

// The palette dialog of the 216 web-safe colours.
class Tdialog216 : public ui::Form {
 public:
  Tdialog216();
};

extern Tdialog216* dialog216;

}  // namespace tessarin
