#include "platform/console.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>

namespace platform {
namespace {

std::atomic<ConsoleWriter> installedWriter{nullptr};

// A closed pipe must surface as a failed write, not kill the process silently.
void IgnoreSigpipeOnce() {
  static std::once_flag once;
  std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

}  // namespace

bool WriteAllTo(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(size_t(n));
  }
  return true;
}

bool WriteConsole(std::string_view text, bool toStandardError) {
  IgnoreSigpipeOnce();
  if (ConsoleWriter writer = installedWriter.load()) return writer(text, toStandardError);
  return WriteAllTo(toStandardError ? STDERR_FILENO : STDOUT_FILENO, text);
}

void SetConsoleWriter(ConsoleWriter writer) {
  installedWriter.store(writer);
}

}  // namespace platform
