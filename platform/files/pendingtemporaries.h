// The temporary files of the saves still in progress, kept where a signal handler can
// reach them: a run ended by a signal removes them before it dies, so it leaves no hidden
// half-written files beside its targets.
#pragma once

namespace vadidazid {

class PendingTemporaries {
 public:
  // Notes a temporary file (a name in the directory open as dirFd). Returns its slot, or
  // -1 when every slot is taken (that file then goes only by the save's own clean-up).
  static int Add(int dirFd, const char* name);
  // Forgets a slot; call it after the file was renamed or removed.
  static void Remove(int slot);
  // Ignores SIGPIPE and SIGXFSZ, so a closed pipe or a file size limit fails the write
  // (and the save says so) instead of killing the process, and makes every other
  // catchable signal that ends a process remove the noted files first. Signals the
  // process ignores, or that another handler already serves, are left as they are.
  static void InstallSignalHandlers();
};

}  // namespace vadidazid
