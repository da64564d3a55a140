// Output files written beside their target and renamed into place when complete.
#include "cli/resultfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <vector>

#include "platform/exceptions.h"

ResultFile::ResultFile(const std::string& name, std::ostream& standardOutput)
    : name_(name), target_(name), standardOutput_(standardOutput) {
  if (name == "-") return;
  struct stat status;
  if (stat(name.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
    // A device, a pipe or a terminal holds no earlier table to protect, and a rename
    // would put a plain file in its place: it is written directly.
    descriptor_ = open(name.c_str(), O_WRONLY | O_CLOEXEC);
    if (descriptor_ < 0) throw EFCreateError("Cannot create file " + name);
    return;
  }
  // Through a link, the file it leads to is replaced and the link kept.
  if (char* resolved = realpath(name.c_str(), nullptr)) {
    target_ = resolved;
    std::free(resolved);
  }
  const size_t slash = target_.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  std::string pattern = directory + "." + base + ".XXXXXX";
  std::vector<char> path(pattern.begin(), pattern.end());
  path.push_back('\0');
  if (base.empty() || (descriptor_ = mkstemp(path.data())) < 0) {
    throw EFCreateError("Cannot create file " + name);
  }
  temporary_ = path.data();
  // mkstemp makes the file private; a result table gets the usual permissions.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(descriptor_, 0666 & ~mask);
}

ResultFile::~ResultFile() {
  if (descriptor_ >= 0) close(descriptor_);
  if (!temporary_.empty()) std::remove(temporary_.c_str());
}

void ResultFile::Write(std::string_view bytes) {
  buffer_ += bytes;
  if (buffer_.size() >= (1 << 16)) Flush();
}

void ResultFile::Flush() {
  std::string_view bytes = buffer_;
  if (name_ == "-") {
    standardOutput_.write(bytes.data(), std::streamsize(bytes.size()));
    buffer_.clear();
    if (!standardOutput_) throw EWriteError("Stream write error");
    return;
  }
  if (descriptor_ < 0) throw EWriteError("Stream write error");
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor_, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) throw EWriteError("Stream write error");
    bytes.remove_prefix(size_t(written));
  }
  buffer_.clear();
}

void ResultFile::Commit() {
  Flush();
  if (name_ == "-") {
    standardOutput_.flush();
    if (!standardOutput_) throw EWriteError("Stream write error");
    return;
  }
  if (descriptor_ < 0) throw EWriteError("Stream write error");
  const bool closed = close(descriptor_) == 0;
  descriptor_ = -1;
  if (!closed || (!temporary_.empty() && std::rename(temporary_.c_str(), target_.c_str()) != 0)) {
    throw EWriteError("Stream write error");
  }
  temporary_.clear();
}
