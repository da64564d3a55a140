// A cap on the size of files this process writes, for making saves fail part-way on a
// disk that has room: writes past the cap fail (EFBIG) instead of raising SIGXFSZ. The
// old limit and signal action come back when the cap goes out of scope.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace vadidazid {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit capped = old_;
    capped.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &capped);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldSignal_)(int) = nullptr;
};

}  // namespace vadidazid
