// Safe saves over POSIX files: a temporary file next to the target, renamed over it once
// complete. A rename within one directory is atomic, so a reader (or a crash) sees the
// old file or the new one, never a part.
#include "platform/safefilestream.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>

#include "platform/exceptions.h"
#include "platform/filestream.h"

namespace {

namespace fs = std::filesystem;

// Temporary files still open, for the signal handler: it may only read what it finds
// here, so the names are plain pointers into the streams' own strings.
constexpr int kSlots = 16;
std::atomic<const char*> pendingFiles[kSlots];

int Register(const char* name) {
  for (int i = 0; i < kSlots; ++i) {
    const char* expected = nullptr;
    if (pendingFiles[i].compare_exchange_strong(expected, name)) return i;
  }
  return -1;  // more open saves than slots: that file is just not cleaned on a signal
}

extern "C" void RemovePendingAndDie(int signal) {
  for (auto& slot : pendingFiles) {
    if (const char* name = slot.load()) ::unlink(name);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

std::string CreateError(const std::string& target) { return "Cannot create file " + target; }

}  // namespace

TSafeFileStream::TSafeFileStream(const std::string& fileName)
    : name_(fileName), target_(fileName) {
  struct stat info {};
  const bool exists = ::stat(fileName.c_str(), &info) == 0;
  // A directory, or a file the user may not write, could not be created in its place;
  // a rename would replace a write-protected file all the same.
  if (exists && (S_ISDIR(info.st_mode) || ::access(fileName.c_str(), W_OK) != 0)) {
    throw EFCreateError(CreateError(fileName));
  }
  if (exists && !S_ISREG(info.st_mode)) {
    stream_ = std::make_unique<TFileStream>(fileName);
    return;
  }
  // Through a link the file it points to is replaced, not the link.
  fs::path place = fileName;
  std::error_code ignored;
  if (exists && fs::is_symlink(place, ignored)) place = fs::canonical(place, ignored);
  const fs::path dir = place.parent_path();
  std::string stem = ".";
  stem += place.filename().string();
  stem += ".~";
  stem += std::to_string(::getpid());
  // Another save of ours may hold a name; the first free one is taken.
  struct stat taken {};
  int attempt = 0;
  do {
    temporary_ = (dir / (stem + "-" + std::to_string(attempt++) + ".tmp")).string();
  } while (::lstat(temporary_.c_str(), &taken) == 0);
  try {
    stream_ = std::make_unique<TFileStream>(temporary_, TFileMode::fmCreateNew);
  } catch (const EFCreateError&) {
    temporary_.clear();
    throw EFCreateError(CreateError(fileName));
  }
  slot_ = Register(temporary_.c_str());
  target_ = place.string();
  // A replaced file keeps its permissions, as one rewritten in place would.
  if (exists) ::chmod(temporary_.c_str(), info.st_mode & 07777);
}

TSafeFileStream::~TSafeFileStream() { Discard(); }

void TSafeFileStream::WriteBuffer(const void* data, size_t size) {
  if (!stream_) throw EWriteError("Stream write error");
  // A failed write ends the save: the partial file goes at once.
  try {
    stream_->WriteBuffer(data, size);
  } catch (...) {
    Discard();
    throw;
  }
}

void TSafeFileStream::Commit() {
  if (!stream_) throw EWriteError("Stream write error");
  try {
    stream_->Close();
  } catch (...) {
    Discard();
    throw;
  }
  stream_.reset();
  if (temporary_.empty()) return;
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    Discard();
    throw EFCreateError(CreateError(name_));
  }
  if (slot_ >= 0) pendingFiles[slot_].store(nullptr);
  slot_ = -1;
  temporary_.clear();
}

void TSafeFileStream::Discard() {
  stream_.reset();
  if (slot_ >= 0) pendingFiles[slot_].store(nullptr);
  slot_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

void TSafeFileStream::RemoveTemporariesOnSignals() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal, RemovePendingAndDie);
}
