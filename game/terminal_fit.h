#pragma once
// In a terminal one pixel is half a character cell, so the maze fits only in a terminal of
// some size; elsewhere the graph window is the size of a maximised window. The platform
// answers which size its display needs (platform/display_fit.h).

// The graph window shows the maze in cells of at least one pixel: the grid and its frame
// are 101 x 81 cells, and the cell size comes from GetMaxX and GetMaxY.
constexpr int SmallestMazeWidth = 102, SmallestMazeHeight = 82;

// False, after one line on standard error that says which size the game needs, when the
// graph window would be drawn in a terminal too small for the maze.
bool TerminalFitsMaze();
