// The noted temporary files and the handler that removes them. The handler may only call
// async-signal-safe functions, so every name is formatted beforehand into fixed storage,
// and a slot's state says when its fields may be read.
#include "platform/files/pendingtemporaries.h"

#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace vadidazid {

namespace {

enum SlotState : int { kFree, kFilling, kArmed };

struct Slot {
  std::atomic<int> state{kFree};
  int dirFd = -1;
  char name[NAME_MAX + 1] = {};
};

constexpr int kSlots = 64;
Slot slots[kSlots];

extern "C" void RemovePendingAndDie(int signal) {
  const int savedErrno = errno;
  for (Slot& slot : slots) {
    if (slot.state.load() == kArmed) ::unlinkat(slot.dirFd, slot.name, 0);
  }
  errno = savedErrno;
  // The handler was installed to run once (SA_RESETHAND) and without blocking its own
  // signal (SA_NODEFER), so raising it again ends the process with the signal's own
  // default action: the exit status says which signal it was, and a core is kept.
  ::raise(signal);
}

// Signals whose default action ends the process and that a handler can catch.
constexpr int kTerminating[] = {
    SIGHUP,    SIGINT,  SIGQUIT, SIGILL,  SIGTRAP, SIGABRT,   SIGBUS,  SIGFPE, SIGUSR1,
    SIGSEGV,   SIGUSR2, SIGALRM, SIGTERM, SIGXCPU, SIGVTALRM, SIGPROF, SIGSYS,
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGIO
    SIGIO,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
};

}  // namespace

int PendingTemporaries::Add(int dirFd, const char* name) {
  if (std::strlen(name) > NAME_MAX) return -1;
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (!slots[i].state.compare_exchange_strong(expected, kFilling)) continue;
    slots[i].dirFd = dirFd;
    std::strcpy(slots[i].name, name);
    slots[i].state.store(kArmed);
    return i;
  }
  return -1;
}

void PendingTemporaries::Remove(int slot) {
  if (slot >= 0 && slot < kSlots) slots[slot].state.store(kFree);
}

void PendingTemporaries::InstallSignalHandlers() {
  for (int signal : {SIGPIPE, SIGXFSZ}) ::signal(signal, SIG_IGN);
  struct sigaction action {};
  action.sa_handler = RemovePendingAndDie;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND | SA_NODEFER;
  for (int signal : kTerminating) {
    struct sigaction current {};
    // An ignored signal (nohup's SIGHUP) must stay ignored, and a handler set up before
    // (a sanitizer's) keeps its work.
    if (::sigaction(signal, nullptr, &current) != 0) continue;
    if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_DFL) {
      ::sigaction(signal, &action, nullptr);
    }
  }
}

}  // namespace vadidazid
