#include "runtime/date_time.h"

#include <cmath>

#include "platform/clock.h"

namespace {

constexpr uint8_t MonthDays[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                      {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
constexpr int32_t DaysFromYearZeroTo1899_12_30 = 693900;

}  // namespace

bool IsGregorianLeapYear(uint16_t year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int32_t DateToDayNumber(uint16_t year, uint16_t month, uint16_t day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12) return 0;
  if (day < 1 || day > MonthDays[IsGregorianLeapYear(year)][month - 1]) return 0;
  // Years begin in March, so the leap day ends a year.
  uint32_t y = year, m = month;
  if (m <= 2) {
    m += 9;
    y -= 1;
  } else {
    m -= 3;
  }
  const uint32_t century = y / 100;
  const uint32_t yearInCentury = y - 100 * century;
  const uint32_t n = (146097 * century) / 4 + (1461 * yearInCentury) / 4 + (153 * m + 2) / 5 + day;
  return static_cast<int32_t>(n) - DaysFromYearZeroTo1899_12_30;
}

double TimeToDayFraction(uint16_t hour, uint16_t minute, uint16_t second, uint16_t milliseconds) {
  if (hour >= 24 || minute >= 60 || second >= 60 || milliseconds >= 1000) return 0.0;
  const uint32_t t = hour * 3600000u + minute * 60000u + second * 1000u + milliseconds;
  return t / 86400000.0;
}

double JoinDayAndFraction(double day, double fraction) {
  const double whole = std::trunc(day);
  const double part = std::fabs(fraction - std::trunc(fraction));
  return (day < 0) ? whole - part : whole + part;  // a NaN day takes the first form
}

double LocalTimeToDayCount(const SYSTEMTIME& st) {
  const double day = DateToDayNumber(st.wYear, st.wMonth, st.wDay);
  const double fraction = TimeToDayFraction(st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
  return JoinDayAndFraction(day, fraction);
}

double Now() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  return LocalTimeToDayCount(st);
}
