// TInfo_dlg, the options dialog.
#pragma once
#include "ui/Form.h"

namespace tessarin {

// The options dialog.
class TInfo_dlg : public ui::Form {
 public:
  TInfo_dlg();
};

extern TInfo_dlg* Info_dlg;

}  // namespace tessarin
