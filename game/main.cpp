#include "game/game.h"
#include "graphwin/driver.h"
#include "keys/key_buffer.h"

int main() {
  // Program initialisation, before any of the game's own code: the graphics stack with
  // its driver and mouse part, then the key buffer.
  StartGraphWindowDriver();
  StartKeyBuffer();
  return RunMazeGame();
}
