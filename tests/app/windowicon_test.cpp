// Where the window's icon is taken from: installed files beside the program win over
// the sources' copies, and the sources' own PNGs give a real icon of every size.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QIcon>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/windowicon.h"

namespace vadidazid {
namespace {

namespace fs = std::filesystem;

void Touch(const fs::path& p) {
  fs::create_directories(p.parent_path());
  std::ofstream(p) << "x";
}

TEST(WindowIcon, FilesComeFromTheInstallBesideTheProgramElseFromTheSources) {
  const fs::path root = fs::temp_directory_path() / ("vdz-icon-" + std::to_string(::getpid()));
  const fs::path installed = root / "prefix/share/icons/hicolor/48x48/apps/vadidazid.png";
  const fs::path source = root / "src/vadidazid-48.png";
  struct Case {
    const char* name;
    bool withInstalled, withSource;
    std::vector<fs::path> expected;
  };
  const Case cases[] = {
      {"both", true, true, {installed}},
      {"installed only", true, false, {installed}},
      {"sources only (a build)", false, true, {source}},
      {"neither", false, false, {}},
  };
  for (const Case& c : cases) {
    fs::remove_all(root);
    if (c.withInstalled) Touch(installed);
    if (c.withSource) Touch(source);
    fs::create_directories(root / "prefix/bin");
    EXPECT_EQ(WindowIconFiles(root / "prefix/bin", root / "src"), c.expected) << c.name;
  }
  fs::remove_all(root);
}

TEST(WindowIcon, TheSourcesGiveEverySizeTheyShip) {
  const fs::path src = fs::path(VADIDAZID_SOURCE_DIR) / "packaging/icons";
  EXPECT_EQ(WindowIconFiles("/nonexistent/bin", src).size(), 8u);
  // A program in the build folder loads them: the icon is a picture, not the null icon.
  const QIcon icon = WindowIcon("/nonexistent/bin");
  ASSERT_FALSE(icon.isNull());
  EXPECT_EQ(icon.availableSizes().size(), 8);
}

}  // namespace
}  // namespace vadidazid
