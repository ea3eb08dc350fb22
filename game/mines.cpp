#include "game/mines.h"

#include <string>

#include "game/maze.h"
#include "game/maze_drawing.h"
#include "game/random_source.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "runtime/console_output.h"
#include "runtime/exit_chain.h"

namespace {

// Outside the grid a mine sees neither an open cell nor the dome: like a wall.
CellCode CellAt(int x, int y) {
  return InsideGrid(x, y) ? Grid[x][y] : WallCell;
}

void MoveMine(MinePosition& mine) {
  const int mx = mine.x, my = mine.y;
  int tries = 0;
  int tx = mx, ty = my;
  CellCode target = 0;
  for (;;) {
    ++tries;
    const int dx = GameRandom(3) - 1;
    const int dy = GameRandom(3) - 1;
    if ((dx == 0) == (dy == 0)) continue;  // diagonal or null draws never end the search
    tx = mx + dx;
    ty = my + dy;
    target = CellAt(tx, ty);
    if (target == OpenCell || tries > MineDrawLimit || target == DomeCell) break;
  }
  if (target == DomeCell) Explode();
  // An open target found by the 20th draw or later is not taken.
  if (tries < MineDrawLimit && target == OpenCell) {
    mine = {uint8_t(tx), uint8_t(ty)};
    RedrawStep(uint8_t(tx), uint8_t(ty), uint8_t(mx), uint8_t(my), MineCell);
  }
  // Catches a dome that stepped onto the cell where this mine stands.
  if (Grid[mine.x][mine.y] == DomeCell) Explode();
}

}  // namespace

void MoveMines() {
  for (int i = 1; i <= MineCount; ++i) MoveMine(Mines[i]);
}

void Explode() {
  WriteLine("RAJAHDYS" + std::string(21, '!'));
  // The dome's place scaled to the whole mode, not the middle of its slot.
  const int16_t cx = int16_t(GetMaxX() * (domeX / 100.0));
  const int16_t cy = int16_t(GetMaxY() * (domeY / 80.0));
  const int16_t rings = int16_t(GetMaxY() / 10);
  for (int16_t k = 1; k <= rings; ++k) {
    SetFillStyle(SolidFill, uint16_t(GameRandom(GetMaxColor())));
    FillEllipse(cx, cy, uint16_t(30 * k), uint16_t(30 * k));
  }
  Halt(2);
}
