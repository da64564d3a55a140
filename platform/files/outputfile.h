// An output of the runner: a safe file that appears only when it is complete (see
// safefilestream.h), or standard output, through one type with one buffer. The bytes
// gather here and go on in pieces of kOutputBufferSize, so a long run neither keeps its
// whole output in memory nor writes record by record; a file stream takes such a piece
// without copying it into a buffer of its own. Dropped without Commit, a file removes
// its temporary file and leaves an earlier file of the target's name as it was. Every
// failed write names its output: "Stream write error (<name>)..." or "(standard output)".
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "platform/files/safefilestream.h"

namespace vadidazid {

class OutputFile {
 public:
  // Creates the temporary file at once, so an unwritable place shows before a long run:
  // EFCreateError "Cannot create file <name>: <reason>".
  explicit OutputFile(const std::string& fileName);
  // Writes to standard output, given as the stream the caller writes it through.
  explicit OutputFile(std::ostream& standardOutput);
  // "-" is standard output, any other name a file.
  static std::unique_ptr<OutputFile> Named(const std::string& name, std::ostream& standardOutput);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void Write(std::string_view bytes);
  // Lets the writer append to the pending bytes, which go on once there are many.
  template <typename Writer>
  void Append(Writer&& write) {
    write(buffer_);
    if (buffer_.size() >= kOutputBufferSize) Flush();
  }
  // Drops the bytes not passed on yet.
  void Discard() { buffer_.clear(); }
  // Writes the pending bytes and completes a file, so a write error shows before any
  // output of a run is put in place; Commit then only renames. Standard output is
  // flushed by Commit.
  void Finish();
  void Commit();

 private:
  void Flush();

  std::unique_ptr<TSafeFileStream> file_;  // none for standard output
  std::ostream* standardOutput_ = nullptr;
  std::string buffer_;
};

}  // namespace vadidazid
