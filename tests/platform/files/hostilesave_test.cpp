// Saves under hostile conditions: names of open descriptors, links that point nowhere, a
// swapped temporary file, signals, limits, long names, failures that must say why. Cases
// that change the process (descriptors, signals, user, mounts) run in a forked child.
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
#include "platform/files/safefilestream.h"
#include "tests/support/files.h"

namespace vadidazid {

namespace {

namespace fs = std::filesystem;

// The child's exit code, or 1000 + the signal that ended it.
int InChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFSIGNALED(status) ? 1000 + WTERMSIG(status) : WEXITSTATUS(status);
}

// The save's failure message, or "" when it succeeded.
std::string Save(const std::string& name, const std::string& bytes,
                 SaveTargets targets = SaveTargets::kAny) {
  try {
    TSafeFileStream f(name, targets);
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
    dir_ = fs::temp_directory_path() / ("vdz_hostile_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string At(const std::string& name) const { return (dir_ / name).string(); }
  size_t Entries() const {
    return size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
  }
  fs::path dir_;
};

TEST_F(HostileSave, ADescriptorsNameWritesThroughIt) {
  // As `{ echo header; save; echo footer; } >> f.txt`: the shell's file keeps its lines.
  fs::create_symlink("/dev/stdout", At("out.link"));
  const std::pair<int, std::string> cases[] = {{1, "/dev/stdout"},  {2, "/dev/stderr"},
                                               {57, "/dev/fd/57"},  {57, "/proc/self/fd/57"},
                                               {1, At("out.link")}, {57, "/dev/./fd/57"}};
  for (const auto& [fd, name] : cases) {
    { std::ofstream(At("f.txt")) << "header\n"; }
    EXPECT_EQ(InChild([&, fd = fd, name = name] {
                const int file = ::open(At("f.txt").c_str(), O_WRONLY | O_APPEND);
                if (::dup2(file, fd) < 0 || !Save(name, "log\n").empty()) return 2;
                return ::write(fd, "footer\n", 7) == 7 ? 0 : 3;
              }),
              0)
        << name;
    EXPECT_EQ(ReadFile(At("f.txt")), "header\nlog\nfooter\n") << name;
    EXPECT_EQ(Entries(), 2u) << name;  // nothing renamed over f.txt or the link
  }
  const int reading = ::open(At("f.txt").c_str(), O_RDONLY);  // and one not open at all
  for (const std::string& name :
       {"/dev/fd/" + std::to_string(reading), std::string("/dev/fd/999")}) {
    EXPECT_EQ(Save(name, "x"),
              "Cannot create file " + name + ": no open descriptor of that number for writing");
  }
  ::close(reading);
}

TEST_F(HostileSave, TheTemporaryFileIsPrivateItsModeSetThroughItAndNeverSwapped) {
  const mode_t oldMask = ::umask(027);
  {
    TSafeFileStream f(At("new.txt"));
    EXPECT_EQ(fs::status(f.TemporaryName()).permissions(), fs::perms(0600));
    f.Commit();
  }
  ::umask(oldMask);
  EXPECT_EQ(fs::status(At("new.txt")).permissions(), fs::perms(0640));
  // A link to a victim put in at the temporary name is neither followed nor put in place.
  { std::ofstream(At("victim")) << "secret"; }
  fs::permissions(At("victim"), fs::perms(0600));
  {
    TSafeFileStream f(At("new.txt"));
    fs::rename(f.TemporaryName(), At("moved"));
    fs::create_symlink(At("victim"), f.TemporaryName());
    EXPECT_THROW(f.Commit(), EFCreateError);
  }
  EXPECT_EQ(fs::status(At("victim")).permissions(), fs::perms(0600));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(At("new.txt"))));
}

TEST_F(HostileSave, AReplacedFileKeepsItsOwnerAndGroup) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a file away";
  { std::ofstream(At("theirs.txt")) << "earlier"; }
  ASSERT_EQ(::chown(At("theirs.txt").c_str(), 65534, 65534), 0);
  EXPECT_EQ(Save(At("theirs.txt"), "new"), "");
  struct stat info {};
  ASSERT_EQ(::stat(At("theirs.txt").c_str(), &info), 0);
  EXPECT_EQ(info.st_uid + info.st_gid, 2u * 65534);
}

