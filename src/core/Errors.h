#pragma once
#include <stdexcept>
#include <string>

namespace qv {

// The one error class the program shows to the user: its message becomes the text of the
// application's message box (or a line on standard error in quorvel-report).
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// Raised for a value outside the range a routine accepts.
class ERangeError : public Exception {
public:
  using Exception::Exception;
};

} // namespace qv
