// The program's one error family. Every failure it raises derives from Exception with a
// message for the user; the kind of failure decides the exit status the runner ends with,
// so a caller never maps errors to statuses by hand. The window shows the same message
// in a message box.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace vadidazid {

// The runner's exit statuses.
enum class ExitStatus : int {
  kDone = 0,
  kFailed = 1,        // an output could not be written, or the memory ran out
  kInvalidInput = 2,  // a bad command line, parameters or result file
};

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  // What a process that ends with this failure exits with.
  virtual ExitStatus Status() const { return ExitStatus::kFailed; }
};

// Input that no run can use: parameters the set-up refuses, a result file no run can
// have written. Nothing was written, so the user only has to mend the input.
class EInvalidInput : public Exception {
 public:
  using Exception::Exception;
  ExitStatus Status() const override { return ExitStatus::kInvalidInput; }
};

// A command line the runner cannot take; its message is followed by a pointer to --help.
class UsageError : public EInvalidInput {
 public:
  using EInvalidInput::EInvalidInput;
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

// What a failure says to the user and the status a process ends with: the runner prints
// the message on a line of its own, the window shows it in a message box. Any exception
// is described, so neither a lack of memory nor a stray standard exception ends the
// program without a word.
struct FailureReport {
  std::string message;
  ExitStatus status = ExitStatus::kFailed;
  bool usage = false;  // a UsageError: the runner points to its --help
};
FailureReport DescribeFailure(std::exception_ptr failure);

}  // namespace vadidazid
