#include "game/game.h"

#include "game/generation.h"
#include "runtime/random.h"

int RunMazeGame() {
  Randomize();
  GenerateAcceptedMaze();
  return 0;
}
