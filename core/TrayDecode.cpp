// The notification-area icon's callback decoding table.
#include "core/TrayDecode.h"

namespace tessarin::tray {

std::vector<TrayEvent> DecodeTrayMessage(unsigned mouseMessage, PressedButtons& pressed) {
  using K = TrayEventKind;
  using B = TrayButton;
  const TrayMouseState left{.left = true}, right{.right = true}, middle{.middle = true}, dbl{.dbl = true};
  switch (mouseMessage) {
    case MouseMove: return {{K::MouseMove}};
    case LButtonDown: pressed.left = true; return {{K::MouseDown, B::Left, left}};
    case LButtonUp: {
      std::vector<TrayEvent> events;
      if (pressed.left) {
        pressed.left = false;
        events.push_back({K::Click, B::Left, left});
      }
      events.push_back({K::MouseUp, B::Left, left});
      return events;
    }
    case LButtonDblClk: return {{K::DoubleClick}, {K::MouseDown, B::Left, dbl}};
    case RButtonDown: pressed.right = true; return {{K::MouseDown, B::Right, right}};
    case RButtonUp: {
      std::vector<TrayEvent> events;
      if (pressed.right) {
        pressed.right = false;
        events.push_back({K::Click, B::Right, right});
      }
      events.push_back({K::MouseUp, B::Right, right});
      return events;
    }
    case RButtonDblClk: return {{K::MouseDown, B::Right, dbl}};
    case MButtonDown: return {{K::MouseDown, B::Middle, middle}};
    case MButtonUp: return {{K::MouseUp, B::Middle, middle}};
    case MButtonDblClk: return {{K::MouseDown, B::Middle, dbl}};
    default: return {};
  }
}

}  // namespace tessarin::tray
