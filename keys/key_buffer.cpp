#include "keys/key_buffer.h"

#include <array>
#include <atomic>
#include <mutex>

#include "graphwin/hooks.h"
#include "key_ring.h"
#include "platform/clock.h"
#include "runtime/exit_chain.h"

namespace {

// The ring holds at most 31 characters: one slot always stays free to tell full from empty.
struct KeyBuffer {
  uint8_t slots[KeyBufferSlots + 1] = {};  // 1..32
  int readPos = 1;
  int writePos = 1;
  // False once the buffer is stopped: a call that was already on its way when the hook was
  // emptied then finds the ring closed instead of a lock that is gone.
  bool collecting = false;
};

// The lock lives as long as the process, so stopping never pulls it from under a call of
// HandleKeyMessage that is still running on the message thread.
std::mutex keyLock;
KeyBuffer keyBuffer;

// Set by the message thread, read by it and by HeldModifierKeys; a new start clears them
// from the program's thread.
std::atomic<bool> ctrlDown{false};
std::atomic<bool> altDown{false};
std::atomic<bool> leftShiftDown{false};
std::atomic<bool> rightShiftDown{false};
// Every virtual key by its code, set and read like the modifiers above.
std::array<std::atomic<bool>, 256> heldKeys{};

void SetHeld(WPARAM key, bool down) {
  if (key < heldKeys.size()) heldKeys[key] = down;
}

ExitHandler displacedExitHandler = nullptr;
// Whether StopKeyBuffer is in the exit chain: a second start must not chain it in front of
// itself, or the chain would run it for ever.
bool chainedForExit = false;

int Advance(int pos) {
  return pos == KeyBufferSlots ? 1 : pos + 1;
}

constexpr int RightShiftScanCode = 0x36;

void SetShift(LPARAM lParam, bool down) {
  if (((lParam >> 16) & 0xFF) == RightShiftScanCode) {
    rightShiftDown = down;
  } else {
    leftShiftDown = down;
  }
}

void HandleKeyDown(WPARAM key, LPARAM lParam) {
  switch (key) {
    case VK_SHIFT:
      SetShift(lParam, true);
      return;
    case VK_CONTROL:
      ctrlDown = true;
      return;
    case VK_MENU:
      altDown = true;
      return;
    default:
      // Keys with a character are left to their WM_CHAR.
      if (const auto code = ExtendedKeyCode(UINT(key), ctrlDown, altDown)) PutExtendedKey(*code);
  }
}

}  // namespace

std::optional<uint8_t> ExtendedKeyCode(UINT virtualKey, bool ctrl, bool alt) {
  switch (virtualKey) {
    case VK_PRIOR:
      return 'I';
    case VK_NEXT:
      return 'Q';
    case VK_END:
      return 'O';
    case VK_HOME:
      return 'G';
    case VK_LEFT:
      return 'K';
    case VK_UP:
      return 'H';
    case VK_RIGHT:
      return 'M';
    case VK_DOWN:
      return 'P';
    case VK_INSERT:
      return 'R';
    case VK_DELETE:
      return 'S';
    default:
      break;
  }
  if (virtualKey < VK_F1 || virtualKey > VK_F10) return std::nullopt;
  const int k = int(virtualKey - VK_F1) + 1;
  if (ctrl) return uint8_t(93 + k);
  if (alt) return uint8_t(103 + k);
  return uint8_t(58 + k);
}

HeldModifiers HeldModifierKeys() {
  return {rightShiftDown, leftShiftDown, ctrlDown, altDown};
}

void PutKey(uint8_t c) {
  std::lock_guard lock(keyLock);
  KeyBuffer& b = keyBuffer;
  if (!b.collecting) return;
  b.slots[b.writePos] = c;
  b.writePos = Advance(b.writePos);
  if (b.writePos == b.readPos) {
    // Full: drop the oldest key, both characters of it when it is a two-character key.
    if (b.slots[b.readPos] == 0) b.readPos = Advance(b.readPos);
    b.readPos = Advance(b.readPos);
  }
}

void PutExtendedKey(uint8_t code) {
  PutKey(0);
  PutKey(code);
}

bool KeyHeld(UINT virtualKey) {
  return virtualKey < heldKeys.size() && heldKeys[virtualKey];
}

bool KeyPressed() {
  std::lock_guard lock(keyLock);
  return keyBuffer.readPos != keyBuffer.writePos;
}

uint8_t ReadKey() {
  for (;;) {
    {
      std::lock_guard lock(keyLock);
      KeyBuffer& b = keyBuffer;
      if (b.readPos != b.writePos) {
        const uint8_t c = b.slots[b.readPos];
        b.readPos = Advance(b.readPos);
        return c;
      }
    }
    Sleep(10);
  }
}

LRESULT HandleKeyMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      PutKey(uint8_t(wParam & 0xFF));
      break;
    case WM_KEYUP:
      SetHeld(wParam, false);
      if (wParam == VK_CONTROL) ctrlDown = false;
      if (wParam == VK_MENU) altDown = false;
      if (wParam == VK_SHIFT) SetShift(lParam, false);
      break;
    case WM_KEYDOWN:
      SetHeld(wParam, true);
      HandleKeyDown(wParam, lParam);
      break;
    default:
      break;
  }
  return 0;
}

void StartKeyBuffer() {
  {
    std::lock_guard lock(keyLock);
    keyBuffer = KeyBuffer{};
    keyBuffer.collecting = true;
  }
  ctrlDown = false;
  altDown = false;
  leftShiftDown = false;
  rightShiftDown = false;
  for (auto& held : heldKeys) held = false;
  KeyMessageHook.store(HandleKeyMessage);
  if (!chainedForExit) displacedExitHandler = ChainExitHandler(StopKeyBuffer);
  chainedForExit = true;
}

void StopKeyBuffer() {
  if (chainedForExit) ExitProc = displacedExitHandler;
  chainedForExit = false;
  KeyMessageHook.store(nullptr);
  std::lock_guard lock(keyLock);
  keyBuffer.collecting = false;
}
