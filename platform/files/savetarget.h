// Where a save goes. A name that stands for one of the process's open descriptors
// (/dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N, or a link to one of them) is
// that descriptor: the shell opened it, perhaps for appending, and the bytes belong there,
// not in a new file renamed over the one behind it. Any other name is a file in a
// directory, reached by following the links of its last part, so a link (even one whose
// file does not exist yet) keeps pointing at the saved file.
#pragma once

#include <string>

namespace vadidazid {

struct SaveTarget {
  int descriptor = -1;    // the open descriptor to write to, or -1
  std::string directory;  // else the file's directory ("." for a bare name)
  std::string base;       // and its name there

  // Throws EFCreateError naming `name` with the reason (a link loop, a trailing slash).
  static SaveTarget Resolve(const std::string& name);
};

}  // namespace vadidazid
