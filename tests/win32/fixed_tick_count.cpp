// Linked into the maze that the Windows end-to-end test plays, in place of the real
// GetTickCount, the clock behind the game's seed: it reads the same fixed boot time as in
// the Linux end-to-end tests, so the test plays a maze it knows, in which no mine reaches
// the dome for far longer than the test lasts.
#include "platform/clock.h"
#include "testing/fixed_seed.h"

DWORD GetTickCount() {
  return FixedBootMs;
}
