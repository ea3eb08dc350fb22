#include "classic_program.h"

#include <graphics.h>
#include <stddef.h>

int start_graphics(int* driver, int* mode) {
  initgraph(driver, mode, "");
  return graphresult();
}

int start_graphics_without_arguments(void) {
  initgraph(NULL, NULL, NULL);
  return graphresult();
}

int draw_picture(void) {
  int x_after_text;
  static const char stripes[8] = {(char)0xFF, 0, (char)0xFF, 0, (char)0xFF, 0, (char)0xFF, 0};
  setcolor(RED);
  line(10, 10, 20, 10);   /* red run (10..20, 10) */
  putpixel(5, 5, YELLOW); /* yellow dot */
  setfillstyle(SOLID_FILL, GREEN);
  bar(30, 30, 39, 39); /* green block */
  setfillpattern(stripes, CYAN);
  bar(50, 30, 59, 37);          /* cyan rows 30, 32, 34, 36 */
  setfillpattern(NULL, BLUE);   /* refused: nothing changes, nothing breaks */
  fillellipse(300, 300, -5, 5); /* a negative radius draws nothing */
  line(200, 0, 200, 100000);    /* clamped: the whole column 200 */
  outtextxy(0, 400, NULL);      /* empty text */
  moveto(0, 300);
  outtext("ab"); /* moves the current position by two characters */
  x_after_text = getx();
  setviewport(100, 100, 199, 199, 1);
  putpixel(0, 0, WHITE);   /* at (100, 100) */
  putpixel(150, 0, WHITE); /* outside the viewport: clipped */
  return x_after_text;
}

int default_palette(signed char* colors) {
  const struct palettetype* p = getdefaultpalette();
  int i;
  for (i = 0; i <= MAXCOLORS; ++i) colors[i] = p->colors[i];
  return p->size;
}

int recolor_blue(int code) {
  struct palettetype p;
  setpalette(BLUE, code);
  putpixel(1, 1, BLUE);
  getpalette(&p);
  return p.colors[BLUE];
}

int key_if_hit(void) {
  return kbhit() ? getch() : -2;
}

int wait_for_key(void) {
  return getch();
}

void drain_keys(void) {
  while (kbhit()) getch();
}

void end_graphics(void) {
  closegraph();
  graphresult();
}
