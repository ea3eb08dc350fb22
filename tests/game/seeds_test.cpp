// The seed that the end-to-end tests fix through the boot clock must still give the game
// those tests need: a wall and an open cell beside the dome, and mines that do not reach
// the dome or those cells for many more turns than a test plays.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "console_capture.h"
#include "game/generation.h"
#include "game/maze.h"
#include "game/maze_drawing.h"
#include "game/mines.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "runtime/random.h"
#include "testing/fixed_seed.h"
#include "testing/portable.h"

namespace {

// Exits 0 when the maze of seed is quiet for turns turns, 3 when the dome lacks a wall or
// an open cell beside it, and 2 (the explosion) when a mine reaches it.
[[noreturn]] void PlayQuietly(uint32_t seed, int turns) {
  testing_support::SetEnvironment("GRAPHWIN_BACKEND", "headless");
  StartGraphWindowDriver();
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  cellWidth = int8_t(GetMaxX() / 101);
  cellHeight = int8_t(GetMaxY() / 81);
  ConsoleCapture quiet;
  RandomSeed = seed;
  GenerateAcceptedMaze();
  int walls = 0, open = 0;
  for (auto [dx, dy] : {std::pair{0, -1}, {0, 1}, {-1, 0}, {1, 0}}) {
    CellCode& c = Grid[domeX + dx][domeY + dy];
    walls += c == WallCell;
    // Whichever open cell a test steps onto counts as the dome's.
    if (c == OpenCell) {
      ++open;
      c = DomeCell;
    }
  }
  if (walls == 0 || open == 0) std::_Exit(3);
  for (int t = 0; t < turns; ++t) {
    MoveMines();
    MoveMines();
  }
  std::_Exit(0);
}

// A game of a minute has some 130 turns on a machine that runs one in half a second.
TEST(FixedSeed, GivesAQuietMazeWithAWallAndAnOpenCellBesideTheDome) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(PlayQuietly(FixedBootMs, 1000), ::testing::ExitedWithCode(0), "");
}

}  // namespace
