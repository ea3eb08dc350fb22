#pragma once
// The maze in the graph window: every slot is a solid bar; slots of neighbouring cells
// overlap by one pixel line, and the slot drawn later decides that line.
#include <cstdint>

extern int8_t cellWidth, cellHeight;

constexpr uint16_t OpenColor = 15;  // white
constexpr uint16_t WallColor = 1;   // blue
constexpr uint16_t DomeColor = 4;   // red
constexpr uint16_t MineColor = 14;  // yellow
constexpr uint16_t FrameColor = 2;  // green

constexpr int FieldColumns = 101;  // the grid and one column outside it
constexpr int FieldRows = 81;

void DrawMaze();
void RedrawStep(uint8_t newX, uint8_t newY, uint8_t oldX, uint8_t oldY, uint8_t code);
