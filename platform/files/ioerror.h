// Reasons for failed file operations, in words, for the messages of failed saves. The
// texts do not depend on the process's locale, so a message reads the same in the window
// and in the runner whatever the user's language settings are.
#pragma once

#include <string>

namespace vadidazid {

// "permission denied", "no such directory", "no space left on the device", ... for an
// errno value; "error <n>" for one without a text of its own here.
std::string ErrorReason(int errnum);

// "Cannot create file <name>: <reason>", the reason an errno value's or the save's own.
std::string CreateFileMessage(const std::string& name, int errnum);
std::string CreateFileMessage(const std::string& name, const std::string& reason);

// The name write errors give standard output.
inline constexpr const char* kStandardOutputName = "standard output";

// "Stream write error (<name>): <reason>", the reason an errno value's or the stream's
// own, or without a reason where none is known (standard output). Every write error's
// text is made here.
std::string WriteErrorMessage(const std::string& name, int errnum);
std::string WriteErrorMessage(const std::string& name, const std::string& reason);
std::string WriteErrorMessage(const std::string& name);

}  // namespace vadidazid
