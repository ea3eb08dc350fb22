#pragma once
// The scan code a PC keyboard (US layout) sends with a character: the key that types it,
// with Shift or Ctrl as needed. Any thread: it only computes.
#include <cstdint>

namespace bgi {

// 0 for a character that no key types (above 127).
uint8_t ScanCodeOfCharacter(uint8_t character);

}  // namespace bgi
