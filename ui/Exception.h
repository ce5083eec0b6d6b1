// ui::Exception, the one kind of failure the program raises.
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

}  // namespace ui
