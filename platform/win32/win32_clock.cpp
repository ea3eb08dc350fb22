// GetLocalTime and Sleep on Windows: the real ones.
#include "platform/clock.h"
#include "win32/win32_time.h"

void GetLocalTime(SYSTEMTIME* st) {
  const platform::win32::LocalTimeFields t = platform::win32::LocalTime();
  *st = SYSTEMTIME{t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds};
}

void Sleep(DWORD milliseconds) {
  platform::win32::SleepMilliseconds(milliseconds);
}
