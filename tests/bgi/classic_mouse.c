#include "classic_mouse.h"

#include <graphics.h>

int take_click(int kind, int* x, int* y) {
  const int waiting = ismouseclick(kind);
  getmouseclick(kind, x, y);
  return waiting;
}

int key_after_lead(void) {
  return getch() == 0 ? getch() : -1;
}
