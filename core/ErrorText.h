// The text the error display shows for an error message.
#pragma once
#include <string>

namespace ui {

// The text the application's error display shows for an error message: the message
// itself, with a full stop appended when its last character sorts after "." in
// character-code order: "Failed" gains one, "Done." keeps its own, and a message that
// ends in a character below "." (")", "!", a blank) is shown as it stands.
std::string ErrorDisplayText(const std::string& message);

}  // namespace ui
