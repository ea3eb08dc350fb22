#pragma once
// The keypad's 5 with Num Lock off (VK_CLEAR), which the classic routines read as 0 and
// KEY_CENTER while the key buffer of the game's path gives nothing for it.
#include <cstdint>
#include <optional>

#include "platform/win_types.h"

namespace bgi {

constexpr uint8_t CenterKeyCode = 76;  // KEY_CENTER, the key's PC scan code

// The second byte of a key without a character, as the classic routines give it: the key
// buffer's code, and CenterKeyCode for VK_CLEAR. Any thread: it only computes.
std::optional<uint8_t> ClassicKeyCode(UINT virtualKey, bool ctrl, bool alt);
// Program thread. Where the key slot holds the key buffer's routine, puts one in front of
// it that adds VK_CLEAR; once.
void CollectCenterKey();

}  // namespace bgi
