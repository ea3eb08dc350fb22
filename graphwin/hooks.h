#pragma once
// The driver's hook slots. Filled on the program's thread, called on the message thread,
// hence atomic. An empty slot is nullptr.
#include <atomic>

#include "platform/win_types.h"

using MessageHook = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
using CreatedHook = void (*)();

extern std::atomic<MessageHook> KeyMessageHook;
extern std::atomic<MessageHook> MouseMessageHook;
extern std::atomic<MessageHook> CommandMessageHook;
extern std::atomic<MessageHook> NotifyMessageHook;
extern std::atomic<CreatedHook> WindowCreatedHook;
