// Saves under hostile conditions: names that stand for open descriptors, links that point
// nowhere, a temporary file someone swaps, signals and resource limits, long names,
// failures that must say why. Cases that change the process (its descriptors, signals,
// user or mounts) run in a forked child and report through its exit status.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/exceptions.h"
#include "platform/safefilestream.h"
#include "tests/support/files.h"

namespace {

namespace fs = std::filesystem;

// The child's status: its exit code, or 1000 + the signal that ended it.
int InChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int code = 99;
    try {
      code = body();
    } catch (...) {
      code = 98;
    }
    ::_exit(code);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? 1000 + WTERMSIG(status) : WEXITSTATUS(status);
}

// The save's failure message, or "" when it succeeded.
std::string Save(const std::string& name, const std::string& bytes) {
  try {
    TSafeFileStream f(name);
    f.Write(bytes);
    f.Commit();
  } catch (const Exception& e) {
    return e.what();
  }
  return "";
}

class HostileSave : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vdz_hostile_" + std::to_string(::getpid()) + "_" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
  size_t Entries() const {
    return size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }

  fs::path dir_;
};

TEST_F(HostileSave, ADescriptorsNameWritesThroughIt) {
  // As `{ echo header; save; echo footer; } >> f.txt`: the shell's file keeps its lines.
  const struct {
    int fd;
    std::string name;
  } cases[] = {{1, "/dev/stdout"},      {2, "/dev/stderr"},        {57, "/dev/fd/57"},
               {57, "/proc/self/fd/57"}, {1, PathOf("out.link")}, {57, "/dev/./fd/57"}};
  fs::create_symlink("/dev/stdout", PathOf("out.link"));
  for (const auto& c : cases) {
    const std::string file = PathOf("f.txt");
    { std::ofstream(file) << "header\n"; }
    const int status = InChild([&] {
      const int fd = ::open(file.c_str(), O_WRONLY | O_APPEND);
      if (fd < 0 || ::dup2(fd, c.fd) < 0) return 2;
      if (!Save(c.name, "log\n").empty()) return 3;
      return ::write(c.fd, "footer\n", 7) == 7 ? 0 : 4;
    });
    EXPECT_EQ(status, 0) << c.name;
    EXPECT_EQ(ReadFile(file), "header\nlog\nfooter\n") << c.name;
    EXPECT_EQ(Entries(), 2u) << c.name;  // f.txt and the link, nothing renamed over them
  }
  // Descriptors that cannot take the bytes: not open, open for reading only.
  const int reading = ::open(PathOf("f.txt").c_str(), O_RDONLY);
  for (const std::string& name : {std::string("/dev/fd/999"), "/dev/fd/" + std::to_string(reading)}) {
    EXPECT_EQ(Save(name, "x"), "Cannot create file " + name +
                                   ": no open descriptor of that number for writing");
  }
  ::close(reading);
}

