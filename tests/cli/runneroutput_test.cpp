// The runner's --out file appears only when the run has finished: a refused set-up or a
// failing write leaves an earlier file as it was and no temporary file beside it.
#include "cli/runner.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "pictures/chartpicture.h"
#include "tests/support/files.h"
#include "tests/support/filesizelimit.h"

namespace vadidazid {

namespace {

namespace fs = std::filesystem;

TEST(RunnerOutput, AnEarlierFileSurvivesEveryFailedRun) {
  const fs::path dir = fs::temp_directory_path() / ("vdz_runner_out_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string good = (dir / "good.txt").string();
  std::ostringstream out, err;
  ASSERT_EQ(RunSimulator({"--step-limit", "3", "--out", good}, out, err), 0);
  const std::string saved = ReadFile(good);
  ASSERT_FALSE(saved.empty());

  // Refused at set-up.
  EXPECT_EQ(RunSimulator({"--out", good, "--mean", "-1e9", "--deviation", "0"}, out, err), 2);
  EXPECT_EQ(ReadFile(good), saved);
  {
    // A log far longer than the files this process may write.
    FileSizeLimit limit(saved.size() + 100);
    EXPECT_EQ(RunSimulator({"--steps", "5000", "--out", good}, out, err), 1);
  }
  EXPECT_NE(err.str().find("Stream write error"), std::string::npos) << err.str();
  EXPECT_EQ(ReadFile(good), saved);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  fs::remove_all(dir);
}

TEST(RunnerOutput, PictureWithoutADisplay) {
  const fs::path dir = fs::temp_directory_path() / ("vdz_runner_pic_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string picture = (dir / "chart.bmp").string();
  std::ostringstream out, err;
  if (!ChartPicturesAvailable()) {
    // A runner without Qt says so and writes nothing.
    EXPECT_EQ(RunSimulator({"--step-limit", "3", "--picture", picture}, out, err), 1);
    EXPECT_NE(err.str().find("built without Qt, no pictures"), std::string::npos) << err.str();
    EXPECT_FALSE(fs::exists(picture));
    fs::remove_all(dir);
    return;
  }
  ASSERT_EQ(RunSimulator({"--step-limit", "3", "--picture", picture}, out, err), 0) << err.str();
  const std::string bytes = ReadFile(picture);
  EXPECT_EQ(bytes.size(), 348186u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(err.str(), "");

  const std::string missing = (dir / "no" / "chart.bmp").string();
  EXPECT_EQ(RunSimulator({"--picture", missing}, out, err), 1);
  EXPECT_NE(err.str().find("Cannot create file " + missing), std::string::npos) << err.str();
  EXPECT_EQ(RunSimulator({"--picture"}, out, err), 2);
  EXPECT_NE(SimulatorUsage().find("--picture FILE"), std::string::npos);
  fs::remove_all(dir);
}

TEST(RunnerOutput, NoOutputReplacesItsFileUnlessAllAreWritten) {
  const fs::path dir = fs::temp_directory_path() / ("vdz_runner_all_" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const std::string log = (dir / "keep.txt").string(), picture = (dir / "chart.bmp").string();
  std::ostringstream out, err;
  ASSERT_EQ(RunSimulator({"--steps", "2", "--out", log}, out, err), 0) << err.str();
  const std::string saved = ReadFile(log);
  struct Case {
    std::vector<std::string> args;
    size_t fileSizeLimit;  // 0: none
    const char* message;
  };
  const Case cases[] = {
      // Refused before the first step: a run of a million steps would show it only after.
      {{"--steps", "1000000", "--out", log, "--picture", (dir / "no" / "x.bmp").string()},
       0,
       "Cannot create file"},
      // The log fits under the cap, the picture does not.
      {{"--steps", "5", "--out", log, "--picture", picture}, 100000, "Stream write error"},
  };
  for (const Case& c : cases) {
    // A build without Qt refuses the picture before any write could fail.
    if (c.fileSizeLimit && !ChartPicturesAvailable()) continue;
    std::ostringstream caseErr;
    std::optional<FileSizeLimit> limit;
    if (c.fileSizeLimit) limit.emplace(c.fileSizeLimit);
    EXPECT_EQ(RunSimulator(c.args, out, caseErr), 1) << c.message;
    limit.reset();
    EXPECT_NE(caseErr.str().find(c.message), std::string::npos) << caseErr.str();
    EXPECT_EQ(ReadFile(log), saved);
    EXPECT_FALSE(fs::exists(picture));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
  }
  fs::remove_all(dir);
}

}  // namespace

}  // namespace vadidazid
