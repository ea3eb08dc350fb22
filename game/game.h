#pragma once
// The game's start-up, main loop and endings.

int RunMazeGame();
