#pragma once
// The keys of the classic key routines (getch, kbhit, ungetch, bioskey): in graphics mode
// the graph window's key buffer, else standard input (console_device.h); keys typed into
// the window before it went are read first. A key without a character is two bytes, 0 and
// its scan code. The program's thread, which alone uses the keys put back and read ahead.
#include <cstdint>
#include <optional>

namespace bgi {

constexpr int EscapeKey = 27;

// Waits for the next byte and takes it. Once no key can come any more (the graph window is
// gone, standard input has ended) and none waits: EscapeKey.
int TakeKey();
// Whether a byte waits, or no key can come any more.
bool KeyWaiting();
// The bytes that wait without taking them: the first, and the second when the first is 0.
// nullopt when no whole key waits.
struct WaitingKey {
  uint8_t first = 0;
  uint8_t second = 0;
};
std::optional<WaitingKey> PeekKey();
// Whether no key can come any more.
bool KeysEnded();
// Puts c in front of the keys; false when a key put back is still waiting there.
bool PutBackKey(uint8_t c);

}  // namespace bgi
