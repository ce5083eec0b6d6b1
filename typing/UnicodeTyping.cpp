// TypeUnicodeText: a text as one SendInput of KEYEVENTF_UNICODE events.
#include "typing/UnicodeTyping.h"

#include <windows.h>

#include <initializer_list>
#include <vector>

namespace tessarin {

bool TypeUnicodeText(const std::u16string& text) {
  if (text.empty()) return true;
  std::vector<INPUT> events;
  events.reserve(text.size() * 2);
  for (char16_t unit : text)
    for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT in{};
      in.type = INPUT_KEYBOARD;
      in.ki.wScan = unit;  // no virtual key: the system makes it VK_PACKET
      in.ki.dwFlags = KEYEVENTF_UNICODE | up;
      events.push_back(in);
    }
  // One call: no key of the user's can fall between the two halves of a pair.
  return SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT)) == events.size();
}

}  // namespace tessarin
