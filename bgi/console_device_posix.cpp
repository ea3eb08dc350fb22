// The console on POSIX systems: the terminal through termios and ioctl, its keys decoded by
// the platform's terminal key reader.
#include <sys/ioctl.h>
#include <unistd.h>

#include <vector>

#include "console_device.h"
#include "keypad_center.h"
#include "platform/standard_input_keys.h"

namespace bgi {

bool OutputIsTerminal() {
  return isatty(STDOUT_FILENO) == 1;
}

std::optional<ConsoleSize> TerminalSize() {
  winsize size{};
  if (!OutputIsTerminal() || ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) return std::nullopt;
  if (size.ws_col == 0 || size.ws_row == 0) return std::nullopt;
  return ConsoleSize{size.ws_col, size.ws_row};
}

bool ReadConsoleKeys(int timeoutMs, std::deque<uint8_t>& keys) {
  std::vector<platform::TerminalKey> read;
  const bool open = platform::ReadStandardInputKeys(timeoutMs, read);
  for (const auto& key : read) {
    if (key.character >= 0) {
      keys.push_back(uint8_t(key.character));
    } else if (const auto code = ClassicKeyCode(key.virtualKey, key.ctrl, key.alt)) {
      // The same codes as the graph window gives.
      keys.push_back(0);
      keys.push_back(*code);
    }
  }
  return open;
}

}  // namespace bgi
