/* A classic C program built against the package: with GRAPHWIN_BACKEND=headless it draws on
 * the in-memory display and reads its drawing back. Exits 0 when all holds, else says what
 * failed. */
#include <graphics.h>
#include <stdio.h>

static int fail(const char* what) {
  fprintf(stderr, "classic check: %s\n", what);
  return 1;
}

int main(void) {
  int gd = DETECT, gm = 0;
  initgraph(&gd, &gm, "");
  if (graphresult() != grOk) return fail("initgraph did not start the graphics");
  setcolor(WHITE);
  rectangle(10, 10, 50, 40);
  setfillstyle(SOLID_FILL, RED);
  floodfill(30, 25, WHITE);
  if (getpixel(30, 25) != RED || getpixel(10, 10) != WHITE || getpixel(60, 25) != BLACK) {
    return fail("the filled rectangle does not read back");
  }
  closegraph();
  printf("classic check: a C program draws and reads back\n");
  return 0;
}
