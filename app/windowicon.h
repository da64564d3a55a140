// The window's icon, from the same files the desktop entry names: the hicolor icons
// installed beside the program (PREFIX/share/icons for a program in PREFIX/bin, whatever
// the prefix), else, for a program run from its build folder, the sources' own copies.
// A dock then shows the launcher's picture for the window, not a generic one.
#pragma once

#include <filesystem>
#include <vector>

class QIcon;

namespace vadidazid {

// The icon files to load, one per size: those of the first of the two places that has
// any, nothing when neither has.
std::vector<std::filesystem::path> WindowIconFiles(const std::filesystem::path& programDir,
                                                   const std::filesystem::path& sourceIconDir);

// The window's icon for the program in programDir; the icon theme's "vadidazid" when
// no file is found.
QIcon WindowIcon(const std::filesystem::path& programDir);

}  // namespace vadidazid
