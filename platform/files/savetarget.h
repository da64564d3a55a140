// Where a save goes. A name that stands for one of the process's open descriptors
// (/dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N, or a link to one of them) is
// that descriptor: the shell opened it, perhaps for appending, and the bytes belong there,
// not in a new file renamed over the one behind it. Any other name is a file in a
// folder, reached by following its links, so a link (even one whose file does not exist
// yet) keeps pointing at the saved file.
//
// The name is walked one part at a time from an open folder to the next, and every link
// on the way (a folder's or the last part's) is read and followed here, not by the
// system. So the walk can refuse what a hostile user may have planted: in a folder that
// everyone may write and that keeps its entries to their owners (the sticky bit, as the
// system's temporary folder has), a link owned neither by the saving user nor by the
// folder's owner is not followed, whatever the system's own setting for that is. The
// folder found stays open, so nothing renamed or swapped on the way after the walk can
// send the file elsewhere.
#pragma once

#include <string>

namespace vadidazid {

class SaveTarget {
 public:
  // Throws EFCreateError naming `name` with the reason (a missing folder, a link loop, a
  // trailing slash, a link owned by another user in a shared folder).
  static SaveTarget Resolve(const std::string& name);

  SaveTarget() = default;
  SaveTarget(SaveTarget&& other) noexcept;
  SaveTarget& operator=(SaveTarget&& other) noexcept;
  ~SaveTarget();

  // The descriptor of the folder, for the caller to keep (and close); -1 afterwards.
  int TakeDirectory();

  int descriptor = -1;        // the open descriptor to write to, or -1
  int directory = -1;         // else the file's folder, open for *at calls only
  std::string directoryName;  // a path to that folder ("." for the working folder)
  std::string base;           // and the file's name there
};

}  // namespace vadidazid
