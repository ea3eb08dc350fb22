#pragma once
// Keys typed into the graph window, carried to the program's thread. Keys without a
// character arrive as a 0 followed by their scan-code character.
#include <cstdint>

#include "platform/win_types.h"

// Whether a key waits, and the next one (ReadKey waits for it). Any thread, under the key
// buffer's lock; a program reads them on its own thread.
bool KeyPressed();
uint8_t ReadKey();
// The routine of the driver's KeyMessageHook: puts the keys of WM_KEYDOWN, WM_KEYUP and
// WM_CHAR into the buffer. The message thread.
LRESULT HandleKeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Program initialisation of the key buffer (fills KeyMessageHook, chains StopKeyBuffer into
// the exit chain) and its end. The program's thread; StopKeyBuffer also as the exit chain
// runs it.
void StartKeyBuffer();
void StopKeyBuffer();
