#pragma once
// The graphics stack started once per test program on the in-memory display, with a mode
// set and the game's cell size worked out from it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "game/maze_drawing.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "testing/portable.h"

inline void StartHeadlessGraphics() {
  static bool started = false;
  if (started) return;
  started = true;
  testing_support::SetEnvironment("GRAPHWIN_BACKEND", "headless");
  StartGraphWindowDriver();
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  ASSERT_EQ(GraphResult(), grOk);
  cellWidth = int8_t(GetMaxX() / 101);
  cellHeight = int8_t(GetMaxY() / 81);
}
