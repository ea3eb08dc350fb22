// Whole games on the in-memory display, with scripted random numbers and keys fed to the
// key buffer while the game runs.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "console_capture.h"
#include "game/game.h"
#include "game/maze.h"
#include "game/mines.h"
#include "headless_game.h"
#include "key_ring.h"
#include "keys/key_buffer.h"
#include "scripted_random.h"

namespace {

// Draws of one MoveMines when every mine is walled in: each of the 80 mines tries
// MineDrawLimit + 1 steps of two draws.
constexpr int64_t DrawsPerMineMove = MineCount * 2 * (MineDrawLimit + 1);

// What the console showed at each time line: the dome's row and the draws made so far.
// Each time line also feeds the Up arrow, one key more than a turn reads, so the game never
// waits for a key; the full ring drops its oldest keys.
struct TimeLine {
  int domeRow;
  int64_t draws;
};
std::vector<TimeLine> timeLines;
std::string shown;
bool Record(std::string_view text, bool toStandardError) {
  if (toStandardError) return true;
  shown += text;
  if (text.rfind("Aikaa jaljella vain", 0) == 0) {
    timeLines.push_back({domeY, ScriptedRandom::calls});
    PutExtendedKey('H');
  }
  return true;
}

// A maze of walls with one open column from the start up to the frame, every mine placed
// in one walled-in cell, and the start walk straight up that column.
void ScriptOpenColumnUp() {
  for (int x = 1; x <= GridWidth; ++x) {
    for (int y = 1; y <= GridHeight; ++y) {
      if (x == 50 && y <= 40) {
        ScriptedRandom::script.push_back(1);  // open
      } else {
        ScriptedRandom::script.insert(ScriptedRandom::script.end(), {0, 1});  // wall
      }
    }
  }
  for (int i = 1; i <= MineCount; ++i)
    ScriptedRandom::script.insert(ScriptedRandom::script.end(), {89, 69});
  for (int y = 40; y > 1; --y) ScriptedRandom::step(0, -1);
}

// A walled-in mine steps right into the wall until its tries run out.
int32_t StepRight(int32_t n) {
  static bool dx = false;
  dx = !dx;
  return n == 3 ? (dx ? 2 : 1) : n - 1;
}

TEST(Play, EscapingUpTheOpenColumnTakesTwoTurnsAStepAndEndsWithTheSuccessLine) {
  StartHeadlessGraphics();
  StartKeyBuffer();
  ScriptedRandom random;
  ScriptOpenColumnUp();
  const int64_t generationDraws = int64_t(ScriptedRandom::script.size());
  random.fallback = StepRight;
  platform::SetConsoleWriter(Record);

  for (int i = 0; i < 15; ++i) PutExtendedKey('H');  // the Up arrow, typed ahead
  const int code = RunMazeGame();
  platform::SetConsoleWriter(nullptr);

  EXPECT_EQ(code, 0);
  EXPECT_TRUE(escaped);
  EXPECT_EQ(domeY, 1);
  const std::string success = "LOISTAVAA!! PAASIT LABYRINTISTA ULOS\n";
  ASSERT_GE(shown.size(), success.size());
  EXPECT_EQ(shown.substr(shown.size() - success.size()), success) << shown;
  // Each turn: a mine move, the time line, a mine move.
  for (size_t k = 0; k < timeLines.size(); ++k) {
    EXPECT_EQ(timeLines[k].draws, generationDraws + int64_t(2 * k + 1) * DrawsPerMineMove)
        << "time line " << k + 1;
  }
  // One key a turn: an arrow's 0 and its letter are two turns, so no row is seen once.
  std::map<int, int> turnsOnRow;
  for (size_t k = 0; k < timeLines.size(); ++k) {
    ++turnsOnRow[timeLines[k].domeRow];
    if (k == 0) continue;
    const int rise = timeLines[k - 1].domeRow - timeLines[k].domeRow;
    EXPECT_TRUE(rise == 0 || rise == 1) << "time line " << k + 1 << " rose " << rise << " rows";
  }
  for (int row = 40; row >= 2; --row) EXPECT_GE(turnsOnRow[row], 2) << "row " << row;
  EXPECT_EQ(timeLines.back().domeRow, 2);  // the last step comes after the last time line
}

}  // namespace
