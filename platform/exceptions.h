// The exception classes of the toolkit layer. Every failure outside the random generator
// is reported as one of these; the window shows its text in a message box.
#pragma once

#include <stdexcept>
#include <string>

namespace vadidazid {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A text that does not convert to a number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A file that cannot be created: "Cannot create file <name>: <reason>".
class EFCreateError : public Exception {
 public:
  using Exception::Exception;
};

// A write to a file stream that did not complete: "Stream write error (<name>): <reason>".
class EWriteError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace vadidazid
