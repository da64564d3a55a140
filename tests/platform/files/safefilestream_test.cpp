// Safe saves: nothing is replaced before the new file is complete, a failure keeps the
// earlier file and leaves no temporary file, and devices are written in place.
#include "platform/files/safefilestream.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/exceptions.h"
#include "tests/support/files.h"
#include "tests/support/filesizelimit.h"

namespace vadidazid {

namespace {

namespace fs = std::filesystem;

class SafeFileStreamTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("vdz_safefile_" + std::to_string(::getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string PathOf(const char* name) const { return (dir_ / name).string(); }
  void Put(const char* name, const std::string& bytes) {
    TSafeFileStream f(PathOf(name));
    f.Write(bytes);
    f.Commit();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_;
};

TEST_F(SafeFileStreamTest, TheFileAppearsOnlyWhenCommitted) {
  Put("a.txt", "earlier");
  ::chmod(PathOf("a.txt").c_str(), 0640);
  {
    TSafeFileStream f(PathOf("a.txt"));
    f.Write("new ");
    f.Write("content");
    EXPECT_EQ(ReadFile(PathOf("a.txt")), "earlier");
    ASSERT_FALSE(f.TemporaryName().empty());
    EXPECT_EQ(fs::path(f.TemporaryName()).parent_path(), dir_);
    f.Commit();
    EXPECT_TRUE(f.TemporaryName().empty());
  }
  EXPECT_EQ(ReadFile(PathOf("a.txt")), "new content");
  EXPECT_EQ(fs::status(PathOf("a.txt")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});
}

TEST_F(SafeFileStreamTest, AStreamDroppedOrFailingKeepsTheEarlierFile) {
  Put("a.txt", "earlier");
  {
    TSafeFileStream dropped(PathOf("a.txt"));
    dropped.Write("half");
  }
  EXPECT_EQ(ReadFile(PathOf("a.txt")), "earlier");
  EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});

  FileSizeLimit limit(1000);
  TSafeFileStream f(PathOf("a.txt"));
  try {
    f.Write(std::string(100000, 'x'));
    f.Commit();
    FAIL() << "a write past the size limit succeeded";
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.what(), "Stream write error (" + PathOf("a.txt") + "): file too large");
  }
  EXPECT_EQ(ReadFile(PathOf("a.txt")), "earlier");
  EXPECT_EQ(Names(), std::vector<std::string>{"a.txt"});
}

TEST_F(SafeFileStreamTest, TargetsThatCannotBeCreatedAreNamed) {
  fs::create_directory(PathOf("dir.txt"));
  const std::pair<std::string, const char*> cases[] = {
      {PathOf("missing/a.txt"), "no such directory"}, {PathOf("dir.txt"), "is a directory"}};
  for (const auto& [name, reason] : cases) {
    try {
      TSafeFileStream f(name);
      f.Write("x");
      f.Commit();
      ADD_FAILURE() << name << " was written";
    } catch (const EFCreateError& e) {
      EXPECT_EQ(e.what(), "Cannot create file " + name + ": " + reason);
    }
  }
  EXPECT_EQ(Names(), std::vector<std::string>{"dir.txt"});
  EXPECT_TRUE(fs::is_empty(PathOf("dir.txt")));
}

TEST_F(SafeFileStreamTest, ALinkKeepsPointingAtTheReplacedFile) {
  Put("real.txt", "earlier");
  fs::create_symlink(PathOf("real.txt"), PathOf("link.txt"));
  Put("link.txt", "through the link");
  EXPECT_TRUE(fs::is_symlink(PathOf("link.txt")));
  EXPECT_EQ(ReadFile(PathOf("real.txt")), "through the link");
  EXPECT_EQ(Names(), (std::vector<std::string>{"link.txt", "real.txt"}));
}

TEST_F(SafeFileStreamTest, ADeviceIsWrittenInPlace) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TSafeFileStream f("/dev/full");
  EXPECT_TRUE(f.TemporaryName().empty());
  EXPECT_THROW(
      {
        f.Write(std::string(100000, 'x'));
        f.Commit();
      },
      EWriteError);
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(SafeFileStreamTest, ASignalRemovesTheTemporaryFile) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  EXPECT_EXIT(
      {
        TSafeFileStream::RemoveTemporariesOnSignals();
        TSafeFileStream f(PathOf("a.txt"));
        f.Write("part");
        std::raise(SIGTERM);
      },
      testing::KilledBySignal(SIGTERM), "");
  EXPECT_TRUE(Names().empty());
}

}  // namespace

}  // namespace vadidazid
