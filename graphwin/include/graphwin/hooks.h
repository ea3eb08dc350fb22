#pragma once
// The driver's hook slots. Any thread may fill or empty a slot (they are atomic; a program
// fills them on its thread); the routines in them are called on the message thread. An
// empty slot is nullptr.
#include <atomic>

#include "platform/win_types.h"

using MessageHook = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
using CreatedHook = void (*)();
// Told, on the message thread, that the display has gone for good (not that the user closed
// the window): the window and its thread have ended, and no key will come any more.
using DisplayLostRoutine = void (*)(const char* displayName);

// Asked when the user closes the graph window (its close button, or the frame's): true lets
// it close, as an empty slot does; false keeps it open. It may end the process.
using CloseRoutine = bool (*)();

extern std::atomic<MessageHook> KeyMessageHook;
extern std::atomic<MessageHook> MouseMessageHook;
extern std::atomic<MessageHook> CommandMessageHook;
extern std::atomic<MessageHook> NotifyMessageHook;
extern std::atomic<CreatedHook> WindowCreatedHook;
extern std::atomic<DisplayLostRoutine> DisplayLostHook;
extern std::atomic<CloseRoutine> WindowCloseHook;
