// What every kind of failure says to the user and which status it ends the runner with:
// the runner's message line and the window's message box both come from here.
#include "platform/exceptions.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace vadidazid {

namespace {

TEST(DescribeFailure, EveryKindHasAMessageAndAStatus) {
  const struct {
    std::exception_ptr failure;
    const char* message;
    ExitStatus status;
    bool usage;
  } cases[] = {
      {std::make_exception_ptr(EFCreateError("Cannot create file a: permission denied")),
       "Cannot create file a: permission denied", ExitStatus::kFailed, false},
      {std::make_exception_ptr(EInvalidInput("r.csv: line 2: bad")), "r.csv: line 2: bad",
       ExitStatus::kInvalidInput, false},
      {std::make_exception_ptr(UsageError("--steps: 'x' is not a whole number")),
       "--steps: 'x' is not a whole number", ExitStatus::kInvalidInput, true},
      {std::make_exception_ptr(EConvertError("'a' is not a valid floating point value")),
       "'a' is not a valid floating point value", ExitStatus::kFailed, false},
      {std::make_exception_ptr(std::bad_alloc()), "out of memory", ExitStatus::kFailed, false},
      {std::make_exception_ptr(std::logic_error("stray")), "stray", ExitStatus::kFailed, false},
      {std::make_exception_ptr(42), "unknown failure", ExitStatus::kFailed, false},
  };
  for (const auto& c : cases) {
    const FailureReport report = DescribeFailure(c.failure);
    EXPECT_EQ(report.message, c.message);
    EXPECT_EQ(report.status, c.status) << c.message;
    EXPECT_EQ(report.usage, c.usage) << c.message;
  }
}

}  // namespace

}  // namespace vadidazid
