/* A night scene that the palette turns to day: setbkcolor colours the whole screen at once,
 * and changing one palette entry changes everything drawn in that colour. */
#include <conio.h>
#include <dos.h>
#include <graphics.h>
#include <stdio.h>

int main(void) {
  int gd = DETECT, gm, i;
  int hills[] = {0, 400, 120, 330, 260, 380, 420, 300, 639, 370, 639, 479, 0, 479, 0, 400};
  initgraph(&gd, &gm, "");
  if (graphresult() != grOk) {
    printf("Graphics error: %s\n", grapherrormsg(graphresult()));
    return 1;
  }
  setbkcolor(BLUE);
  setcolor(GREEN);
  setfillstyle(SOLID_FILL, GREEN);
  fillpoly(8, hills);
  setcolor(YELLOW);
  setfillstyle(SOLID_FILL, YELLOW);
  fillellipse(520, 90, 40, 40);
  setcolor(WHITE);
  outtextxy(10, 10, "A key turns the night into day");
  getch();

  /* Day: the sky lightens and the sun reddens, with not a pixel drawn again. */
  setbkcolor(LIGHTCYAN);
  for (i = 0; i < 3; i++) {
    setpalette(YELLOW, EGA_LIGHTRED);
    delay(150);
    setpalette(YELLOW, EGA_YELLOW);
    delay(150);
  }
  setpalette(YELLOW, EGA_LIGHTRED);
  getch();
  closegraph();
  return 0;
}
