// GetTickCount on Windows: the real one. A file of its own, so that a program can link a
// GetTickCount of its own in its place (as the tests do to fix the game's seed).
#include "platform/clock.h"
#include "win32/win32_time.h"

DWORD GetTickCount() {
  return platform::win32::TickCount();
}
