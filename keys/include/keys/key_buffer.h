#pragma once
// Keys typed into the graph window, carried to the program's thread. Keys without a
// character arrive as a 0 followed by their scan-code character.
#include <cstdint>

#include "platform/win_types.h"

bool KeyPressed();
uint8_t ReadKey();  // waits for a key
LRESULT HandleKeyMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

void StartKeyBuffer();
void StopKeyBuffer();
