// The classic key routines of graphics.h and conio.h over the console's key source.
#include <cstdio>

#include "console_keys.h"
#include "console_screen.h"

namespace {

// Whether the last byte taken was the 0 in front of a scan code, which getche must not echo.
bool afterLead = false;

int Take() {
  const int c = bgi::TakeKey();
  afterLead = c == 0 && !afterLead;
  return c;
}

}  // namespace

extern "C" {

int getch(void) {
  return Take();
}

int getche(void) {
  const bool scanCode = afterLead;
  const int c = Take();
  if (c != 0 && !scanCode) bgi::PutCharacter(char(c));
  return c;
}

int kbhit(void) {
  return bgi::KeyWaiting();
}

int ungetch(int c) {
  if (c == EOF || !bgi::PutBackKey(uint8_t(c))) return EOF;
  return c & 0xFF;
}

}  // extern "C"
