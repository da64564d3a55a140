// Output files of experiments: standard output for "-", otherwise a safe file stream that
// puts the file in its place only on Commit.
#include "results/resultfile.h"

#include <ostream>

#include "platform/exceptions.h"

namespace vadidazid {

ResultFile::ResultFile(const std::string& name, std::ostream& standardOutput)
    : standardOutput_(standardOutput) {
  if (name != "-") file_ = std::make_unique<TSafeFileStream>(name);
}

ResultFile::~ResultFile() = default;

void ResultFile::Write(std::string_view bytes) {
  buffer_ += bytes;
  if (buffer_.size() >= (1 << 16)) Flush();
}

void ResultFile::Flush() {
  if (buffer_.empty()) return;
  if (file_) {
    file_->Write(buffer_);
  } else {
    standardOutput_.write(buffer_.data(), std::streamsize(buffer_.size()));
    if (!standardOutput_) throw EWriteError("Stream write error (standard output)");
  }
  buffer_.clear();
}

void ResultFile::Finish() {
  Flush();
  if (file_) file_->Finish();
}

void ResultFile::Commit() {
  Flush();
  if (file_) {
    file_->Commit();
  } else if (!standardOutput_.flush()) {
    throw EWriteError("Stream write error (standard output)");
  }
}

}  // namespace vadidazid
