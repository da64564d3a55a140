// Tests of the file stream: exact bytes, replacing an existing file, and the error texts
// for a file that cannot be created and for writes that do not reach the disk.
#include "platform/files/filestream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/exceptions.h"

namespace vadidazid {

namespace {

namespace fs = std::filesystem;

class FileStreamTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("vdz_filestream_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string PathOf(const char* name) const { return (dir_ / name).string(); }

  static std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  fs::path dir_;
};

TEST_F(FileStreamTest, WritesExactBytes) {
  const std::string path = PathOf("log.txt");
  const std::string content =
      std::string("line one\r\n\x9C\xB9\xBF\r\n") + std::string(1, '\0') + "end\n";
  {
    TFileStream stream(path);
    stream.Write(content.substr(0, 5));
    stream.Write("");
    stream.WriteBuffer(content.data() + 5, content.size() - 5);
    stream.Close();
  }
  EXPECT_EQ(ReadAll(path), content);
}

TEST_F(FileStreamTest, ReplacesAnExistingLongerFile) {
  const std::string path = PathOf("old.txt");
  {
    std::ofstream old(path, std::ios::binary);
    old << std::string(1000, 'x');
  }
  TFileStream stream(path);
  stream.Write("new");
  stream.Close();
  EXPECT_EQ(ReadAll(path), "new");
}

TEST_F(FileStreamTest, DestructorClosesAndKeepsTheData) {
  const std::string path = PathOf("quiet.txt");
  { TFileStream(path).Write("kept"); }
  EXPECT_EQ(ReadAll(path), "kept");
}

TEST_F(FileStreamTest, CreateFailureNamesTheFile) {
  const struct {
    std::string name;
    const char* reason;
  } cases[] = {{"/nonexistent-dir/x.txt", "no such directory"}, {PathOf(""), "is a directory"}};
  for (const auto& c : cases) {
    try {
      TFileStream stream(c.name);
      FAIL() << "created " << c.name;
    } catch (const EFCreateError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot create file " + c.name + ": " + c.reason);
    }
  }
}

TEST_F(FileStreamTest, WriteAfterCloseIsAWriteError) {
  TFileStream stream(PathOf("closed.txt"));
  stream.Close();
  stream.Close();  // a second close has nothing left to do
  EXPECT_THROW(stream.Write("late"), EWriteError);
}

TEST_F(FileStreamTest, FullDeviceFailsTheWriteOrTheClose) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  {
    // Small enough to sit in the buffer: the failure shows when Close flushes it.
    TFileStream stream("/dev/full");
    stream.Write("x");
    try {
      stream.Close();
      FAIL() << "close reported success";
    } catch (const EWriteError& e) {
      EXPECT_STREQ(e.what(), "Stream write error (/dev/full): no space left on the device");
    }
  }
  {
    TFileStream stream("/dev/full");
    const std::vector<char> big(1 << 20, 'y');
    EXPECT_THROW(stream.WriteBuffer(big.data(), big.size()), EWriteError);
  }
}

}  // namespace

}  // namespace vadidazid
