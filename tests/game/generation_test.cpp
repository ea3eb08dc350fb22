#include "game/generation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "console_capture.h"
#include "game/maze.h"
#include "runtime/random.h"
#include "scripted_random.h"

namespace {

void FillGrid(CellCode code) {
  for (int x = 1; x <= GridWidth; ++x)
    for (int y = 1; y <= GridHeight; ++y) Grid[x][y] = code;
}

void CheckAgainstReference(uint32_t seed, int attempts) {
  ConsoleCapture console;
  RandomSeed = seed;
  GenerateAcceptedMaze();

  std::string notices;
  for (int i = 0; i < attempts; ++i) notices += "Odota, arvon labyrinttia.";
  EXPECT_EQ(ConsoleCapture::out, notices);

  std::ifstream grid(std::string(TESTDATA_DIR) + "/seed-" + std::to_string(seed) + "-grid.txt");
  std::string row;
  for (int y = 1; y <= GridHeight; ++y) {
    ASSERT_TRUE(std::getline(grid, row));
    ASSERT_EQ(row.size(), size_t(GridWidth));
    for (int x = 1; x <= GridWidth; ++x) {
      ASSERT_EQ(Grid[x][y], row[x - 1] - '0') << "cell " << x << "," << y;
    }
  }
  std::ifstream mines(std::string(TESTDATA_DIR) + "/seed-" + std::to_string(seed) + "-mines.txt");
  for (int i = 1; i <= MineCount; ++i) {
    int x, y;
    ASSERT_TRUE(mines >> x >> y);
    EXPECT_EQ(Mines[i].x, x) << "mine " << i;
    EXPECT_EQ(Mines[i].y, y) << "mine " << i;
  }
  EXPECT_EQ(Grid[50][40], DomeCell);
}

TEST(Generation, SeedOneMatchesTheReferenceAtItsSecondAttempt) {
  CheckAgainstReference(1, 2);
}
TEST(Generation, SeedTwoMatchesTheReferenceAtItsThirdAttempt) {
  CheckAgainstReference(2, 3);
}

// The grid as the fill left it, taken when the first mine draws its column (the fill draws
// only from 3 and 2).
CellCode filled[GridWidth + 1][GridHeight + 1];
bool fillTaken = false;
int32_t TakeTheFillThenRandom(int32_t n) {
  if (n == GridWidth && !fillTaken) {
    std::memcpy(filled, Grid, sizeof Grid);
    fillTaken = true;
  }
  return Random(n);
}

TEST(Generation, NoMineOnAnOpenCellNearTheDomeColumn) {
  int nearMines = 0;
  for (uint32_t seed = 10; seed < 20; ++seed) {
    ScriptedRandom random;
    random.fallback = TakeTheFillThenRandom;
    fillTaken = false;
    RandomSeed = seed;
    domeX = 50;
    domeY = 40;
    GenerateMaze();
    ASSERT_TRUE(fillTaken);
    for (int i = 1; i <= MineCount; ++i) {
      const int x = Mines[i].x, y = Mines[i].y;
      if (!(domeX - NearColumns < x && x < domeX + NearColumns)) continue;
      ++nearMines;
      // Open when it was placed: open after the fill and no earlier mine on it.
      bool open = filled[x][y] == OpenCell;
      for (int j = 1; j < i; ++j) open = open && !(Mines[j].x == x && Mines[j].y == y);
      EXPECT_FALSE(open) << "seed " << seed << ", mine " << i << " at " << x << "," << y;
    }
  }
  EXPECT_GT(nearMines, 100);  // the seeds put many mines near the column
}

TEST(Generation, NearDrawKeepsTheMineOffOpenCellsInAnyColumn) {
  ScriptedRandom random;
  domeX = 50;
  for (int cell = 0; cell < GridWidth * GridHeight; ++cell) random.script.push_back(1);  // open
  // Mine 1 falls far from the dome on an open cell and stays there.
  random.script.insert(random.script.end(), {69, 9});  // (70, 10)
  // Mine 2 first falls near the dome on an open cell: refused; then far on an open cell:
  // still refused, near stays set; then onto mine 1's cell: accepted.
  random.script.insert(random.script.end(), {49, 19, 89, 29, 69, 9});
  GenerateMaze();
  EXPECT_EQ(Mines[1].x, 70);
  EXPECT_EQ(Mines[1].y, 10);
  EXPECT_EQ(Mines[2].x, 70);
  EXPECT_EQ(Mines[2].y, 10);
  EXPECT_EQ(Grid[50][20], OpenCell);
  EXPECT_EQ(Grid[90][30], OpenCell);
  // The rest fall on (100, 80) from the script's default: far, so accepted even when shared.
  EXPECT_EQ(Mines[80].x, 100);
  EXPECT_EQ(Grid[100][80], MineCell);
}

TEST(Generation, FillDrawsASecondNumberOnlyWhenTheFirstIsNotOne) {
  ScriptedRandom random;
  // (1,1): 1 gives open at once; (1,2): 0 then 1 gives a wall; (1,3): 2 then 0 gives open.
  random.script.insert(random.script.end(), {1, 0, 1, 2, 0});
  GenerateMaze();
  EXPECT_EQ(Grid[1][1], OpenCell);
  EXPECT_EQ(Grid[1][2], WallCell);
  EXPECT_EQ(Grid[1][3], OpenCell);
  EXPECT_EQ(Grid[1][4], WallCell);  // the default draws 2, then 1
  // Every cell after the scripted ones cost two draws; every mine one pair.
  EXPECT_EQ(random.calls, 5 + 2 * (GridWidth * GridHeight - 3) + 2 * MineCount);
}

TEST(Walk, WallStartCellAlwaysRegenerates) {
  ScriptedRandom random;
  FillGrid(OpenCell);
  domeX = 50;
  domeY = 40;
  Grid[50][40] = WallCell;
  random.step(0, -1);
  WalkFromStart();
  EXPECT_TRUE(regenerate);
  EXPECT_EQ(random.calls, 2);  // the walk ends after its first accepted step
}

TEST(Walk, PassesThroughMinesToTheEdge) {
  ScriptedRandom random;
  FillGrid(WallCell);
  domeX = 50;
  domeY = 40;
  for (int x = 1; x <= 50; ++x) Grid[x][40] = MineCell;
  random.step(1, 1);   // diagonal: refused
  random.step(0, -1);  // into a wall: refused
  random.step(0, 0);   // the null step is accepted
  for (int i = 0; i < 49; ++i) random.step(-1, 0);
  WalkFromStart();
  EXPECT_FALSE(regenerate);
  EXPECT_EQ(random.calls, 2 * (3 + 49));
}

TEST(Walk, StepFromColumnHundredToOutsideAccepts) {
  ScriptedRandom random;
  FillGrid(WallCell);
  domeX = 100;
  domeY = 40;
  Grid[100][40] = OpenCell;
  random.step(1, 0);
  WalkFromStart();
  EXPECT_FALSE(regenerate);
  domeX = 50;
}

TEST(Walk, WalledInStartEndsAtTheDrawLimitCountedFromTheWalksStart) {
  ScriptedRandom random;
  FillGrid(WallCell);
  domeX = 50;
  domeY = 40;
  Grid[50][40] = OpenCell;
  random.step(0, 0);  // accepted, and the walk stays put
  // Then only the default draw (+1, +1): always refused. The accepted step's draw counts.
  WalkFromStart();
  EXPECT_TRUE(regenerate);
  EXPECT_EQ(random.calls, 2 * (WalkDrawLimit + 1));
}

TEST(Walk, MineOnAWallStartCellIsNotAWall) {
  ScriptedRandom random;
  FillGrid(OpenCell);
  domeX = 50;
  domeY = 40;
  Grid[50][40] = MineCell;
  for (int i = 0; i < 39; ++i) random.step(0, -1);  // row 40 up to row 1
  WalkFromStart();
  EXPECT_FALSE(regenerate);
}

}  // namespace
