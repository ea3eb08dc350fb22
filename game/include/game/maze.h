#pragma once
// The game's world: the grid of cell codes, the mine table and the dome's position.
#include <cstdint>

using CellCode = int16_t;
constexpr CellCode OpenCell = 1;
constexpr CellCode WallCell = 2;
constexpr CellCode DomeCell = 3;
constexpr CellCode MineCell = 4;  // where a mine was placed, for the whole game

constexpr int GridWidth = 100;
constexpr int GridHeight = 80;
constexpr int MineCount = 80;

struct MinePosition {
  uint8_t x = 0, y = 0;
};

// Indexed [x][y] from 1; index 0 is unused.
extern CellCode Grid[GridWidth + 1][GridHeight + 1];
extern MinePosition Mines[MineCount + 1];
extern int8_t domeX, domeY;
extern bool regenerate;

inline bool InsideGrid(int x, int y) {
  return x >= 1 && x <= GridWidth && y >= 1 && y <= GridHeight;
}
// On or beyond the edge: where the dome escapes and what the start walk looks for.
inline bool OnOrBeyondEdge(int x, int y) {
  return x < 2 || x > GridWidth || y < 2 || y > GridHeight;
}
