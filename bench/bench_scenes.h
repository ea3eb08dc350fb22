#pragma once
// What the drawing benchmarks draw, the same on every display.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>

#include "bench_stats.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graphwin/driver.h"

// Starts the window driver in the detected mode; false, having said so, when it fails.
inline bool StartGraphics(const char* indent = "") {
  StartGraphWindowDriver();
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  if (GraphResult() == grOk) return true;
  std::printf("%sgraphics did not start; nothing measured\n", indent);
  return false;
}

// Colour 1 and colour 14 alternate between runs, so every run changes every pixel.
inline uint16_t RunColor(int run) {
  return run % 2 ? 14 : 1;
}
// Their colours in the default palette, as 0xRRGGBB.
inline uint32_t RgbOfRunColor(uint16_t color) {
  return color == 14 ? 0xFCFC54 : 0x0000A8;
}

// The game's heaviest drawing: the maze of 101 x 81 solid bars.
inline void DrawMaze(uint16_t color) {
  SetFillStyle(SolidFill, color);
  for (int y = 1; y <= 81; ++y) {
    for (int x = 1; x <= 101; ++x) {
      Bar(int16_t(x * 19), int16_t(y * 12), int16_t((x + 1) * 19), int16_t((y + 1) * 12));
    }
  }
}

// One Bar, from its call's return until shown(x, y, colour) has seen it at (x, y) on the
// display, in microseconds; 31 runs, each changing the colour of the spot.
inline Timing BarLatency(const std::function<void(int, int, uint16_t)>& shown) {
  // The spot starts in the colour the first measured Bar does not draw.
  SetFillStyle(SolidFill, RunColor(1));
  Bar(100, 100, 119, 112);
  shown(110, 106, RunColor(1));
  return Measure(31, [&, run = 0]() mutable {
    const uint16_t color = RunColor(run++);
    SetFillStyle(SolidFill, color);
    Bar(100, 100, 119, 112);
    const auto returned = std::chrono::steady_clock::now();
    shown(110, 106, color);
    return MsSince(returned) * 1000.0;
  });
}
