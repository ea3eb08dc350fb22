#pragma once
// The real Windows clock and wall-clock time, in plain C++ types, for the platform's own
// GetTickCount, GetLocalTime and Sleep (whose names the window core's header declares too).
#include <cstdint>

namespace platform::win32 {

uint32_t TickCount();
struct LocalTimeFields {
  uint16_t year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};
LocalTimeFields LocalTime();
void SleepMilliseconds(uint32_t milliseconds);

}  // namespace platform::win32
