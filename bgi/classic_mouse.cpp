// The mouse routines of graphics.h over the C front's click queues. Each runs the handler
// calls that wait first, so that a handler sees its event before the program's next look.
#include <graphics.h>

#include "mouse_clicks.h"

extern "C" {

int ismouseclick(int kind) {
  bgi::RunMouseHandlers();
  return bgi::ClickWaiting(kind) ? 1 : 0;
}

void getmouseclick(int kind, int* x, int* y) {
  bgi::RunMouseHandlers();
  const auto click = bgi::TakeClick(kind);
  if (x) *x = click ? click->x : NO_CLICK;
  if (y) *y = click ? click->y : NO_CLICK;
}

void clearmouseclick(int kind) {
  bgi::RunMouseHandlers();
  bgi::ClearClicks(kind);
}

int mousex(void) {
  bgi::RunMouseHandlers();
  return bgi::PointerPosition().x;
}

int mousey(void) {
  bgi::RunMouseHandlers();
  return bgi::PointerPosition().y;
}

void registermousehandler(int kind, void (*handler)(int x, int y)) {
  bgi::SetMouseHandler(kind, handler);
}

}  // extern "C"
