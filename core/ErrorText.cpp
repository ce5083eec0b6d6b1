// The text the error display shows for an error message.
#include "core/ErrorText.h"

namespace ui {

std::string ErrorDisplayText(const std::string& message) {
  std::string text = message;
  // Compare as unsigned bytes: Windows-1252 letters (0x80..0xFF) sort after "." too.
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

}  // namespace ui