TEST_F(HostileSave, LinksAreFollowedEvenWhereTheirFileIsMissing) {
  fs::create_symlink("new.txt", At("dangling"));
  fs::create_symlink("missing/new.txt", At("nowhere"));
  fs::create_symlink("loop", At("loop"));
  const std::pair<const char*, const char*> cases[] = {
      {"dangling", ""},
      {"nowhere", "no such directory"},
      {"loop", "too many levels of symbolic links"}};
  for (const auto& [link, reason] : cases) {
    EXPECT_EQ(Save(At(link), "data"),
              *reason ? "Cannot create file " + At(link) + ": " + reason : "");
    EXPECT_TRUE(fs::is_symlink(At(link))) << link;
  }
  EXPECT_EQ(ReadFile(At("new.txt")), "data");
}

TEST_F(HostileSave, ALinkAnotherUserPutInASharedFolderIsNotFollowed) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a link to another user";
  // "shared" is a private stand-in for the system's temporary folder; "victim.txt" is the
  // saving user's own file that a planted link points at.
  const uid_t other = 12345;
  fs::create_directories(At("mine"));
  fs::create_directory(At("shared"));
  struct Case {
    mode_t folderMode;
    uid_t folderOwner, linkOwner;
    const char* saved;  // the name saved, in "shared"
    bool refused;
  };
  const Case cases[] = {
      {01777, 0, other, "last.txt", true},           // the last name is the link
      {01777, 0, other, "folder/victim.txt", true},  // a folder on the way is
      {01777, 0, other, "chain.txt", true},          // a link of ours leads to theirs
      {01777, 0, 0, "last.txt", false},              // the saving user's own link
      {01777, other, other, "last.txt", false},      // the folder owner's link
      {00777, 0, other, "last.txt", false},          // not sticky: no such protection
      {01775, 0, other, "last.txt", false},          // not written by everyone
  };
  for (const Case& c : cases) {
    { std::ofstream(At("mine/victim.txt")) << "secret"; }
    fs::remove_all(At("shared"));
    fs::create_directory(At("shared"));
    fs::create_symlink(At("mine/victim.txt"), At("shared/last.txt"));
    fs::create_symlink(At("mine"), At("shared/folder"));
    fs::create_symlink("last.txt", At("shared/chain.txt"));
    ASSERT_EQ(::lchown(At("shared/last.txt").c_str(), c.linkOwner, uid_t(-1)), 0);
    ASSERT_EQ(::lchown(At("shared/folder").c_str(), c.linkOwner, uid_t(-1)), 0);
    ASSERT_EQ(::chown(At("shared").c_str(), c.folderOwner, uid_t(-1)), 0);
    ASSERT_EQ(::chmod(At("shared").c_str(), c.folderMode), 0);
    const std::string name = At("shared/") + c.saved;
    EXPECT_EQ(Save(name, "new"), c.refused ? "Cannot create file " + name +
                                                 ": refusing to follow a link owned by another user"
                                           : "")
        << c.saved << " " << std::oct << c.folderMode;
    EXPECT_EQ(ReadFile(At("mine/victim.txt")), c.refused ? "secret" : "new") << c.saved;
    EXPECT_EQ(std::distance(fs::directory_iterator(At("shared")), fs::directory_iterator()), 3);
  }
}

