// KeySender: key events through keybd_event, the window search and the wait between tokens.
#include "typing/SendKeys.h"

#include <windows.h>

#include "ui/Application.h"

namespace tessarin {

const sendkeys::KeyboardLayout& KeySender::CurrentLayout() {
  static const sendkeys::KeyboardLayout layout = {
      [](char c) { return static_cast<std::uint16_t>(VkKeyScanA(c)); },
      [](unsigned code, unsigned mapType) { return MapVirtualKeyA(code, mapType); }};
  return layout;
}

void KeySender::execute() {
  if (!titleText_.empty()) ActivateWindowByTitle(titleText_);
  // A handler that runs during a wait may change Keys or start another execute; the
  // tokens of this call are its own.
  const std::vector<std::string> tokens = sendkeys::SplitKeyTokens(sendkeys::RewriteShiftedSymbols(keys_));
  for (const std::string& token : tokens) {
    // The program was ended during a wait: type nothing more.
    if (ui::Application::Instance().Terminated()) return;
    SendKeyToken(token);
    WaitProcessingMessages(delay_);
  }
}

void KeySender::SendKeyToken(const std::string& token) {
  for (const sendkeys::KeyEvent& e : sendkeys::KeyTokenEvents(token, CurrentLayout()))
    keybd_event(e.virtualKey, e.scan, e.flags, e.extraInfo);
}

void KeySender::ActivateWindowByTitle(const std::string& title) {
  HWND window = FindWindowA(nullptr, nullptr);
  for (int step = 0; window != nullptr; ++step) {
    char caption[255] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (sendkeys::CaptionMatchesTitle(caption, title)) {
      SetForegroundWindow(window);
      return;
    }
    if (step == sendkeys::MaxWindowSteps) return;
    window = GetWindow(window, GW_HWNDNEXT);
  }
}

void KeySender::WaitProcessingMessages(std::int32_t milliseconds) {
  // A negative wait handles no message at all; a wait of 0 lasts until the counter moves on.
  if (milliseconds >= 0) ui::Application::Instance().ProcessMessagesUntil(nullptr, milliseconds);
}

}  // namespace tessarin
