// GlobalHotKey and HotKeyEdit.
#include "app/HotKey.h"

#include <commctrl.h>

#include "core/HotKeyCode.h"

namespace tessarin {

bool GlobalHotKey::Register(HWND owner, std::uint16_t setting) {
  if (owner == owner_ && setting == setting_ && (registered_ || setting == 0)) return true;
  Release();
  owner_ = owner;
  setting_ = setting;
  const HotKeyRegistration r = RegistrationFor(setting);
  refusal_ = 0;
  if (!owner || r.virtualKey == 0) return true;
  // Held down, the key toggles the window once.
  registered_ = RegisterHotKey(owner, kId, r.modifiers | MOD_NOREPEAT, r.virtualKey) != FALSE;
  if (!registered_ && GetLastError() != ERROR_HOTKEY_ALREADY_REGISTERED)  // a system without MOD_NOREPEAT
    registered_ = RegisterHotKey(owner, kId, r.modifiers, r.virtualKey) != FALSE;
  if (!registered_) {
    refusal_ = GetLastError();
    if (refusal_ == 0) refusal_ = ERROR_CAN_NOT_COMPLETE;  // refused without a reason given
  }
  return registered_;
}

void GlobalHotKey::Release() {
  if (registered_ && owner_ && IsWindow(owner_)) UnregisterHotKey(owner_, kId);
  registered_ = false;
}

HotKeyEdit::HotKeyEdit(ui::Control* parent, ui::Bounds bounds) : ui::Control(parent) {
  CreateHandle({.className = HOTKEY_CLASSA,
                .style = WS_VISIBLE | WS_TABSTOP,
                .exStyle = WS_EX_CLIENTEDGE,
                .bounds = bounds});
  SendMessageA(handle_, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
}

std::uint16_t HotKeyEdit::Value() const {
  return static_cast<std::uint16_t>(LOWORD(SendMessageA(handle_, HKM_GETHOTKEY, 0, 0)));
}

void HotKeyEdit::SetValue(std::uint16_t value) { SendMessageA(handle_, HKM_SETHOTKEY, value, 0); }

}  // namespace tessarin