TEST_F(HostileSave, SavesForRegularFilesOnlyRefuseOthersAndNeverWait) {
  // A FIFO with a reader that takes nothing: a save that opened it would write there.
  ASSERT_EQ(::mkfifo(At("fifo").c_str(), 0600), 0);
  const int reader = ::open(At("fifo").c_str(), O_RDONLY | O_NONBLOCK);
  fs::create_symlink("/dev/null", At("null.link"));
  int ends[2];
  ASSERT_EQ(::pipe(ends), 0);
  for (const std::string& name :
       {At("fifo"), At("null.link"), "/dev/fd/" + std::to_string(ends[1])}) {
    EXPECT_EQ(Save(name, "data", SaveTargets::kRegularFilesOnly),
              "Cannot create file " + name + ": not a regular file");
  }
  char byte;
  EXPECT_LE(::read(reader, &byte, 1), 0);  // nothing reached the FIFO
  for (int fd : {reader, ends[0], ends[1]}) ::close(fd);
}

TEST_F(HostileSave, ALongestLegalNameGetsAShorterUniqueTemporaryName) {
  const std::string name = At(std::string(255, 'n'));
  {
    TSafeFileStream first(name), second(name);
    EXPECT_EQ(fs::path(first.TemporaryName()).filename().string().size(), 255u);
    EXPECT_NE(first.TemporaryName(), second.TemporaryName());
    first.Commit();
  }
  EXPECT_TRUE(fs::exists(name));
  EXPECT_EQ(Save(name + "n", "x"), "Cannot create file " + name + "n: name too long");
}

TEST_F(HostileSave, SignalsRemoveTheTemporaryFileAndPipesAndLimitsFailTheWrite) {
  const auto saveUntil = [this](const std::function<void()>& hostile) {
    TSafeFileStream::RemoveTemporariesOnSignals();
    TSafeFileStream f(At("a.txt"));
    hostile();
    try {
      f.Write(std::string(100000, 'x'));
      f.Commit();
    } catch (const EWriteError& e) {
      return std::string(e.what()).find("file too large") != std::string::npos ? 7 : 8;
    }
    return 0;
  };
  for (int signal :
       {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGVTALRM}) {
    EXPECT_EQ(InChild([&] { return saveUntil([&] { ::raise(signal); }); }), 1000 + signal)
        << strsignal(signal);
  }
  const rlimit small{1000, 1000};
  EXPECT_EQ(InChild([&] { return saveUntil([&] { ::setrlimit(RLIMIT_FSIZE, &small); }); }), 7);
  // A signal the process was told to ignore (as nohup does) stays ignored.
  EXPECT_EQ(InChild([&] {
              return saveUntil([] {
                ::signal(SIGHUP, SIG_IGN);
                ::raise(SIGHUP);
              });
            }),
            0);
  EXPECT_EQ(Entries(), 1u);
  EXPECT_EQ(InChild([] {
              int ends[2];
              TSafeFileStream::RemoveTemporariesOnSignals();
              if (::pipe(ends) != 0 || ::dup2(ends[1], 58) < 0 || ::close(ends[0]) != 0) return 2;
              return Save("/dev/fd/58", "x") == "Stream write error (/dev/fd/58): broken pipe" ? 0
                                                                                               : 3;
            }),
            0);
}

TEST_F(HostileSave, AFailedSaveSaysWhy) {
  // A private tmpfs of 64 KiB, then read-only, and a user who may not write the directory.
  const std::string tiny = At("tiny"), name = tiny + "/a.txt";
  fs::create_directory(tiny);
  const int mounted = InChild([&] {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("none", tiny.c_str(), "tmpfs", 0, "size=64k") != 0) {
      return 77;
    }
    if (Save(name, std::string(1 << 20, 'x')) !=
        "Stream write error (" + name + "): no space left on the device") {
      return 1;
    }
    ::mount("none", tiny.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
    return Save(name, "x") == "Cannot create file " + name + ": read-only file system" ? 0 : 2;
  });
  EXPECT_TRUE(mounted == 0 || mounted == 77) << mounted;  // 77: no private mounts here
  EXPECT_EQ(InChild([&] {
              if (::geteuid() == 0 && ::setuid(65534) != 0) return 77;
              return Save(name, "x") == "Cannot create file " + name + ": permission denied" ? 0
                                                                                             : 1;
            }),
            0);
}

}  // namespace

}  // namespace vadidazid
