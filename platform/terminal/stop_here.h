#pragma once
// The part of a Ctrl+Z handler that every owner of the terminal shares: it has given the
// terminal back; now the process stops as it would have without the handler, and returns
// here once continued (or at once when the system discarded the stop, as it does for an
// orphaned process group). The handler then takes the terminal again and installs itself
// anew. Async-signal-safe.
#include <pthread.h>

#include <csignal>

namespace platform::terminal {

inline void StopHere() {
  signal(SIGTSTP, SIG_DFL);
  raise(SIGTSTP);
  // The stop is blocked while the handler runs; let it act now, here.
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, SIGTSTP);
  pthread_sigmask(SIG_UNBLOCK, &stop, nullptr);
}

}  // namespace platform::terminal
