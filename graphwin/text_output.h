#pragma once
// The driver's text routine, the OutTextXY slot of every mode record.
#include <cstdint>
#include <string_view>

void DriverOutTextXY(int16_t x, int16_t y, std::string_view text);
