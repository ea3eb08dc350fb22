#include "game/maze_drawing.h"

#include "game/maze.h"
#include "graph/fill.h"

int8_t cellWidth = 0, cellHeight = 0;

namespace {

uint16_t ColorOf(CellCode code) {
  switch (code) {
    case WallCell:
      return WallColor;
    case DomeCell:
      return DomeColor;
    case MineCell:
      return MineColor;
    default:
      return OpenColor;
  }
}

void BarAtSlot(int x, int y) {
  Bar(int16_t(x * cellWidth), int16_t(y * cellHeight), int16_t(x * cellWidth + cellWidth),
      int16_t(y * cellHeight + cellHeight));
}

}  // namespace

void DrawMaze() {
  for (int y = 1; y <= FieldRows; ++y) {
    for (int x = 1; x <= FieldColumns; ++x) {
      if (InsideGrid(x, y)) SetFillStyle(SolidFill, ColorOf(Grid[x][y]));
      // The frame is green whatever its cells hold.
      if (OnOrBeyondEdge(x, y)) SetFillStyle(SolidFill, FrameColor);
      BarAtSlot(x, y);
    }
  }
}

void RedrawStep(uint8_t newX, uint8_t newY, uint8_t oldX, uint8_t oldY, uint8_t code) {
  if (code == DomeCell) SetFillStyle(SolidFill, DomeColor);
  if (code == MineCell) SetFillStyle(SolidFill, MineColor);
  BarAtSlot(newX, newY);
  SetFillStyle(SolidFill, OpenColor);
  BarAtSlot(oldX, oldY);
}
