#pragma once
// Keys from the terminal the program was started from, for a program that reads keys while
// no window is open (the classic console routines before initgraph and after closegraph).
// On a terminal the input is raw while a read waits: one key at a time, without echo or
// Enter, escape sequences decoded as the terminal backend decodes them. Ctrl+C and Ctrl+Z
// keep their signals. After each read, at exit, on the signals that end the program and
// while it is stopped the terminal's modes are as they were, so a line read with the C
// library afterwards is echoed. When standard input is not a
// terminal, each byte is a key with that character. POSIX systems only. The program's
// thread.
#include <vector>

#include "platform/win_types.h"

namespace platform {

struct TerminalKey {
  UINT virtualKey = 0;  // 0 for a plain byte that is not from a terminal
  int character = -1;   // Latin-1 character or control code; -1 for a key without one
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
};

// Waits at most timeoutMs (negative: for ever) for input and appends the keys that came.
// False once the input has ended (end of file, an error, or no standard input).
bool ReadStandardInputKeys(int timeoutMs, std::vector<TerminalKey>& keys);

// Whether standard input is a terminal.
bool StandardInputIsTerminal();

}  // namespace platform
