#include "platform/console.h"

#include <unistd.h>
#ifndef _WIN32
#include <poll.h>

#include <csignal>
#endif

#include <atomic>
#include <cerrno>
#include <mutex>

namespace platform {
namespace {

std::atomic<ConsoleWriter> installedWriter{nullptr};

#ifdef _WIN32
// Windows has no SIGPIPE, and its descriptors do not block half-way: a write that cannot
// go on fails.
void IgnoreSigpipeOnce() {}
bool WaitUntilWritable(int) {
  return false;
}
#else
// A closed pipe must surface as a failed write, not kill the process silently. A handler
// that the embedding program installed stays: it decides what a broken pipe means.
void IgnoreSigpipeOnce() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction old {};
    if (sigaction(SIGPIPE, nullptr, &old) == 0 && old.sa_handler == SIG_DFL) {
      std::signal(SIGPIPE, SIG_IGN);
    }
  });
}

// A descriptor inherited as non-blocking reports a full pipe as EAGAIN; that is a wait,
// not a failure. False only when poll itself fails.
bool WaitUntilWritable(int fd) {
  pollfd p{fd, POLLOUT, 0};
  for (;;) {
    if (::poll(&p, 1, -1) >= 0) return true;  // an error or hang-up shows in the next write
    if (errno != EINTR) return false;
  }
}
#endif

}  // namespace

bool WriteAllTo(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      if ((errno == EAGAIN || errno == EWOULDBLOCK) && WaitUntilWritable(fd)) continue;
      return false;
    }
    text.remove_prefix(size_t(n));
  }
  return true;
}

bool WriteConsole(std::string_view text, bool toStandardError) {
  IgnoreSigpipeOnce();
  errno = 0;
  if (ConsoleWriter writer = installedWriter.load()) return writer(text, toStandardError);
  return WriteAllTo(toStandardError ? STDERR_FILENO : STDOUT_FILENO, text);
}

void SetConsoleWriter(ConsoleWriter writer) {
  installedWriter.store(writer);
}

bool ConsoleHasWriter() {
  return installedWriter.load() != nullptr;
}

}  // namespace platform
