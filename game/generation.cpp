#include "game/generation.h"

#include "game/maze.h"
#include "game/random_source.h"
#include "runtime/console_output.h"

CellCode Grid[GridWidth + 1][GridHeight + 1];
MinePosition Mines[MineCount + 1];
int8_t domeX = 50, domeY = 40;
bool regenerate = true;

namespace {

void FillCells() {
  for (int x = 1; x <= GridWidth; ++x) {
    for (int y = 1; y <= GridHeight; ++y) {
      Grid[x][y] = GameRandom(3) == 1 ? OpenCell : CellCode(GameRandom(2) + 1);
    }
  }
}

// A mine whose draws have once fallen near the dome's column may only land on a cell
// that is not open.
void PlaceMines() {
  for (int i = 1; i <= MineCount; ++i) {
    bool near = false;
    int mx, my;
    for (;;) {
      mx = GameRandom(GridWidth) + 1;
      my = GameRandom(GridHeight) + 1;
      if (domeX - NearColumns < mx && mx < domeX + NearColumns) near = true;
      if (!(Grid[mx][my] == OpenCell && near)) break;
    }
    Mines[i] = {uint8_t(mx), uint8_t(my)};
    Grid[mx][my] = MineCell;
  }
}

// Outside the grid (column 101 or row 81) nothing is stored, and it is not a wall.
bool IsWall(int x, int y) {
  return InsideGrid(x, y) && Grid[x][y] == WallCell;
}

}  // namespace

void GenerateMaze() {
  FillCells();
  PlaceMines();
}

void WalkFromStart() {
  regenerate = Grid[domeX][domeY] == WallCell;
  int x = domeX, y = domeY;
  int32_t counter = 0;
  do {
    int dx, dy;
    do {
      dx = GameRandom(3) - 1;
      dy = GameRandom(3) - 1;
      ++counter;
    } while (!(((dx == 0 || dy == 0) && !IsWall(x + dx, y + dy)) || counter > WalkDrawLimit));
    if (counter > WalkDrawLimit) regenerate = true;
    x += dx;
    y += dy;
  } while (!OnOrBeyondEdge(x, y) && !regenerate);
}

void GenerateAcceptedMaze() {
  domeX = 50;
  domeY = 40;
  regenerate = true;
  do {
    Write("Odota, arvon labyrinttia.");
    GenerateMaze();
    WalkFromStart();
  } while (regenerate);
  Grid[domeX][domeY] = DomeCell;
}
