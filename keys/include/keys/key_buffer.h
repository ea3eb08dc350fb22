#pragma once
// Keys typed into the graph window, carried to the program's thread. Keys without a
// character arrive as a 0 followed by their scan-code character.
#include <cstdint>
#include <optional>

#include "platform/win_types.h"

// Whether a key waits, and the next one (ReadKey waits for it). Any thread, under the key
// buffer's lock; a program reads them on its own thread.
bool KeyPressed();
uint8_t ReadKey();
// The routine of the driver's KeyMessageHook: puts the keys of WM_KEYDOWN, WM_KEYUP and
// WM_CHAR into the buffer. The message thread.
LRESULT HandleKeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The code that follows the 0 of a key without a character (Up 72, F1 59, Ctrl+F1 94,
// Alt+F1 104 ...), as the buffer gives it; nullopt for a key that gives a character or none.
// Any thread: it only computes.
std::optional<uint8_t> ExtendedKeyCode(UINT virtualKey, bool ctrl, bool alt);

// The modifier keys held in the graph window now, as its key messages told them. Any
// thread. The side of Shift comes from the key's scan code (0x36 is the right one).
struct HeldModifiers {
  bool rightShift = false;
  bool leftShift = false;
  bool ctrl = false;
  bool alt = false;
};
HeldModifiers HeldModifierKeys();
// Whether the key of this virtual-key code (0..255) is held in the graph window now: down
// since its last WM_KEYDOWN and not yet up. Any thread.
bool KeyHeld(UINT virtualKey);

// Program initialisation of the key buffer (fills KeyMessageHook, chains StopKeyBuffer into
// the exit chain) and its end. The program's thread; StopKeyBuffer also as the exit chain
// runs it.
void StartKeyBuffer();
void StopKeyBuffer();
