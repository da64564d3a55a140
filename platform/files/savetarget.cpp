// Resolving a save's target. Only the last part's links are followed: the directories
// on the way stay as named, which is where the temporary file must go anyway (the same
// file system as the target, so the final rename is atomic).
#include "platform/files/savetarget.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

#include "platform/exceptions.h"
#include "platform/files/ioerror.h"

namespace vadidazid {

namespace {

bool AllDigits(const std::string& text, size_t most) {
  if (text.empty() || text.size() > most) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// True for the process's own descriptor directory, however it was reached (/dev/fd and
// /proc/self are links to it): /proc/<pid>/fd or /proc/<pid>/task/<tid>/fd.
bool IsOwnDescriptorDirectory(const std::string& directory) {
  char real[PATH_MAX];
  if (::realpath(directory.c_str(), real) == nullptr) return false;
  const std::string own = "/proc/" + std::to_string(::getpid());
  const std::string path = real;
  if (path == own + "/fd") return true;
  const std::string task = own + "/task/";
  if (path.compare(0, task.size(), task) != 0 || path.size() < task.size() + 4) return false;
  const std::string rest = path.substr(task.size());
  return rest.compare(rest.size() - 3, 3, "/fd") == 0 &&
         AllDigits(rest.substr(0, rest.size() - 3), 10);
}

std::optional<int> DescriptorNamed(const std::string& path) {
  if (path == "/dev/stdout") return 1;
  if (path == "/dev/stderr") return 2;
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::nullopt;
  const std::string number = path.substr(slash + 1);
  if (!AllDigits(number, 9) || !IsOwnDescriptorDirectory(DirectoryOf(path))) {
    return std::nullopt;
  }
  return std::atoi(number.c_str());
}

}  // namespace

SaveTarget SaveTarget::Resolve(const std::string& name) {
  if (name.empty()) throw EFCreateError(CreateFileMessage(name, ENOENT));
  std::string path = name;
  // The kernel's own limit on links in a row.
  for (int hop = 0; hop <= 40; ++hop) {
    if (const auto fd = DescriptorNamed(path)) return SaveTarget{*fd, {}, {}};
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      const size_t slash = path.rfind('/');
      std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
      if (base.empty() || base == "." || base == "..") {
        throw EFCreateError(CreateFileMessage(name, EISDIR));
      }
      return SaveTarget{-1, DirectoryOf(path), std::move(base)};
    }
    std::string link(size_t(info.st_size > 0 ? info.st_size : PATH_MAX) + 1, '\0');
    const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
    if (length < 0 || size_t(length) >= link.size()) {
      throw EFCreateError(CreateFileMessage(name, length < 0 ? errno : ENAMETOOLONG));
    }
    if (length == 0) throw EFCreateError(CreateFileMessage(name, ENOENT));
    link.resize(size_t(length));
    path = link.front() == '/' ? link : DirectoryOf(path) + "/" + link;
  }
  throw EFCreateError(CreateFileMessage(name, ELOOP));
}

}  // namespace vadidazid
