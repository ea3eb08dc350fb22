#include "held_keys.h"

#include "keys/key_buffer.h"

namespace {

constexpr int LeftShiftKey = 0xA0;
constexpr int RightShiftKey = 0xA1;

}  // namespace

bool bgi::KeyHeldNow(int virtualKey) {
  if (virtualKey == LeftShiftKey) return HeldModifierKeys().leftShift;
  if (virtualKey == RightShiftKey) return HeldModifierKeys().rightShift;
  return virtualKey >= 0 && KeyHeld(UINT(virtualKey));
}
