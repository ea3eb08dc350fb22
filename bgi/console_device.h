#pragma once
// What the console routines need of the system: whether standard output is a terminal that
// takes control sequences, its size, and the keys of standard input while no graph window
// reads them. One source per system. The program's thread.
#include <cstdint>
#include <deque>
#include <optional>

namespace bgi {

struct ConsoleSize {
  int columns = 0;
  int rows = 0;
};

// True when standard output is a terminal that understands control sequences (on Windows,
// a console that was switched to them).
bool OutputIsTerminal();
// The terminal's size; nullopt when standard output is not a terminal or does not say.
std::optional<ConsoleSize> TerminalSize();

// Waits at most timeoutMs (negative: for ever) for keys of standard input and appends them
// as getch gives them: a character, or 0 and the scan code of a key without one. False
// once the input has ended.
bool ReadConsoleKeys(int timeoutMs, std::deque<uint8_t>& keys);

}  // namespace bgi
