#include "game/game.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>

#include "game/generation.h"
#include "game/maze.h"
#include "game/maze_drawing.h"
#include "game/mines.h"
#include "graph/graph.h"
#include "graph/text.h"
#include "keys/key_buffer.h"
#include "runtime/console_output.h"
#include "runtime/date_time.h"
#include "runtime/exit_chain.h"
#include "runtime/random.h"
#include "terminal_fit.h"

bool escaped = false;
bool quit = false;

namespace {

int16_t HalfWidth = 0, HalfHeight = 0;

// Written once by the message thread, the name before the flag.
std::atomic<bool> displayLostNoted{false};
std::atomic<bool> displayLost{false};
std::string lostDisplayName;

void EndIfDisplayLost() {
  if (!displayLost.load(std::memory_order_acquire)) return;
  WriteErrorLine("Error: " + lostDisplayName +
                 " was lost, so the game has ended. Start it again where a display is running.");
  Halt(DisplayLostExitCode);
}

void WaitForKey() {
  int32_t counter = 0;
  do {
    ++counter;
  } while (counter != WaitCount && !KeyPressed() && !displayLost.load(std::memory_order_relaxed));
}

}  // namespace

int16_t ElapsedCounts(double days) {
  const double counts = std::trunc(days * TimeFactor);
  return int16_t(std::clamp(counts, double(INT16_MIN), double(INT16_MAX)));
}

void ShowTimeLeft(int16_t elapsed) {
  WriteLine("Aikaa jaljella vain" + std::to_string(TimeLimit - elapsed) + " sekuntia!!");
  if (elapsed > TimeLimit) Explode();
}

void StartGame() {
  Randomize();
  HalfWidth = 50;
  HalfHeight = 40;
  if (!TerminalFitsMaze()) Halt(1);
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  if (GraphResult() != grOk) {
    WriteLine("grapich state is not supported!");
    Halt(1);
  }
  cellWidth = int8_t(double(GetMaxX()) / (2 * HalfWidth + 1));
  cellHeight = int8_t(double(GetMaxY()) / (2 * HalfHeight + 1));
  GenerateAcceptedMaze();
  DrawMaze();
  SetTextStyle(DefaultFont, HorizDir, 2);
}

void ShowWallMessage() {
  WriteLine("Ei kannata hakata kupolia muuriin!!");
}

void CheckEscape() {
  if (OnOrBeyondEdge(domeX, domeY)) escaped = true;
}

void MoveDome(int8_t dx, int8_t dy) {
  const int tx = domeX + dx, ty = domeY + dy;
  // Column 101 and row 81 lie outside the grid: neither wall nor mine.
  const CellCode target = InsideGrid(tx, ty) ? Grid[tx][ty] : OpenCell;
  if (target == MineCell) Explode();
  if (target == WallCell) {
    ShowWallMessage();
    return;
  }
  Grid[domeX][domeY] = OpenCell;
  const int8_t oldX = domeX, oldY = domeY;
  domeX = int8_t(tx);
  domeY = int8_t(ty);
  CheckEscape();
  if (InsideGrid(domeX, domeY)) Grid[domeX][domeY] = DomeCell;
  RedrawStep(uint8_t(domeX), uint8_t(domeY), uint8_t(oldX), uint8_t(oldY), DomeCell);
}

void HandleKey(uint8_t c) {
  switch (c) {
    case 'H':
      MoveDome(0, -1);
      break;
    case 'K':
      MoveDome(-1, 0);
      break;
    case 'M':
      MoveDome(1, 0);
      break;
    case 'P':
      MoveDome(0, 1);
      break;
    case 'a':
      quit = true;
      break;
    default:
      break;  // the leading 0 of an arrow key, and every other key
  }
}

void NoteDisplayLost(const char* displayName) {
  if (displayLostNoted.exchange(true)) return;
  lostDisplayName = displayName;
  displayLost.store(true, std::memory_order_release);
}

int RunMazeGame() {
  StartGame();
  escaped = false;
  quit = false;
  const double startTime = Now();
  do {
    EndIfDisplayLost();
    MoveMines();
    WaitForKey();
    EndIfDisplayLost();
    ShowTimeLeft(ElapsedCounts(Now() - startTime));
    MoveMines();
    if (KeyPressed()) HandleKey(ReadKey());
  } while (!quit && !escaped);
  if (escaped) WriteLine("LOISTAVAA!! PAASIT LABYRINTISTA ULOS");
  return 0;
}
