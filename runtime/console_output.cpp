#include "runtime/console_output.h"

#include <fcntl.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/console.h"
#include "runtime/exit_chain.h"

namespace {

// error is 0 when the writer did not say why it failed; the line then gives no reason
// rather than a wrong one.
[[noreturn]] void ConsoleWriteFailed(int error) {
  // A failing console can fail again while the exit handlers run; report only once.
  static bool reported = false;
  if (!reported) {
    reported = true;
    const std::string reason = error != 0 ? std::string(" (") + std::strerror(error) + ")" : "";
    WriteErrorLine("Error: writing to standard output failed" + reason +
                   "; the program stops. Run it with its output on a terminal or a file.");
  }
  RunTimeErrorPending = true;
  Halt(ConsoleFailureExitCode);
}

void WriteChecked(std::string_view text) {
  if (!platform::WriteConsole(text)) ConsoleWriteFailed(errno);
}

}  // namespace

void Write(std::string_view text) {
  WriteChecked(text);
}

void WriteLine(std::string_view text) {
  std::string line(text);
  line += '\n';
  WriteChecked(line);
}

void WriteErrorLine(std::string_view text) {
  std::string line(text);
  line += '\n';
  platform::WriteConsole(line, true);
}

#ifdef _WIN32
// A descriptor is closed when it has no Windows handle behind it; the null device is "NUL".
static bool IsClosed(int fd) {
  return _get_osfhandle(fd) == -1;
}
constexpr char NullDevice[] = "NUL";
#else
static bool IsClosed(int fd) {
  return fcntl(fd, F_GETFD) == -1 && errno == EBADF;
}
constexpr char NullDevice[] = "/dev/null";
#endif

void OpenClosedStandardStreams() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (!IsClosed(fd)) continue;
    // The lowest free descriptor is this one, as those below it are open by now.
    const int opened = open(NullDevice, fd == STDERR_FILENO ? O_WRONLY : O_RDONLY);
    if (opened >= 0 && opened != fd) close(opened);
  }
}
