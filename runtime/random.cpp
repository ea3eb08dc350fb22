#include "runtime/random.h"

#include <random>

#include "platform/clock.h"

uint32_t RandomSeed = 0;

namespace {

uint32_t lastSeed = 0;
bool seeded = false;  // false forces a seeding on the first draw
std::mt19937 engine;

}  // namespace

uint32_t Random32() {
  if (RandomSeed != lastSeed || !seeded) {
    engine.seed(RandomSeed);
    // Storing the complement lets a later store of any other value, the same seed
    // included, be noticed as a request to seed again.
    RandomSeed = ~RandomSeed;
    lastSeed = RandomSeed;
    seeded = true;
  }
  return static_cast<uint32_t>(engine());
}

int32_t Random(int32_t n) {
  const int64_t m = n >= 0 ? n : int64_t(n) + 1;
  const int64_t r = Random32();
  // The upper half of the product: floor(m * r / 2^32), no modulo bias correction.
  return static_cast<int32_t>((m * r) >> 32);
}

void Randomize() {
  RandomSeed = GetTickCount();
}
