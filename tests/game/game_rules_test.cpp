// The game's rules on constructed grids and mine tables, with scripted random numbers,
// drawn into an in-memory graph window.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "console_capture.h"
#include "game/game.h"
#include "game/maze.h"
#include "game/maze_drawing.h"
#include "game/mines.h"
#include "graph/graph.h"
#include "graph/shapes.h"
#include "graphwin/driver.h"
#include "headless_game.h"
#include "runtime/console_output.h"
#include "runtime/exit_chain.h"
#include "scripted_random.h"

namespace {

// Colour of the middle of slot (x, y), away from the lines it shares with its neighbours.
uint16_t SlotColor(int x, int y) {
  return GetPixel(int16_t(x * cellWidth + cellWidth / 2), int16_t(y * cellHeight + cellHeight / 2));
}

class GameRules : public ::testing::Test {
 protected:
  void SetUp() override {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    StartHeadlessGraphics();
    for (int x = 1; x <= GridWidth; ++x)
      for (int y = 1; y <= GridHeight; ++y) Grid[x][y] = WallCell;
    // Every mine parked in a closed pocket far from the dome, unless a test moves it.
    Grid[90][70] = MineCell;
    for (int i = 1; i <= MineCount; ++i) Mines[i] = {90, 70};
    domeX = 50;
    domeY = 40;
    Grid[50][40] = DomeCell;
    escaped = quit = false;
    random.fallback = Random;  // searches end by chance, as in play
    RandomSeed = 4242;
  }

  // Explosions end the process; the console text goes to standard error so that death
  // tests can match it, with the centre of the last ring after it.
  static void explodeVisibly(const std::function<void()>& action) {
    static ExitHandler displaced = nullptr;
    platform::SetConsoleWriter([](std::string_view text, bool) {
      std::fwrite(text.data(), 1, text.size(), stderr);
      return true;
    });
    displaced = ChainExitHandler([] {
      ExitProc = displaced;
      ArcCoordsType arc;
      GetArcCoords(arc);
      std::fprintf(stderr, "centre %d %d\n", arc.X, arc.Y);
    });
    action();
  }

