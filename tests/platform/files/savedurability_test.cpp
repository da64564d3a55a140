// The order in which a save reaches the disc: the file's bytes (fsync of the file), then
// its name (the rename), then the folder that holds the name (fsync of the folder), so
// that a power loss at any moment leaves the earlier file or the complete new one. This
// executable defines fsync and renameat itself, in front of the C library's, and so sees
// every such call a save makes.
#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "platform/files/safefilestream.h"
#include "tests/support/files.h"

namespace {

struct Call {
  std::string what;
  ino_t inode;  // of the file synced or renamed, or of the folder synced
  bool operator==(const Call& other) const { return what == other.what && inode == other.inode; }
  friend void PrintTo(const Call& call, std::ostream* out) {
    *out << call.what << " " << call.inode;
  }
};

std::vector<Call>* recording = nullptr;

void RecordSync(int fd) {
  struct stat info {};
  if (recording == nullptr || ::fstat(fd, &info) != 0) return;
  recording->push_back({S_ISDIR(info.st_mode) ? "sync folder" : "sync file", info.st_ino});
}

template <typename Function>
Function Real(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int fsync(int fd) {
  static const auto real = Real<int (*)(int)>("fsync");
  RecordSync(fd);
  return real(fd);
}

extern "C" int renameat(int fromFolder, const char* from, int toFolder, const char* to) {
  static const auto real = Real<int (*)(int, const char*, int, const char*)>("renameat");
  struct stat info {};
  if (recording != nullptr && ::fstatat(fromFolder, from, &info, AT_SYMLINK_NOFOLLOW) == 0) {
    recording->push_back({"rename", info.st_ino});
  }
  return real(fromFolder, from, toFolder, to);
}

namespace vadidazid {

namespace {

namespace fs = std::filesystem;

ino_t InodeOf(const fs::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST(SaveDurability, TheFileIsSyncedThenRenamedThenItsFolderSynced) {
  const fs::path dir = fs::temp_directory_path() / ("vdz_durable_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "sub");
  fs::create_symlink("sub/linked.txt", dir / "link.txt");
  { std::ofstream(dir / "old.txt") << "earlier"; }
  struct Case {
    const char* name;
    const char* file;  // where the bytes end
  };
  const Case cases[] = {
      {"new.txt", "new.txt"}, {"old.txt", "old.txt"}, {"link.txt", "sub/linked.txt"}};
  for (const Case& c : cases) {
    std::vector<Call> calls;
    recording = &calls;
    {
      TSafeFileStream f((dir / c.name).string());
      f.Write("bytes");
      f.Commit();
    }
    recording = nullptr;
    const ino_t file = InodeOf(dir / c.file);
    const std::vector<Call> expected = {{"sync file", file},
                                        {"rename", file},
                                        {"sync folder", InodeOf((dir / c.file).parent_path())}};
    EXPECT_EQ(calls, expected) << c.name;
    EXPECT_EQ(ReadFile((dir / c.file).string()), "bytes");
  }
  fs::remove_all(dir);
}

}  // namespace

}  // namespace vadidazid
