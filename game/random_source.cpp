#include "game/random_source.h"

#include "runtime/random.h"

int32_t (*GameRandom)(int32_t n) = Random;
