// A write-only file stream over stdio with the toolkit's exceptions: the log file is
// written through it in one piece, so a short write or a failing close must not pass
// silently.
#include "platform/files/filestream.h"

#include <cerrno>

#include "platform/exceptions.h"
#include "platform/files/ioerror.h"

namespace vadidazid {

TFileStream::TFileStream(const std::string& fileName, TFileMode mode) : name_(fileName) {
  file_ = std::fopen(fileName.c_str(), mode == TFileMode::fmCreateNew ? "wbx" : "wb");
  if (file_ == nullptr) throw EFCreateError(CreateFileMessage(fileName, errno));
}

TFileStream::~TFileStream() {
  // Quietly: a destructor may run during unwinding from another failure.
  if (file_ != nullptr) std::fclose(file_);
}

void TFileStream::WriteBuffer(const void* data, size_t size) {
  // Writing after Close has no file to go to; it is a failed write, not a crash.
  if (file_ == nullptr) {
    throw EWriteError(WriteErrorMessage(name_, "the file is closed"));
  }
  if (size == 0) return;
  if (std::fwrite(data, 1, size, file_) != size) {
    throw EWriteError(WriteErrorMessage(name_, errno));
  }
}

void TFileStream::Close() {
  if (file_ == nullptr) return;
  // Buffered data reaches the disk only now, so this is where a full disk shows.
  const bool flushed = std::fflush(file_) == 0;
  const int flushError = errno;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!flushed || !closed)
    throw EWriteError(WriteErrorMessage(name_, flushed ? errno : flushError));
}

}  // namespace vadidazid
