#include "runtime/date_time.h"

#include <gtest/gtest.h>

namespace {

double At(uint16_t y, uint16_t mo, uint16_t d, uint16_t h = 0, uint16_t mi = 0, uint16_t s = 0,
          uint16_t ms = 0) {
  return LocalTimeToDayCount(SYSTEMTIME{y, mo, 0, d, h, mi, s, ms});
}

TEST(Clock, EpochAndKnownDates) {
  EXPECT_EQ(At(1899, 12, 30), 0.0);
  EXPECT_EQ(At(1899, 12, 31), 1.0);
  EXPECT_EQ(At(1900, 1, 1, 12), 2.5);
  EXPECT_EQ(DateToDayNumber(2026, 12, 7), 46363);
  EXPECT_EQ(DateToDayNumber(1, 1, 1), -693593);
  EXPECT_EQ(DateToDayNumber(9999, 12, 31), 2958465);
  EXPECT_DOUBLE_EQ(At(2026, 12, 7, 10, 49, 38, 500), 46363 + 38978500 / 86400000.0);
  EXPECT_NEAR(At(2026, 12, 7, 10, 49, 38, 500), 46363.45114004629, 1e-10);
}

TEST(Clock, LeapYears) {
  EXPECT_TRUE(IsGregorianLeapYear(2000));
  EXPECT_TRUE(IsGregorianLeapYear(2024));
  EXPECT_FALSE(IsGregorianLeapYear(1900));
  EXPECT_FALSE(IsGregorianLeapYear(2100));
  EXPECT_EQ(DateToDayNumber(2000, 2, 29), DateToDayNumber(2000, 3, 1) - 1);
  EXPECT_EQ(DateToDayNumber(2024, 2, 29), DateToDayNumber(2024, 3, 1) - 1);
  EXPECT_EQ(DateToDayNumber(1900, 2, 29), 0);
  EXPECT_EQ(DateToDayNumber(2100, 2, 29), 0);
}

TEST(Clock, LastMillisecondOfTheDayStaysBelowTheNextDay) {
  const double late = At(2026, 12, 7, 23, 59, 59, 999);
  EXPECT_LT(late, 46364.0);
  EXPECT_NEAR(TimeToDayFraction(23, 59, 59, 999), 0.999999988425926, 1e-15);
  EXPECT_EQ(At(2026, 12, 8), 46364.0);
  EXPECT_NEAR(At(2026, 12, 8, 0, 0, 1) - At(2026, 12, 8), 1 / 86400.0, 1e-9);
  EXPECT_GT(At(2026, 12, 8), late);
}

TEST(Clock, InvalidFieldsFallBackEachByItself) {
  EXPECT_EQ(DateToDayNumber(0, 1, 1), 0);
  EXPECT_EQ(DateToDayNumber(10000, 1, 1), 0);
  EXPECT_EQ(DateToDayNumber(2026, 13, 1), 0);
  EXPECT_EQ(DateToDayNumber(2026, 4, 31), 0);
  EXPECT_EQ(DateToDayNumber(2026, 1, 0), 0);
  // A leap second gives midnight of its own day; an invalid date keeps its time of day.
  EXPECT_EQ(At(2026, 12, 7, 23, 59, 60), 46363.0);
  EXPECT_EQ(At(2026, 2, 30, 12), 0.5);
  EXPECT_EQ(TimeToDayFraction(24, 0, 0, 0), 0.0);
  EXPECT_EQ(TimeToDayFraction(0, 0, 0, 1000), 0.0);
}

TEST(Clock, JoinKeepsTheSignOfTheDay) {
  EXPECT_EQ(JoinDayAndFraction(-2.0, 0.25), -2.25);
  EXPECT_EQ(JoinDayAndFraction(3.0, -0.25), 3.25);
  EXPECT_EQ(JoinDayAndFraction(3.9, 0.5), 3.5);
}

TEST(Clock, NowIsAPresentDayValue) {
  const double now = Now();
  EXPECT_GT(now, 46000.0);  // after 2025
  EXPECT_LT(now, 80000.0);
}

}  // namespace
