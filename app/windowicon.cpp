// The window's icon: the installed hicolor PNGs found from the program's own folder,
// or the sources' PNGs for a program that runs from the build.
#include "app/windowicon.h"

#include <QIcon>
#include <QString>

#include <string>
#include <system_error>

namespace vadidazid {
namespace {

// The sizes the package installs; a window manager picks the nearest for each use.
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool IsFile(const std::filesystem::path& p) {
  std::error_code ec;  // an unreadable folder is a missing icon, not a failure
  return std::filesystem::is_regular_file(p, ec);
}

}  // namespace

std::vector<std::filesystem::path> WindowIconFiles(const std::filesystem::path& programDir,
                                                   const std::filesystem::path& sourceIconDir) {
  std::vector<std::filesystem::path> installed, source;
  const std::filesystem::path hicolor = programDir / ".." / "share" / "icons" / "hicolor";
  for (int size : kIconSizes) {
    const std::string s = std::to_string(size);
    std::filesystem::path inst = hicolor / (s + "x" + s) / "apps" / "vadidazid.png";
    if (IsFile(inst)) installed.push_back(inst.lexically_normal());
    std::filesystem::path src = sourceIconDir / ("vadidazid-" + s + ".png");
    if (!sourceIconDir.empty() && IsFile(src)) source.push_back(src);
  }
  // Installed files come first: an installed program must not show a build's icon.
  return installed.empty() ? source : installed;
}

QIcon WindowIcon(const std::filesystem::path& programDir) {
#ifdef VADIDAZID_ICON_SOURCE_DIR
  const std::filesystem::path sourceIconDir = VADIDAZID_ICON_SOURCE_DIR;
#else
  const std::filesystem::path sourceIconDir;
#endif
  QIcon icon;
  for (const auto& file : WindowIconFiles(programDir, sourceIconDir)) {
    icon.addFile(QString::fromStdString(file.string()));
  }
  return icon.isNull() ? QIcon::fromTheme(QStringLiteral("vadidazid")) : icon;
}

}  // namespace vadidazid
