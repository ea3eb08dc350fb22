#include "platform/clock.h"

#include <time.h>

#include <cerrno>

DWORD GetTickCount() {
  timespec ts{};
#ifdef CLOCK_BOOTTIME
  clock_gettime(CLOCK_BOOTTIME, &ts);
#else  // a web page's clock (performance.now) has no suspend to count
  clock_gettime(CLOCK_MONOTONIC, &ts);
#endif
  const uint64_t ms = uint64_t(ts.tv_sec) * 1000u + uint64_t(ts.tv_nsec) / 1000000u;
  return static_cast<DWORD>(ms);
}

void GetLocalTime(SYSTEMTIME* st) {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  const time_t seconds = ts.tv_sec;
  localtime_r(&seconds, &local);
  st->wYear = static_cast<uint16_t>(local.tm_year + 1900);
  st->wMonth = static_cast<uint16_t>(local.tm_mon + 1);
  st->wDayOfWeek = static_cast<uint16_t>(local.tm_wday);
  st->wDay = static_cast<uint16_t>(local.tm_mday);
  st->wHour = static_cast<uint16_t>(local.tm_hour);
  st->wMinute = static_cast<uint16_t>(local.tm_min);
  st->wSecond = static_cast<uint16_t>(local.tm_sec);
  st->wMilliseconds = static_cast<uint16_t>(ts.tv_nsec / 1000000);
}

void Sleep(DWORD milliseconds) {
  timespec left{time_t(milliseconds / 1000), long(milliseconds % 1000) * 1000000L};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}