TEST_F(HostileSave, TheTemporaryFileIsPrivateAndItsModeSetThroughIt) {
  const mode_t oldMask = ::umask(027);
  {
    TSafeFileStream f(PathOf("new.txt"));
    struct stat info {};
    ASSERT_EQ(::stat(f.TemporaryName().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);  // while written, others see nothing
    f.Write("x");
    f.Commit();
  }
  ::umask(oldMask);
  EXPECT_EQ(fs::status(PathOf("new.txt")).permissions(), fs::perms(0640));

  // Someone who can write the directory swaps a link to a victim in at the temporary
  // name: the victim is neither changed nor put in the target's place.
  { std::ofstream(PathOf("victim")) << "secret"; }
  ::chmod(PathOf("victim").c_str(), 0600);
  {
    TSafeFileStream f(PathOf("new.txt"));
    f.Write("mine");
    fs::rename(f.TemporaryName(), PathOf("moved"));
    fs::create_symlink(PathOf("victim"), f.TemporaryName());
    EXPECT_THROW(f.Commit(), EFCreateError);
  }
  EXPECT_EQ(fs::status(PathOf("victim")).permissions(), fs::perms(0600));
  EXPECT_EQ(ReadFile(PathOf("new.txt")), "x");
  EXPECT_FALSE(fs::is_symlink(PathOf("new.txt")));
}

TEST_F(HostileSave, AReplacedFileKeepsItsOwnerAndGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a file away";
  { std::ofstream(PathOf("theirs.txt")) << "earlier"; }
  ASSERT_EQ(::chown(PathOf("theirs.txt").c_str(), 65534, 65534), 0);
  EXPECT_EQ(Save(PathOf("theirs.txt"), "new"), "");
  struct stat info {};
  ASSERT_EQ(::stat(PathOf("theirs.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, 65534u);
  EXPECT_EQ(info.st_gid, 65534u);
  EXPECT_EQ(ReadFile(PathOf("theirs.txt")), "new");
}

TEST_F(HostileSave, LinksAreFollowedEvenWhereTheirFileIsMissing) {
  fs::create_symlink("new.txt", PathOf("dangling"));
  fs::create_symlink("missing/new.txt", PathOf("nowhere"));
  fs::create_symlink("loop2", PathOf("loop1"));
  fs::create_symlink("loop1", PathOf("loop2"));
  const struct {
    const char* link;
    const char* message;  // after "Cannot create file <link>: "; "" for success
  } cases[] = {{"dangling", ""},
               {"nowhere", "no such directory"},
               {"loop1", "too many levels of symbolic links"}};
  for (const auto& c : cases) {
    const std::string result = Save(PathOf(c.link), "data");
    EXPECT_EQ(result, *c.message ? "Cannot create file " + PathOf(c.link) + ": " + c.message : "");
    EXPECT_TRUE(fs::is_symlink(PathOf(c.link))) << c.link;
  }
  EXPECT_EQ(ReadFile(PathOf("new.txt")), "data");
  EXPECT_EQ(Entries(), 5u);
}

TEST_F(HostileSave, ALongestLegalNameGetsAShorterTemporaryName) {
  std::string letters = "a";  // and 127 two-byte letters: 255 bytes
  for (int i = 0; i < 127; ++i) letters += "\xC3\xA9";
  for (const std::string& name : {std::string(255, 'n'), letters}) {
    TSafeFileStream first(PathOf(name)), second(PathOf(name));
    const std::string temporary = fs::path(first.TemporaryName()).filename().string();
    EXPECT_LE(temporary.size(), 255u);
    EXPECT_EQ(temporary[0], '.');
    EXPECT_NE(first.TemporaryName(), second.TemporaryName());
    // Cut between letters, not inside one: the byte before the suffix starts no letter.
    EXPECT_NE(static_cast<unsigned char>(temporary[temporary.find(".~") - 1]), 0xC3u);
    first.Write("first");
    first.Commit();
    EXPECT_EQ(ReadFile(PathOf(name)), "first");
  }
  EXPECT_EQ(Save(PathOf(std::string(256, 'n')), "x"),
            "Cannot create file " + PathOf(std::string(256, 'n')) + ": name too long");
}

TEST_F(HostileSave, SignalsThatEndTheProcessRemoveTheTemporaryFile) {
  { std::ofstream(PathOf("a.txt")) << "earlier"; }
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGALRM, SIGUSR1, SIGUSR2,
                     SIGXCPU, SIGVTALRM}) {
    const int status = InChild([&] {
      TSafeFileStream::RemoveTemporariesOnSignals();
      TSafeFileStream f(PathOf("a.txt"));
      f.Write("part");
      ::raise(signal);
      return 0;
    });
    EXPECT_EQ(status, 1000 + signal) << strsignal(signal);
    EXPECT_EQ(Entries(), 1u) << strsignal(signal);
  }
  // A signal the process was told to ignore (as nohup does) stays ignored.
  EXPECT_EQ(InChild([] {
              ::signal(SIGHUP, SIG_IGN);
              TSafeFileStream::RemoveTemporariesOnSignals();
              ::raise(SIGHUP);
              return 0;
            }),
            0);
  EXPECT_EQ(ReadFile(PathOf("a.txt")), "earlier");
}

TEST_F(HostileSave, AClosedPipeOrASizeLimitFailsTheWriteInstead) {
  const struct {
    const char* what;
    std::function<std::string()> save;
    const char* reason;
  } cases[] = {
      {"closed pipe",
       [] {
         int ends[2];
         if (::pipe(ends) != 0 || ::dup2(ends[1], 58) < 0) return std::string("no pipe");
         ::close(ends[0]);
         return Save("/dev/fd/58", "x");
       },
       "Stream write error (/dev/fd/58): broken pipe"},
      {"size limit",
       [this] {
         const rlimit limit{1000, 1000};
         ::setrlimit(RLIMIT_FSIZE, &limit);
         return Save(PathOf("big.txt"), std::string(100000, 'x'));
       },
       ""},
  };
  for (const auto& c : cases) {
    const std::string expected =
        *c.reason ? c.reason : "Stream write error (" + PathOf("big.txt") + "): file too large";
    const int status = InChild([&] {
      TSafeFileStream::RemoveTemporariesOnSignals();
      return c.save() == expected ? 0 : 5;
    });
    EXPECT_EQ(status, 0) << c.what;
  }
  EXPECT_EQ(Entries(), 0u);
}

TEST_F(HostileSave, AFailedSaveSaysWhy) {
  // A private tmpfs of 64 KiB, later read-only, and a user who may not write the
  // directory; each in a child so the mount and the user go with it.
  const std::string tiny = PathOf("tiny");
  fs::create_directory(tiny);
  const int mounted = InChild([&] {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("none", tiny.c_str(), "tmpfs", 0, "size=64k") != 0) {
      return 77;
    }
    const std::string name = tiny + "/a.txt";
    if (Save(name, std::string(1 << 20, 'x')) !=
        "Stream write error (" + name + "): no space left on the device") {
      return 1;
    }
    if (::mount("none", tiny.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) return 77;
    return Save(name, "x") == "Cannot create file " + name + ": read-only file system" ? 0 : 2;
  });
  if (mounted == 77) GTEST_SKIP() << "cannot mount a private tmpfs here";
  EXPECT_EQ(mounted, 0);
  EXPECT_EQ(InChild([&] {
              if (::geteuid() == 0 && ::setuid(65534) != 0) return 77;
              const std::string name = PathOf("a.txt");
              return Save(name, "x") == "Cannot create file " + name + ": permission denied" ? 0 : 1;
            }),
            0);
}

}  // namespace
