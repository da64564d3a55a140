// Safe saves over POSIX files: a temporary file next to the target, renamed over it once
// complete. A rename within one directory is atomic, so a reader (or a crash) sees the
// old file or the new one, never a part.
#include "platform/files/safefilestream.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/exceptions.h"
#include "platform/files/ioerror.h"
#include "platform/files/pendingtemporaries.h"
#include "platform/files/savetarget.h"

namespace vadidazid {

namespace {

// Bytes gathered before they go to the file: one system call per this many.

// The process's umask, read without changing it (setting it to read it back would race
// with files other threads create); the round trip is the fallback.
mode_t ProcessUmask() {
  const int fd = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
  if (fd >= 0) {
    char text[4096];
    const ssize_t got = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    if (got > 0) {
      text[got] = '\0';
      if (const char* line = std::strstr(text, "\nUmask:")) {
        return mode_t(std::strtoul(line + 7, nullptr, 8)) & 0777;
      }
    }
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

// A hidden name beside the target, unique by process and attempt. A target name near
// the length limit is cut so the temporary name still fits (at a character boundary).
std::string TemporaryBase(const std::string& base, int attempt) {
  const std::string suffix =
      ".~" + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".tmp";
  size_t keep = base.size();
  const size_t room = NAME_MAX - 1 - suffix.size();
  if (keep > room) {
    keep = room;
    while (keep > 0 && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80) --keep;
  }
  std::string name = ".";
  name.append(base, 0, keep);
  name += suffix;
  return name;
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t done = ::write(fd, data, size);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      if (done == 0) errno = EIO;
      return false;
    }
    data += done;
    size -= size_t(done);
  }
  return true;
}

}  // namespace

TSafeFileStream::TSafeFileStream(const std::string& fileName, SaveTargets targets)
    : name_(fileName) {
  SaveTarget target = SaveTarget::Resolve(fileName);
  if (target.descriptor >= 0) {
    OpenDescriptor(target.descriptor, targets);
    return;
  }
  base_ = target.base;
  dirFd_ = target.TakeDirectory();
  try {
    OpenFile(target.directoryName, targets);
  } catch (...) {
    Discard();
    throw;
  }
}

void TSafeFileStream::OpenFile(const std::string& directory, SaveTargets targets) {
  if (base_.size() > NAME_MAX) throw EFCreateError(CreateFileMessage(name_, ENAMETOOLONG));
  struct stat info {};
  replacing_ = ::fstatat(dirFd_, base_.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0;
  if (replacing_ && S_ISDIR(info.st_mode)) {
    throw EFCreateError(CreateFileMessage(name_, EISDIR));
  }
  const bool special = replacing_ && !S_ISREG(info.st_mode) && !S_ISLNK(info.st_mode);
  if (special && targets == SaveTargets::kRegularFilesOnly) {
    throw EFCreateError(CreateFileMessage(name_, std::string("not a regular file")));
  }
  // A file the user may not write could not be opened in its place; a rename would
  // replace it all the same, so it is refused here.
  if (replacing_ && ::faccessat(dirFd_, base_.c_str(), W_OK, 0) != 0) {
    throw EFCreateError(CreateFileMessage(name_, errno));
  }
  if (special) {
    fd_ = ::openat(dirFd_, base_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) throw EFCreateError(CreateFileMessage(name_, errno));
    ::close(dirFd_);
    dirFd_ = -1;
    return;
  }
  // A replaced file keeps its permissions and owner, as one rewritten in place would.
  mode_ = replacing_ ? info.st_mode & 07777 : 0666 & ~ProcessUmask();
  owner_ = info.st_uid;
  group_ = info.st_gid;
  CreateTemporary(directory);
}

void TSafeFileStream::OpenDescriptor(int descriptor, SaveTargets targets) {
  // A copy of the descriptor, so closing ours leaves the caller's (and the shell's) open;
  // both share the file's offset and its append mode.
  fd_ = ::fcntl(descriptor, F_DUPFD_CLOEXEC, 3);
  if (fd_ < 0) throw EFCreateError(CreateFileMessage(name_, errno));
  const int flags = ::fcntl(fd_, F_GETFL);
  struct stat info {};
  std::string refusal;
  if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) {
    refusal = ErrorReason(EBADF);
  } else if (targets == SaveTargets::kRegularFilesOnly &&
             (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
    refusal = "not a regular file";
  }
  if (!refusal.empty()) {
    ::close(fd_);
    fd_ = -1;
    throw EFCreateError(CreateFileMessage(name_, refusal));
  }
}

void TSafeFileStream::CreateTemporary(const std::string& directory) {
  for (int attempt = 0;; ++attempt) {
    tempBase_ = TemporaryBase(base_, attempt);
    // Noted before it exists, so a signal during creation cannot miss it; a name that
    // turns out to be taken is forgotten again at once.
    slot_ = PendingTemporaries::Add(dirFd_, tempBase_.c_str());
    fd_ = ::openat(dirFd_, tempBase_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                   0600);
    if (fd_ >= 0) break;
    const int error = errno;
    PendingTemporaries::Remove(slot_);
    slot_ = -1;
    tempBase_.clear();
    // Another save (or someone else) holds the name: the next one is tried.
    if (error != EEXIST || attempt >= 10000) throw EFCreateError(CreateFileMessage(name_, error));
  }
  temporary_ = directory == "." ? tempBase_ : directory + "/" + tempBase_;
}

TSafeFileStream::~TSafeFileStream() { Discard(); }

void TSafeFileStream::WriteBuffer(const void* data, size_t size) {
  if (fd_ < 0) throw EWriteError(WriteErrorMessage(name_, "the file is closed"));
  // A piece as large as the buffer goes straight to the file: an output that gathered
  // it in a buffer of its own is not copied a second time.
  if (buffer_.empty() && size >= kOutputBufferSize) {
    if (!WriteAll(fd_, static_cast<const char*>(data), size)) FailWrite(errno);
    return;
  }
  buffer_.append(static_cast<const char*>(data), size);
  if (buffer_.size() >= kOutputBufferSize) Flush();
}

void TSafeFileStream::Flush() {
  if (!WriteAll(fd_, buffer_.data(), buffer_.size())) FailWrite(errno);
  buffer_.clear();
}

void TSafeFileStream::FailWrite(int errnum) {
  // A failed write ends the save: the partial file goes at once.
  Discard();
  throw EWriteError(WriteErrorMessage(name_, errnum));
}

void TSafeFileStream::Finish() {
  if (fd_ < 0) throw EWriteError(WriteErrorMessage(name_, "the file is closed"));
  Flush();
  if (!tempBase_.empty()) Complete();
  const int closed = ::close(fd_);
  fd_ = -1;
  // A file system that writes late reports a lost write here.
  if (closed != 0 && errno != EINTR) FailWrite(errno);
  finished_ = true;
}

void TSafeFileStream::Commit() {
  if (!finished_) Finish();
  finished_ = false;  // a second Commit finds the file closed
  if (!tempBase_.empty()) {
    if (::renameat(dirFd_, tempBase_.c_str(), dirFd_, base_.c_str()) != 0) {
      const int error = errno;
      Discard();
      throw EFCreateError(CreateFileMessage(name_, error));
    }
    tempBase_.clear();
    temporary_.clear();
    SyncDirectory();
  }
  Discard();  // forgets the slot and closes the directory
}

void TSafeFileStream::SyncDirectory() {
  // The new name lives in the folder: until the folder is on the disc, a power loss can
  // bring back the earlier file. The walk's descriptor cannot be synced (it may be opened
  // for lookups only); a folder that the user may not read cannot be synced at all, and
  // the save is then as durable as the file system makes it by itself.
  const int folder = ::openat(dirFd_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return;
  const int synced = ::fsync(folder);
  const int error = errno;
  ::close(folder);
  if (synced != 0 && error != EINVAL && error != EROFS) {
    Discard();
    throw EWriteError(WriteErrorMessage(name_, error));
  }
}

void TSafeFileStream::Complete() {
  // The bytes reach the disc before the name does, so a crash cannot leave an empty file
  // under the target's name. File systems that cannot sync say EINVAL.
  if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) FailWrite(errno);
  // Owner first: changing it may clear the set-id bits that the mode then restores. Where
  // the process may not give the file away, the group alone may still be permitted.
  if (replacing_ && (owner_ != ::geteuid() || group_ != ::getegid())) {
    if (::fchown(fd_, owner_, group_) != 0) (void)::fchown(fd_, uid_t(-1), group_);
  }
  // A file system without modes refuses; the file then stays private, which is safe.
  (void)::fchmod(fd_, mode_);
  // Someone who can write the directory may have put another file at the temporary name;
  // that one must not become the target.
  struct stat mine {
  }, there{};
  if (::fstat(fd_, &mine) != 0 ||
      ::fstatat(dirFd_, tempBase_.c_str(), &there, AT_SYMLINK_NOFOLLOW) != 0 ||
      mine.st_dev != there.st_dev || mine.st_ino != there.st_ino) {
    ::close(fd_);
    fd_ = -1;
    PendingTemporaries::Remove(slot_);  // the name is no longer ours to remove
    slot_ = -1;
    tempBase_.clear();
    temporary_.clear();
    Discard();
    throw EFCreateError(CreateFileMessage(name_, EEXIST));
  }
}

void TSafeFileStream::Discard() {
  buffer_.clear();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  // Removed before it is forgotten, so a signal in between removes it at worst twice.
  if (!tempBase_.empty()) ::unlinkat(dirFd_, tempBase_.c_str(), 0);
  PendingTemporaries::Remove(slot_);
  slot_ = -1;
  tempBase_.clear();
  temporary_.clear();
  if (dirFd_ >= 0) ::close(dirFd_);
  dirFd_ = -1;
}

void TSafeFileStream::RemoveTemporariesOnSignals() { PendingTemporaries::InstallSignalHandlers(); }

}  // namespace vadidazid
