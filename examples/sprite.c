/* A moving sprite: a ball drawn once, taken with getimage and moved over a patterned
 * background with putimage in XOR mode (the second XOR at the same place takes it away
 * again), until a key is pressed. */
#include <graphics.h>
#include <stdio.h>
#include <stdlib.h>

enum { RADIUS = 20 };

int main(void) {
  int driver = DETECT, mode = 0, result, x = RADIUS, y = RADIUS, dx = 4, dy = 3, size = 2 * RADIUS;
  unsigned bytes;
  void* ball;

  initgraph(&driver, &mode, "");
  result = graphresult();
  if (result != grOk) {
    fprintf(stderr, "sprite: graphics did not start: %s\n", grapherrormsg(result));
    return 1;
  }

  /* The ball, drawn on black at the top-left corner and taken from there. */
  setcolor(YELLOW);
  setfillstyle(SOLID_FILL, YELLOW);
  fillellipse(RADIUS, RADIUS, RADIUS - 1, RADIUS - 1);
  setcolor(RED);
  circle(RADIUS, RADIUS, RADIUS / 2);
  bytes = imagesize(0, 0, size, size);
  ball = bytes ? malloc(bytes) : NULL;
  if (!ball) {
    closegraph();
    fprintf(stderr, "sprite: no memory for an image of %u bytes\n", bytes);
    return 1;
  }
  getimage(0, 0, size, size, ball);
  cleardevice();

  setfillstyle(HATCH_FILL, BLUE);
  bar(0, 0, getmaxx(), getmaxy());
  setcolor(WHITE);
  outtextxy(8, 8, "putimage with XOR_PUT: press a key");

  while (!kbhit()) {
    putimage(x - RADIUS, y - RADIUS, ball, XOR_PUT);
    delay(15);
    putimage(x - RADIUS, y - RADIUS, ball, XOR_PUT);
    if (x + dx < RADIUS || x + dx > getmaxx() - RADIUS) dx = -dx;
    if (y + dy < RADIUS || y + dy > getmaxy() - RADIUS) dy = -dy;
    x += dx;
    y += dy;
  }
  getch();
  free(ball);
  closegraph();
  return 0;
}
