// bioskey of bios.h: the console's keys as a PC keyboard's BIOS gives them.
#include <bios.h>

#include "console_keys.h"
#include "graph/driver_interface.h"
#include "keys/key_buffer.h"
#include "pc_scan_codes.h"

namespace {

constexpr int Take = 0, Peek = 1, ShiftFlags = 2;

int BiosCode(uint8_t first, uint8_t second) {
  if (first == 0) return second << 8;
  return bgi::ScanCodeOfCharacter(first) << 8 | first;
}

constexpr int EscapeCode = 0x011B;

int Flags() {
  // A terminal reports no modifier key of its own, so only the graph window knows them.
  if (!LayerState().IsGraphMode) return 0;
  const HeldModifiers held = HeldModifierKeys();
  return (held.rightShift ? 1 : 0) | (held.leftShift ? 2 : 0) | (held.ctrl ? 4 : 0) |
         (held.alt ? 8 : 0);
}

}  // namespace

extern "C" int bioskey(int cmd) {
  switch (cmd) {
    case Take: {
      const int first = bgi::TakeKey();
      return BiosCode(uint8_t(first), first == 0 ? uint8_t(bgi::TakeKey()) : uint8_t(0));
    }
    case Peek:
      if (const auto key = bgi::PeekKey()) return BiosCode(key->first, key->second);
      return bgi::KeysEnded() ? EscapeCode : 0;
    case ShiftFlags:
      return Flags();
    default:
      return 0;
  }
}
