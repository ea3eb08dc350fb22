#pragma once
// Local date and time as days since 30 December 1899, the time of day as the fraction. Any
// thread: Now reads the clock, the others only compute.
#include <cstdint>

#include "platform/win_types.h"

double Now();
double LocalTimeToDayCount(const SYSTEMTIME& st);
int32_t DateToDayNumber(uint16_t year, uint16_t month, uint16_t day);
double TimeToDayFraction(uint16_t hour, uint16_t minute, uint16_t second, uint16_t milliseconds);
double JoinDayAndFraction(double day, double fraction);
bool IsGregorianLeapYear(uint16_t year);
