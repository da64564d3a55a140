// The runner's outputs: standard output, or a safe file stream that puts the file in its
// place only on Commit.
#include "platform/files/outputfile.h"

#include <ostream>

#include "platform/exceptions.h"
#include "platform/files/ioerror.h"

namespace vadidazid {

OutputFile::OutputFile(const std::string& fileName)
    : file_(std::make_unique<TSafeFileStream>(fileName)) {}

OutputFile::OutputFile(std::ostream& standardOutput) : standardOutput_(&standardOutput) {}

std::unique_ptr<OutputFile> OutputFile::Named(const std::string& name,
                                              std::ostream& standardOutput) {
  return name == "-" ? std::make_unique<OutputFile>(standardOutput)
                     : std::make_unique<OutputFile>(name);
}

OutputFile::~OutputFile() = default;

void OutputFile::Write(std::string_view bytes) {
  Append([&](std::string& pending) { pending += bytes; });
}

void OutputFile::Flush() {
  if (buffer_.empty()) return;
  if (file_) {
    file_->Write(buffer_);
  } else if (!standardOutput_->write(buffer_.data(), std::streamsize(buffer_.size()))) {
    throw EWriteError(WriteErrorMessage(kStandardOutputName));
  }
  buffer_.clear();
}

void OutputFile::Finish() {
  Flush();
  if (file_) file_->Finish();
}

void OutputFile::Commit() {
  Flush();
  if (file_) {
    file_->Commit();
  } else if (!standardOutput_->flush()) {
    throw EWriteError(WriteErrorMessage(kStandardOutputName));
  }
}

}  // namespace vadidazid
