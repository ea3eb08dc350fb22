#include "game/game.h"

int main() {
  return RunMazeGame();
}
