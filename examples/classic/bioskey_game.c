/* A game loop on bioskey: the arrows move a square about a field, Space drops a marker,
 * Esc ends. bioskey(1) asks whether a key waits, bioskey(0) takes it as scan code and
 * character. */
#include <bios.h>
#include <dos.h>
#include <graphics.h>
#include <stdio.h>

#define UP 0x4800
#define DOWN 0x5000
#define LEFT 0x4B00
#define RIGHT 0x4D00
#define SPACE 0x3920
#define ESC 0x011B
#define STEP 20

static void square(int x, int y, int color) {
  setfillstyle(SOLID_FILL, color);
  bar(x, y, x + STEP - 2, y + STEP - 2);
}

int main(void) {
  int gd = DETECT, gm, key = 0, moves = 0;
  int x = 300, y = 220;
  initgraph(&gd, &gm, "");
  if (graphresult() != grOk) {
    printf("Graphics error: %s\n", grapherrormsg(graphresult()));
    return 1;
  }
  setcolor(WHITE);
  outtextxy(10, 10, "Arrows move, Space marks, Esc ends");
  square(x, y, YELLOW);
  while (key != ESC) {
    if (!bioskey(1)) {
      delay(10);
      continue;
    }
    key = bioskey(0);
    square(x, y, BLACK);
    if (key == UP && y >= 40) y -= STEP;
    if (key == DOWN && y + STEP <= getmaxy() - STEP) y += STEP;
    if (key == LEFT && x >= STEP) x -= STEP;
    if (key == RIGHT && x + STEP <= getmaxx() - STEP) x += STEP;
    if (key == SPACE) {
      setcolor(LIGHTGREEN);
      circle(x + STEP / 2, y + STEP / 2, STEP);
    }
    square(x, y, YELLOW);
    moves++;
  }
  closegraph();
  printf("%d keys, the square ended at %d,%d\n", moves, x, y);
  return 0;
}
