// GetLocalTime against the system's real-time clock, turned into local time by hand: in
// UTC, and in a zone whose daylight saving lasts all year (UTC+2, then one hour more).
#include <gtest/gtest.h>
#include <time.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/clock.h"

namespace {

class LocalTime : public ::testing::Test {
 protected:
  void TearDown() override {
    if (saved) {
      setenv("TZ", saved->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  static void useZone(const char* tz) {
    setenv("TZ", tz, 1);
    tzset();
  }
  // Checks one reading against the UTC fields of the real-time clock moved by offset
  // seconds, milliseconds included.
  static void expectClockShiftedBy(long offset) {
    for (int attempt = 0; attempt < 100; ++attempt) {
      timespec before{}, after{};
      SYSTEMTIME st{};
      clock_gettime(CLOCK_REALTIME, &before);
      GetLocalTime(&st);
      clock_gettime(CLOCK_REALTIME, &after);
      if (before.tv_sec != after.tv_sec) continue;  // a second began in between
      const time_t shifted = before.tv_sec + offset;
      tm want{};
      gmtime_r(&shifted, &want);
      EXPECT_EQ(st.wYear, want.tm_year + 1900);
      EXPECT_EQ(st.wMonth, want.tm_mon + 1);
      EXPECT_EQ(st.wDay, want.tm_mday);
      EXPECT_EQ(st.wDayOfWeek, want.tm_wday);
      EXPECT_EQ(st.wHour, want.tm_hour);
      EXPECT_EQ(st.wMinute, want.tm_min);
      EXPECT_EQ(st.wSecond, want.tm_sec);
      EXPECT_GE(st.wMilliseconds, before.tv_nsec / 1000000);
      EXPECT_LE(st.wMilliseconds, after.tv_nsec / 1000000);
      return;
    }
    FAIL() << "no reading within one second";
  }
  const std::optional<std::string> saved =
      getenv("TZ") ? std::optional<std::string>(getenv("TZ")) : std::nullopt;
};

TEST_F(LocalTime, InUtcIsTheRealTimeClock) {
  useZone("UTC");
  expectClockShiftedBy(0);
}

TEST_F(LocalTime, DaylightSavingMovesTheHourOnTopOfTheZone) {
  useZone("XST-2XDT,0/0,J365/25");  // summer time from the first to the last moment
  expectClockShiftedBy(3 * 3600);
}

}  // namespace