  ScriptedRandom random;
};

TEST_F(GameRules, MineNextToTheDomeExplodesWhenItDrawsThatStep) {
  Mines[1] = {51, 40};
  Grid[51][40] = OpenCell;
  random.step(-1, -1);  // diagonal: refused
  random.step(-1, 0);   // onto the dome
  EXPECT_EXIT(explodeVisibly(MoveMines), ::testing::ExitedWithCode(2),
              "^RAJAHDYS!!!!!!!!!!!!!!!!!!!!!\ncentre 959 508\n$");
}

TEST_F(GameRules, SteppingOntoAPlacedMineCellExplodesCentredBeforeTheStep) {
  Grid[51][40] = MineCell;  // its mine has long left; the slot is white
  EXPECT_EXIT(explodeVisibly([] { MoveDome(1, 0); }), ::testing::ExitedWithCode(2),
              "RAJAHDYS!+\ncentre 959 508");
}

TEST_F(GameRules, SteppingOntoAMovedMineIsAllowedAndItsNextAttemptDecides) {
  ConsoleCapture console;
  Grid[51][40] = OpenCell;
  Grid[52][40] = OpenCell;
  Mines[1] = {51, 40};  // a mine that walked onto an open cell
  MoveDome(1, 0);
  EXPECT_EQ(domeX, 51);
  EXPECT_EQ(Grid[51][40], DomeCell);
  EXPECT_EQ(SlotColor(51, 40), DomeColor);
  // The mine walks away to (52, 40) and paints the dome's slot white; play goes on.
  random.step(1, 0);
  MoveMines();
  EXPECT_EQ(Mines[1].x, 52);
  EXPECT_EQ(SlotColor(51, 40), OpenColor);
  EXPECT_EQ(SlotColor(52, 40), MineColor);
  EXPECT_EQ(ConsoleCapture::out, "");
}

TEST_F(GameRules, AMineThatStaysOnTheDomeCellExplodes) {
  Mines[1] = {50, 40};  // standing where the dome stepped
  // Its neighbours are walls: after 21 draws the search ends without a move.
  EXPECT_EXIT(explodeVisibly(MoveMines), ::testing::ExitedWithCode(2), "RAJAHDYS");
}

TEST_F(GameRules, AStuckMineNeverMoves) {
  Mines[1] = {20, 20};
  Grid[20][20] = MineCell;
  Grid[21][20] = MineCell;  // a placement cell is no way out either
  for (int turn = 0; turn < 50; ++turn) MoveMines();
  EXPECT_EQ(Mines[1].x, 20);
  EXPECT_EQ(Mines[1].y, 20);
}

TEST_F(GameRules, AnOpenTargetCountsOnlyUpToTheNineteenthDraw) {
  Grid[30][30] = OpenCell;
  Grid[31][30] = OpenCell;
  Mines[1] = {30, 30};
  for (int i = 0; i < 18; ++i) random.step(1, 1);
  random.step(1, 0);  // the 19th draw: taken
  MoveMines();
  EXPECT_EQ(Mines[1].x, 31);

  random.script.clear();
  for (int i = 0; i < 19; ++i) random.step(0, 0);
  random.step(-1, 0);  // the 20th draw finds an open cell: not taken
  MoveMines();
  EXPECT_EQ(Mines[1].x, 31);
  EXPECT_EQ(SlotColor(31, 30), MineColor);
}

TEST_F(GameRules, TwoMinesShareACellAndMoveEachOnItsOwn) {
  Grid[30][30] = OpenCell;
  Grid[31][30] = OpenCell;
  Grid[29][30] = OpenCell;
  Mines[1] = Mines[2] = {30, 30};
  random.step(1, 0);
  random.step(-1, 0);
  MoveMines();
  EXPECT_EQ(Mines[1].x, 31);
  EXPECT_EQ(Mines[2].x, 29);
  EXPECT_EQ(Grid[30][30], OpenCell);  // mines never write the grid
  EXPECT_EQ(Grid[31][30], OpenCell);
}

TEST_F(GameRules, MinesNeverEnterWallsPlacementCellsOrTheOutside) {
  Mines[1] = {1, 1};
  Grid[1][1] = OpenCell;
  Grid[2][1] = MineCell;  // another mine's placement cell
  // The unused row and column 0 hold open cells, so only the guard keeps the mine inside.
  Grid[0][1] = OpenCell;
  Grid[1][0] = OpenCell;
  random.step(-1, 0);  // outside the grid
  random.step(0, -1);  // outside the grid
  random.step(1, 0);   // a placement cell
  MoveMines();
  EXPECT_EQ(Mines[1].x, 1);
  EXPECT_EQ(Mines[1].y, 1);
  Grid[0][1] = Grid[1][0] = 0;
}

TEST_F(GameRules, WallStepPrintsTheMessageAndChangesNothing) {
  ConsoleCapture console;
  DrawMaze();
  const uint16_t before = SlotColor(51, 40);
  MoveDome(1, 0);
  EXPECT_EQ(ConsoleCapture::out, "Ei kannata hakata kupolia muuriin!!\n");
  EXPECT_EQ(domeX, 50);
  EXPECT_EQ(Grid[50][40], DomeCell);
  EXPECT_EQ(SlotColor(50, 40), DomeColor);
  EXPECT_EQ(SlotColor(51, 40), before);
}

TEST_F(GameRules, FrameIsGreenWhateverItsCellsHold) {
  Grid[1][10] = OpenCell;
  Grid[10][1] = MineCell;
  DrawMaze();
  EXPECT_EQ(SlotColor(1, 10), FrameColor);
  EXPECT_EQ(SlotColor(10, 1), FrameColor);
  EXPECT_EQ(GetPixel(int16_t(101 * cellWidth), int16_t(40 * cellHeight + 1)), FrameColor);
  EXPECT_EQ(SlotColor(50, 81), FrameColor);
  EXPECT_EQ(SlotColor(50, 40), DomeColor);
  EXPECT_EQ(SlotColor(30, 30), WallColor);
  EXPECT_EQ(SlotColor(90, 70), MineColor);
}

TEST_F(GameRules, SteppingOntoFrameCellsFollowsTheirCodes) {
  ConsoleCapture console;
  domeX = 2;
  domeY = 10;
  Grid[2][10] = DomeCell;
  Grid[1][10] = WallCell;
  MoveDome(-1, 0);
  EXPECT_EQ(ConsoleCapture::out, "Ei kannata hakata kupolia muuriin!!\n");
  EXPECT_FALSE(escaped);
  Grid[1][10] = OpenCell;
  MoveDome(-1, 0);
  EXPECT_TRUE(escaped);
  EXPECT_EQ(SlotColor(1, 10), DomeColor);

  escaped = false;
  domeX = 2;
  Grid[2][10] = DomeCell;
  Grid[1][10] = MineCell;  // green like the rest of the frame, and still a mine
  EXPECT_EXIT(explodeVisibly([] { MoveDome(-1, 0); }), ::testing::ExitedWithCode(2),
              "RAJAHDYS!+\ncentre 38 127");
}

TEST_F(GameRules, SteppingOutThroughColumn101AndRow81Escapes) {
  domeX = 100;
  domeY = 40;
  Grid[100][40] = DomeCell;
  MoveDome(1, 0);
  EXPECT_TRUE(escaped);
  EXPECT_EQ(domeX, 101);
  EXPECT_EQ(Grid[100][40], OpenCell);
  // Column 101 starts at the window's last pixel column, where the old slot, drawn
  // last, leaves its open colour; nothing is stored for it.

  escaped = false;
  domeX = 30;
  domeY = 80;
  Grid[30][80] = DomeCell;
  MoveDome(0, 1);
  EXPECT_TRUE(escaped);
  EXPECT_EQ(SlotColor(30, 81), DomeColor);
}

TEST_F(GameRules, KeysMoveOnlyOnTheirCharactersAndSmallAQuits) {
  Grid[50][39] = OpenCell;
  HandleKey(0);
  HandleKey('A');
  HandleKey('h');
  EXPECT_EQ(domeY, 40);
  EXPECT_FALSE(quit);
  HandleKey('H');
  EXPECT_EQ(domeY, 39);
  HandleKey('a');
  EXPECT_TRUE(quit);
}

TEST(ElapsedCounts, TruncateTowardZeroAndKeepTheSignOfJumpsBeyondSixteenBits) {
  EXPECT_EQ(ElapsedCounts(60.9 / TimeFactor), 60);
  EXPECT_EQ(ElapsedCounts(-60.9 / TimeFactor), -60);
  // 0.4 days forward would wrap to -25536 in 16 bits and never explode.
  EXPECT_EQ(ElapsedCounts(0.4), INT16_MAX);
  EXPECT_EQ(ElapsedCounts(-0.4), INT16_MIN);
}

TEST_F(GameRules, TimeLineAtSixtyAndSixtyOne) {
  ConsoleCapture console;
  ShowTimeLeft(60);
  EXPECT_EQ(ConsoleCapture::out, "Aikaa jaljella vain0 sekuntia!!\n");
  ShowTimeLeft(-3);  // the clock was set back
  EXPECT_EQ(ConsoleCapture::out,
            "Aikaa jaljella vain0 sekuntia!!\nAikaa jaljella vain63 sekuntia!!\n");
  EXPECT_EXIT(explodeVisibly([] { ShowTimeLeft(61); }), ::testing::ExitedWithCode(2),
              "^Aikaa jaljella vain-1 sekuntia!!\nRAJAHDYS!!!!!!!!!!!!!!!!!!!!!\n");
}

}  // namespace
