#pragma once
// The clock calls of the Windows stand-in. Any thread.
#include "platform/win_types.h"

// Milliseconds since the system started (CLOCK_BOOTTIME), low 32 bits.
DWORD GetTickCount();
// Local wall-clock time (CLOCK_REALTIME through localtime_r), milliseconds included.
void GetLocalTime(SYSTEMTIME* st);
void Sleep(DWORD milliseconds);
