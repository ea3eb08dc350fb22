// The console on Windows: the console's own key reading of the C runtime (which already
// gives keys without a character as 0 or 0xE0 and their scan code), and control sequences
// where the console can be switched to them (Windows 10 and later).
#include <io.h>
#include <windows.h>

#include "console_device.h"

// The C runtime's console key calls, declared here because this library's own conio.h comes
// first on the include path.
extern "C" int _getch(void);
extern "C" int _kbhit(void);

namespace bgi {
namespace {

HANDLE Output() {
  return GetStdHandle(STD_OUTPUT_HANDLE);
}

bool SwitchToControlSequences() {
  DWORD mode = 0;
  if (!GetConsoleMode(Output(), &mode)) return false;
  return SetConsoleMode(Output(), mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace

bool OutputIsTerminal() {
  static const bool terminal = SwitchToControlSequences();
  return terminal;
}

std::optional<ConsoleSize> TerminalSize() {
  CONSOLE_SCREEN_BUFFER_INFO info;
  if (!GetConsoleScreenBufferInfo(Output(), &info)) return std::nullopt;
  return ConsoleSize{info.srWindow.Right - info.srWindow.Left + 1,
                     info.srWindow.Bottom - info.srWindow.Top + 1};
}

bool ReadConsoleKeys(int timeoutMs, std::deque<uint8_t>& keys) {
  if (!_isatty(0)) {
    // A file or a pipe: its bytes are there or at their end, so the read does not wait long.
    unsigned char byte = 0;
    if (_read(0, &byte, 1) != 1) return false;
    keys.push_back(byte);
    return true;
  }
  for (int waited = 0; !_kbhit(); waited += 10) {
    if (timeoutMs >= 0 && waited >= timeoutMs) return true;
    Sleep(10);
  }
  const int c = _getch();
  if (c == 0 || c == 0xE0) {
    keys.push_back(0);
    keys.push_back(uint8_t(_getch()));
  } else {
    keys.push_back(uint8_t(c));
  }
  return true;
}

}  // namespace bgi
