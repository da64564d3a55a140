// A file stream opened for creation, with fixed error texts that the window shows and
// callers can tell apart: creating fails with EFCreateError "Cannot create file <name>:
// <reason>", an incomplete write with EWriteError "Stream write error (<name>): <reason>".
// An existing file is replaced, unless the stream is asked for a new file only (the
// temporary file of a safe save must never reuse another's).
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace vadidazid {

enum class TFileMode { fmCreate, fmCreateNew };

class TFileStream {
 public:
  // fmCreate replaces an existing file; fmCreateNew fails when the name exists.
  explicit TFileStream(const std::string& fileName, TFileMode mode = TFileMode::fmCreate);
  ~TFileStream();
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  void WriteBuffer(const void* data, size_t size);
  void Write(std::string_view bytes) { WriteBuffer(bytes.data(), bytes.size()); }
  // Flushes and closes; a failing flush raises EWriteError. The destructor closes quietly.
  void Close();

 private:
  std::string name_;  // for the error texts
  std::FILE* file_ = nullptr;
};

}  // namespace vadidazid
