#pragma once
// A scripted stand-in for the game's random numbers: values are handed out in order; once
// the script is used up, the fallback answers (by default n - 1).
#include <cstdint>
#include <deque>

#include "game/random_source.h"
#include "runtime/random.h"

struct ScriptedRandom {
  static inline std::deque<int32_t> script;
  static inline int64_t calls = 0;
  static int32_t highest(int32_t n) { return n - 1; }
  static inline int32_t (*fallback)(int32_t) = highest;

  static int32_t draw(int32_t n) {
    ++calls;
    if (script.empty()) return fallback(n);
    const int32_t v = script.front();
    script.pop_front();
    return v;
  }

  ScriptedRandom() {
    script.clear();
    calls = 0;
    fallback = highest;
    GameRandom = draw;
  }
  ~ScriptedRandom() { GameRandom = Random; }

  // One step of a walk or a mine: dx and dy each -1, 0 or +1.
  static void step(int dx, int dy) {
    script.push_back(dx + 1);
    script.push_back(dy + 1);
  }
};
