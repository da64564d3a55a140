// Resolving a save's target by walking its name from folder to folder. The temporary
// file goes into the folder found, beside the target (the same file system, so the final
// rename is atomic).
#include "platform/files/savetarget.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/exceptions.h"
#include "platform/files/ioerror.h"

namespace vadidazid {

namespace {

#ifdef O_PATH
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;  // needs no read right
#else
constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
#endif

// The kernel's own limit on links followed in one name.
constexpr int kMostLinks = 40;

bool AllDigits(const std::string& text, size_t most) {
  if (text.empty() || text.size() > most) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// True for the process's own descriptor folder, however it was reached (/dev/fd and
// /proc/self are links to it): /proc/<pid>/fd or /proc/<pid>/task/<tid>/fd.
bool IsOwnDescriptorFolder(const std::string& path) {
  const std::string own = "/proc/" + std::to_string(::getpid());
  if (path == own + "/fd") return true;
  const std::string task = own + "/task/";
  if (path.compare(0, task.size(), task) != 0 || path.size() < task.size() + 4) return false;
  const std::string rest = path.substr(task.size());
  return rest.compare(rest.size() - 3, 3, "/fd") == 0 &&
         AllDigits(rest.substr(0, rest.size() - 3), 10);
}

// One walk over a name: the folder reached, the parts still to go (the next one last)
// and the links followed so far.
class Walk {
 public:
  explicit Walk(const std::string& name) : name_(name) {
    Start(name.front() == '/');
    Push(name);
  }
  ~Walk() {
    if (folder_ >= 0) ::close(folder_);
  }
  Walk(const Walk&) = delete;
  Walk& operator=(const Walk&) = delete;

  [[noreturn]] void Fail(int errnum) const {
    throw EFCreateError(CreateFileMessage(name_, errnum));
  }
  bool Done() const { return parts_.empty(); }
  std::string Next() {
    std::string part = std::move(parts_.back());
    parts_.pop_back();
    return part;
  }
  int Folder() const { return folder_; }
  int TakeFolder() { return std::exchange(folder_, -1); }
  std::string FolderName() const {
    if (shown_.empty()) return ".";
    return shown_ == "/" ? shown_ : shown_.substr(0, shown_.size() - 1);
  }

  // A last part of digits in the process's own descriptor folder names that descriptor.
  bool NamesOwnDescriptor(const std::string& part) const {
    if (!AllDigits(part, 9)) return false;
    char path[PATH_MAX];
    const std::string self = "/proc/self/fd/" + std::to_string(folder_);
    const ssize_t length = ::readlink(self.c_str(), path, sizeof path - 1);
    return length > 0 && IsOwnDescriptorFolder(std::string(path, size_t(length)));
  }

  // Goes into the folder `part` of the current one, or follows the link of that name.
  void Enter(const std::string& part) {
    struct stat info {};
    if (::fstatat(folder_, part.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) Fail(errno);
    if (S_ISLNK(info.st_mode)) {
      Follow(part, info, false);
      return;
    }
    if (!S_ISDIR(info.st_mode)) Fail(ENOTDIR);
    // Without following a link: one put there since the look above fails here.
    const int next = ::openat(folder_, part.c_str(), kFolderFlags);
    if (next < 0) Fail(errno);
    ::close(folder_);
    folder_ = next;
    shown_ += part;
    shown_ += '/';
  }

  // Puts the link's text in the place of its name, after the check that the system's
  // protection of shared folders would make.
  void Follow(const std::string& part, const struct stat& link, bool last) {
    if (++links_ > kMostLinks) Fail(ELOOP);
    struct stat here {};
    if (::fstat(folder_, &here) != 0) Fail(errno);
    constexpr mode_t kShared = S_ISVTX | S_IWOTH;
    if ((here.st_mode & kShared) == kShared && link.st_uid != ::geteuid() &&
        link.st_uid != here.st_uid) {
      throw EFCreateError(
          CreateFileMessage(name_, std::string("refusing to follow a link owned by another user")));
    }
    std::string text(size_t(link.st_size > 0 ? link.st_size : PATH_MAX) + 1, '\0');
    const ssize_t length = ::readlinkat(folder_, part.c_str(), text.data(), text.size());
    if (length < 0 || size_t(length) >= text.size()) Fail(length < 0 ? errno : ENAMETOOLONG);
    if (length == 0) Fail(ENOENT);
    text.resize(size_t(length));
    // A link to a folder (its text ends in a slash) cannot take the file.
    if (last && text.back() == '/') Fail(EISDIR);
    if (text.front() == '/') Start(true);
    Push(text);
  }

 private:
  void Start(bool absolute) {
    const int root = ::open(absolute ? "/" : ".", kFolderFlags);
    if (root < 0) Fail(errno);
    if (folder_ >= 0) ::close(folder_);
    folder_ = root;
    shown_.assign(absolute ? 1 : 0, '/');
  }
  // Puts the parts of `path` before those still to go; empty parts (a//b) are none.
  void Push(const std::string& path) {
    size_t end = path.size();
    while (end > 0) {
      const size_t slash = path.rfind('/', end - 1);
      const size_t begin = slash == std::string::npos ? 0 : slash + 1;
      if (end > begin) parts_.push_back(path.substr(begin, end - begin));
      if (slash == std::string::npos) break;
      end = slash;
    }
  }

  const std::string& name_;
  int folder_ = -1;
  std::string shown_;               // the folders walked, each followed by '/'
  std::vector<std::string> parts_;  // still to walk, the next one last
  int links_ = 0;
};

}  // namespace

SaveTarget SaveTarget::Resolve(const std::string& name) {
  if (name.empty()) throw EFCreateError(CreateFileMessage(name, ENOENT));
  if (name == "/dev/stdout" || name == "/dev/stderr") {
    SaveTarget target;
    target.descriptor = name == "/dev/stdout" ? 1 : 2;
    return target;
  }
  // A name ending in a slash names a folder, which a file cannot replace.
  if (name.back() == '/') throw EFCreateError(CreateFileMessage(name, EISDIR));
  Walk walk(name);
  for (;;) {
    if (walk.Done()) walk.Fail(EISDIR);  // the name leads to a folder
    std::string part = walk.Next();
    if (!walk.Done()) {
      if (part != ".") walk.Enter(part);
      continue;
    }
    if (part == "." || part == "..") walk.Fail(EISDIR);
    SaveTarget target;
    if (walk.NamesOwnDescriptor(part)) {
      target.descriptor = std::atoi(part.c_str());
      return target;
    }
    struct stat info {};
    if (::fstatat(walk.Folder(), part.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISLNK(info.st_mode)) {
      walk.Follow(part, info, true);
      continue;
    }
    // Missing (or not to be looked at): the save itself creates it or says why not.
    target.directoryName = walk.FolderName();
    target.directory = walk.TakeFolder();
    target.base = std::move(part);
    return target;
  }
}

SaveTarget::SaveTarget(SaveTarget&& other) noexcept
    : descriptor(other.descriptor),
      directory(std::exchange(other.directory, -1)),
      directoryName(std::move(other.directoryName)),
      base(std::move(other.base)) {}

SaveTarget& SaveTarget::operator=(SaveTarget&& other) noexcept {
  if (this != &other) {
    if (directory >= 0) ::close(directory);
    descriptor = other.descriptor;
    directory = std::exchange(other.directory, -1);
    directoryName = std::move(other.directoryName);
    base = std::move(other.base);
  }
  return *this;
}

SaveTarget::~SaveTarget() {
  if (directory >= 0) ::close(directory);
}

int SaveTarget::TakeDirectory() { return std::exchange(directory, -1); }

}  // namespace vadidazid
