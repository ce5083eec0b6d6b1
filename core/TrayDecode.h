// The notification-area icon's callback decoding: which events a reported mouse message raises.
#pragma once
#include <cstdint>
#include <vector>

namespace tessarin::tray {

// The icon's callback message: the shell posts it with the mouse message in lParam.
inline constexpr unsigned TrayCallbackMessage = 0xB054;

// The mouse messages the shell reports (the values of WM_MOUSEMOVE … WM_MBUTTONDBLCLK).
inline constexpr unsigned MouseMove = 0x200, LButtonDown = 0x201, LButtonUp = 0x202, LButtonDblClk = 0x203,
                          RButtonDown = 0x204, RButtonUp = 0x205, RButtonDblClk = 0x206, MButtonDown = 0x207,
                          MButtonUp = 0x208, MButtonDblClk = 0x209;

enum class TrayButton : std::uint8_t { Left, Right, Middle };
enum class TrayEventKind : std::uint8_t { MouseMove, MouseDown, MouseUp, Click, DoubleClick };

// The buttons that went down on the icon and have not come up yet.
struct PressedButtons {
  bool left = false, right = false;
  friend bool operator==(const PressedButtons&, const PressedButtons&) = default;
};

// The mouse part of an event's shift state; the keyboard part is read when it is raised.
struct TrayMouseState {
  bool left = false, right = false, middle = false, dbl = false;
  friend bool operator==(const TrayMouseState&, const TrayMouseState&) = default;
};

struct TrayEvent {
  TrayEventKind kind;
  TrayButton button = TrayButton::Left;  // not used by MouseMove and DoubleClick
  TrayMouseState state{};
  friend bool operator==(const TrayEvent&, const TrayEvent&) = default;
};

// The events one reported mouse message raises, in order, updating the pressed set: a
// click needs the press of the same button on the icon before its release.
std::vector<TrayEvent> DecodeTrayMessage(unsigned mouseMessage, PressedButtons& pressed);

}  // namespace tessarin::tray
