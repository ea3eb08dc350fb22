/* A ball bouncing in a box, drawn on the hidden page and then shown whole, so that nothing
 * flickers: the classic double buffering with setactivepage and setvisualpage. */
#include <conio.h>
#include <dos.h>
#include <graphics.h>
#include <stdio.h>
#include <stdlib.h>

int main(void) {
  int gd = DETECT, gm, page = 0, frames = 0;
  int x = 100, y = 100, dx = 7, dy = 5, radius = 20;
  initgraph(&gd, &gm, "");
  if (graphresult() != grOk) {
    printf("Graphics error: %s\n", grapherrormsg(graphresult()));
    return 1;
  }
  while (!kbhit() && frames < 2000) {
    setactivepage(page);
    cleardevice();
    setcolor(LIGHTGRAY);
    rectangle(0, 0, getmaxx(), getmaxy());
    setfillstyle(SOLID_FILL, LIGHTRED);
    setcolor(RED);
    fillellipse(x, y, radius, radius);
    setcolor(WHITE);
    outtextxy(10, 10, "Any key ends the show");
    setvisualpage(page);
    page = 1 - page;

    x += dx;
    y += dy;
    if (x - radius <= 0 || x + radius >= getmaxx()) dx = -dx;
    if (y - radius <= 0 || y + radius >= getmaxy()) dy = -dy;
    frames++;
    delay(20);
  }
  if (kbhit()) getch();
  closegraph();
  return 0;
}
