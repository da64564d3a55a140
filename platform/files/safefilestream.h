// A file written so that it appears only when it is complete. The bytes go to a new
// temporary file in the target's directory; Commit flushes and closes it and only then
// puts it in the target's place. Until Commit succeeds the earlier file of that name is
// untouched, and a stream dropped before that (a failed write, an exception elsewhere)
// removes its temporary file. The errors name the target and say why:
// "Cannot create file <name>: <reason>" and "Stream write error (<name>): <reason>".
//
// The temporary file is created readable by its owner only and exclusively (a name
// someone planted is skipped, a link there is not followed); the final mode (the earlier
// file's, or 0666 less the umask) and a replaced file's owner and group are set through
// its descriptor. After creating it the save touches no path by name but the one rename,
// done within the folder that resolving the name left open (see savetarget.h).
//
// A name that stands for an open descriptor (/dev/stdout, /dev/fd/N, ...) is written
// through that descriptor, so a shell's redirection (appending, too) is kept. A target
// that exists and is no regular file (a terminal, a pipe, /dev/null) holds no saved data
// to protect and cannot be replaced by a rename, so it is written directly, unless the
// caller wants regular files only (a name nobody gave on purpose, where opening a FIFO
// someone put there would wait for a reader for ever).
//
// After the rename the folder is synced too, so that once the save has returned a power
// loss brings back neither the earlier file nor an empty one.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace vadidazid {

// The bytes a stream gathers before it writes them, here and in the outputs over it.
inline constexpr size_t kOutputBufferSize = 1 << 16;

// What a save may write to: any target, or regular files only (see above).
enum class SaveTargets { kAny, kRegularFilesOnly };

class TSafeFileStream {
 public:
  explicit TSafeFileStream(const std::string& fileName, SaveTargets targets = SaveTargets::kAny);
  ~TSafeFileStream();
  TSafeFileStream(const TSafeFileStream&) = delete;
  TSafeFileStream& operator=(const TSafeFileStream&) = delete;

  void WriteBuffer(const void* data, size_t size);
  void Write(std::string_view bytes) { WriteBuffer(bytes.data(), bytes.size()); }
  // Writes what is buffered and completes the temporary file (on the disc, with its
  // final mode and owner, closed) without putting it in place, so that a run with
  // several outputs learns of every write error before any output replaces its earlier
  // file. Once finished, nothing more can be written.
  void Finish();
  // Finishes the file where Finish was not called and puts it in the target's place.
  void Commit();

  // The temporary file while it exists, else empty (written directly, or committed).
  const std::string& TemporaryName() const { return temporary_; }

  // Makes the signals that end a process remove the temporary files of the streams still
  // open first, and has SIGPIPE and SIGXFSZ ignored so that the writes they would
  // interrupt fail with a message instead (see PendingTemporaries).
  static void RemoveTemporariesOnSignals();

 private:
  void OpenDescriptor(int descriptor, SaveTargets targets);
  void OpenFile(const std::string& directory, SaveTargets targets);
  void CreateTemporary(const std::string& directory);
  void SyncDirectory();
  void Flush();
  void Complete();
  [[noreturn]] void FailWrite(int errnum);
  void Discard();

  std::string name_;       // as given, for the error texts
  std::string base_;       // the target's name in its directory
  std::string temporary_;  // the temporary file's path, for callers
  std::string tempBase_;   // and its name in the directory
  std::string buffer_;
  int fd_ = -1;
  int dirFd_ = -1;
  int slot_ = -1;
  bool replacing_ = false;  // an earlier file exists: keep its owner
  bool finished_ = false;   // Finish has closed the file; only the rename is left
  mode_t mode_ = 0;
  uid_t owner_ = 0;
  gid_t group_ = 0;
};

}  // namespace vadidazid
