// KeySender: types a key string into the window that has the keyboard focus.
#pragma once
#include <cstdint>
#include <string>

#include "core/KeyTranslation.h"

namespace tessarin {

// The keystroke sender. Its key string is typed by feeding synthetic keyboard events into
// the system's input stream; before that, when TitleText is set, the first window whose
// caption contains it is brought to the foreground.
class KeySender {
 public:
  const std::string& Keys() const { return keys_; }
  void SetKeys(const std::string& keys) { keys_ = keys; }
  const std::string& TitleText() const { return titleText_; }
  void SetTitleText(const std::string& titleText) { titleText_ = titleText; }
  // Milliseconds to wait after each token, handling messages meanwhile; negative: no wait.
  std::int32_t Delay() const { return delay_; }
  void SetDelay(std::int32_t delay) { delay_ = delay; }

  // Types Keys, token by token, waiting Delay after each one. Handlers that run during a
  // wait may call execute again (on this sender too): each call types from its own copy of
  // the key string, so the inner call finishes before the outer one goes on.
  void execute();

  // The steps of execute, each on its own.
  static void SendKeyToken(const std::string& token);
  static void ActivateWindowByTitle(const std::string& title);
  static void WaitProcessingMessages(std::int32_t milliseconds);
  // The current keyboard layout's answers (VkKeyScanA, MapVirtualKeyA).
  static const sendkeys::KeyboardLayout& CurrentLayout();

 private:
  std::string keys_;
  std::string titleText_;
  std::int32_t delay_ = 0;
};

}  // namespace tessarin
