// A file written so that it appears only when it is complete. The bytes go to a new
// temporary file in the target's directory; Commit flushes and closes it and only then
// puts it in the target's place. Until Commit succeeds the earlier file of that name is
// untouched, and a stream dropped before that (a failed write, an exception elsewhere)
// removes its temporary file. The errors are those of TFileStream, named after the
// target: "Cannot create file <name>" and "Stream write error".
//
// A target that exists and is no regular file (a terminal, a pipe, /dev/null) holds no
// saved data to protect and cannot be replaced by a rename, so it is written directly.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class TFileStream;

class TSafeFileStream {
 public:
  explicit TSafeFileStream(const std::string& fileName);
  ~TSafeFileStream();
  TSafeFileStream(const TSafeFileStream&) = delete;
  TSafeFileStream& operator=(const TSafeFileStream&) = delete;

  void WriteBuffer(const void* data, size_t size);
  void Write(std::string_view bytes) { WriteBuffer(bytes.data(), bytes.size()); }
  // Flushes and closes the temporary file and puts it in the target's place.
  void Commit();

  // The temporary file while it exists, else empty (written directly, or committed).
  const std::string& TemporaryName() const { return temporary_; }

  // Makes SIGINT, SIGTERM and SIGHUP remove the temporary files of the streams still
  // open before the process ends, so an interrupted run leaves nothing behind.
  static void RemoveTemporariesOnSignals();

 private:
  void Discard();

  std::string name_;     // as given, for the error texts
  std::string target_;   // the file to replace, links resolved
  std::string temporary_;
  std::unique_ptr<TFileStream> stream_;
  int slot_ = -1;
};
