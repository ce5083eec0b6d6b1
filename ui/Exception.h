// ui::Exception, the one kind of failure the program raises, and the system's text of an error.
#pragma once
#include <exception>
#include <string>
#include <utility>

namespace ui {

// The one kind of failure the program raises: a message for the user. Handlers throw it
// (or a subclass); the exception boundary of every window procedure, timer and message
// loop catches it and hands it to Application::ShowException.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }

 private:
  std::string message_;
};

// The system's own text for an error code (GetLastError, an HRESULT) without the line break
// and blanks it ends in; empty when the system has none.
std::string SystemMessage(unsigned long code);

}  // namespace ui
