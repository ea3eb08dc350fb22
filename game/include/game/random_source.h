#pragma once
// Every random number of the game comes through here, so that tests can script them.
#include <cstdint>

extern int32_t (*GameRandom)(int32_t n);
