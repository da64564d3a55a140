// The user's view of a failure, for the runner's message line and the window's box alike.
#include "platform/exceptions.h"

#include <new>

namespace vadidazid {

FailureReport DescribeFailure(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const Exception& e) {
    return {e.what(), e.Status(), dynamic_cast<const UsageError*>(&e) != nullptr};
  } catch (const std::bad_alloc&) {
    // What the user can act on; the type's name says nothing to a student.
    return {"out of memory", ExitStatus::kFailed, false};
  } catch (const std::exception& e) {
    return {e.what(), ExitStatus::kFailed, false};
  } catch (...) {
    return {"unknown failure", ExitStatus::kFailed, false};
  }
}

}  // namespace vadidazid
