#pragma once
// Making mazes: random fill, mine placement, the acceptance walk and the loop around them.

void GenerateMaze();
void WalkFromStart();
// Makes mazes until one is accepted, printing a notice per attempt; marks the dome's cell.
void GenerateAcceptedMaze();

constexpr int WalkDrawLimit = 999999;
constexpr int NearColumns = 15;
