// The options dialog TInfo_dlg and its form variable.
#include "info/Info.h"

namespace tessarin {

TInfo_dlg* Info_dlg = nullptr;

namespace {
ui::Form::Options DialogOptions() {
  ui::Form::Options o;
  o.windowClass = "TInfo_dlg";
  o.caption = "Tessarin V2.9 Options";
  o.clientWidth = 418;
  o.clientHeight = 423;
  return o;
}
}  // namespace

TInfo_dlg::TInfo_dlg() : ui::Form(DialogOptions()) { Info_dlg = this; }

}  // namespace tessarin
