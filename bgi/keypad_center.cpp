#include "keypad_center.h"

#include "graphwin/hooks.h"
#include "keys/key_buffer.h"

namespace bgi {
namespace {

// On the message thread. The buffer puts a character's byte in unchanged, so two of them
// are the 0 and the code of a key without a character, as the buffer itself appends them.
LRESULT KeyWithCenter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN && wParam == VK_CLEAR) {
    HandleKeyMessage(window, WM_CHAR, 0, lParam);
    return HandleKeyMessage(window, WM_CHAR, CenterKeyCode, lParam);
  }
  return HandleKeyMessage(window, message, wParam, lParam);
}

}  // namespace

std::optional<uint8_t> ClassicKeyCode(UINT virtualKey, bool ctrl, bool alt) {
  if (virtualKey == VK_CLEAR) return CenterKeyCode;
  return ExtendedKeyCode(virtualKey, ctrl, alt);
}

void CollectCenterKey() {
  MessageHook expected = HandleKeyMessage;
  KeyMessageHook.compare_exchange_strong(expected, KeyWithCenter);
}

}  // namespace bgi
