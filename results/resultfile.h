// An output file of an experiment that appears only when it is complete: the bytes go
// to a temporary file in the target's directory, and Commit renames it into place, so an
// interrupted or failed experiment never leaves a half-written table that a later
// summary would read as whole. Dropped without Commit, it removes its temporary file and
// leaves an earlier file of the target's name as it was. The name "-" is standard output;
// an existing target that is no plain file (a device, a pipe) is written directly.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

#include "platform/files/safefilestream.h"

namespace vadidazid {

class ResultFile {
 public:
  // Creates the temporary file at once, so an unwritable place shows before a long run:
  // EFCreateError "Cannot create file <name>".
  ResultFile(const std::string& name, std::ostream& standardOutput);
  ~ResultFile();
  ResultFile(const ResultFile&) = delete;
  ResultFile& operator=(const ResultFile&) = delete;

  // EWriteError "Stream write error" when the bytes cannot be written.
  void Write(std::string_view bytes);
  // Writes the pending bytes and completes the file, so a write error shows before any
  // output of the experiment is put in place; Commit then only renames.
  void Finish();
  void Commit();

 private:
  void Flush();

  std::unique_ptr<TSafeFileStream> file_;  // none for "-"
  std::string buffer_;                     // written in large pieces rather than record by record
  std::ostream& standardOutput_;
};

}  // namespace vadidazid
