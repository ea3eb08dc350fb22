#pragma once
// The graph window's message thread: start and wait (InitMode), window classes and
// creation, the window procedures, and the end of window and thread (DriverCloseGraph).
#include <cstdint>

#include "graphwin/driver.h"
#include "platform/win_types.h"

// The InitMode slot of every mode record: starts the message thread and waits until the
// window has been painted once or the thread has ended (then ResultCode is grError).
void InitMode();

// The driver's CloseGraph, installed in the layer's CloseGraphHook: tears the window down,
// waits for the thread to end and frees the palette; grNoInitGraph when no mode is set.
void DriverCloseGraph();

DWORD GraphWindowThread(uint32_t parameter);
bool RegisterGraphClasses();
HWND CreateGraphWindow();
LRESULT GraphWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Identifier of the message thread, 0 when none runs.
DWORD MessageThreadId();
// WS_MAXIMIZE for the maximised-window modes, else 0.
DWORD ExtraWindowStyle();
// Size of the bitmap that the next WM_CREATE makes, and how many pages it keeps (0 in the
// game's windows); set by InitMode.
void SetBitmapSize(int width, int height, int pages);
