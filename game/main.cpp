// The program's entry. It is where the program starts its services, so it alone in game/
// knows the window driver and the key buffer: it calls their public start routines and
// includes only public headers; the game itself sees the layer, the keys and the runtime.
#include "game/game.h"
#include "graphwin/driver.h"
#include "graphwin/hooks.h"
#include "keys/key_buffer.h"
#include "runtime/console_output.h"

int main() {
  // Closed standard descriptors are taken before anything else opens a file, so that no
  // connection or file takes the place of standard output.
  OpenClosedStandardStreams();
  // Program initialisation, before any of the game's own code: the graphics stack with
  // its driver and mouse part, then the key buffer; the game hears when the display goes.
  StartGraphWindowDriver();
  StartKeyBuffer();
  DisplayLostHook = NoteDisplayLost;
  return RunMazeGame();
}
