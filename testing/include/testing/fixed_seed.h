#pragma once
// The boot clock that the end-to-end tests fix (milliseconds, through the preloaded
// fixed_boot_clock library), and with it the game's seed. tests/game checks that its maze
// still suits those tests.
#include <cstdint>

constexpr uint32_t FixedBootMs = 1075;
