#include "win32/win32_time.h"

#include <windows.h>

namespace platform::win32 {

uint32_t TickCount() {
  return ::GetTickCount();
}

LocalTimeFields LocalTime() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
}

void SleepMilliseconds(uint32_t milliseconds) {
  ::Sleep(milliseconds);
}

}  // namespace platform::win32
