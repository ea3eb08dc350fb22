#pragma once
// The process's pseudo-random generator (MT19937) with its seed watch. One generator for the
// process, unguarded: the program's thread only.
#include <cstdint>

extern uint32_t RandomSeed;  // writing it asks for a re-seed on the next draw

uint32_t Random32();
int32_t Random(int32_t n);
void Randomize();
