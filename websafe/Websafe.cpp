// The 216-colour palette dialog Tdialog216 and its form variable.
#include "websafe/Websafe.h"

namespace tessarin {

Tdialog216* dialog216 = nullptr;

namespace {
ui::Form::Options DialogOptions() {
  ui::Form::Options o;
  o.windowClass = "Tdialog216";
  o.caption = "Colorselect (216 Color-Palett)";
  o.clientWidth = 562;
  o.clientHeight = 90;
  return o;
}
}  // namespace

Tdialog216::Tdialog216() : ui::Form(DialogOptions()) { dialog216 = this; }

}  // namespace tessarin
