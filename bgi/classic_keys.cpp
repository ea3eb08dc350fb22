// Keys and waiting for C programs: the key buffer of the graph window, and the clock's sleep.
#include "arguments.h"
#include "graphwin/driver.h"
#include "keys/key_buffer.h"
#include "platform/clock.h"

namespace {

constexpr int EscapeKey = 27;

// No key can come any more: the window was closed, closegraph ended it, or none was opened.
bool WindowGone() {
  return MessageThreadExitCode() != STILL_ACTIVE;
}

}  // namespace

extern "C" {

int getch(void) {
  for (;;) {
    if (KeyPressed()) return ReadKey();
    // Keys typed before the window went are still read first.
    if (WindowGone() && !KeyPressed()) return EscapeKey;
    Sleep(10);
  }
}

int kbhit(void) {
  return KeyPressed() || WindowGone();
}

void delay(unsigned milliseconds) {
  Sleep(milliseconds);
}

}  // extern "C"
