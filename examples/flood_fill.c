/* A flood-filled drawing: a house under the sun drawn as outlines, its parts then filled
 * with floodfill from a point inside each, then waits for a key. */
#include <graphics.h>
#include <stdio.h>

/* Fills the region around (x, y) that the outline colour encloses. */
static void fill_at(int x, int y, int pattern, int color) {
  setfillstyle(pattern, color);
  floodfill(x, y, WHITE);
}

int main(void) {
  int driver = DETECT, mode = 0, result, w, h, ground, left, right, top, roof;
  int roof_points[8];

  initgraph(&driver, &mode, "");
  result = graphresult();
  if (result != grOk) {
    fprintf(stderr, "flood_fill: graphics did not start: %s\n", grapherrormsg(result));
    return 1;
  }
  w = getmaxx() + 1;
  h = getmaxy() + 1;
  ground = h * 3 / 4;
  left = w / 4;
  right = w * 3 / 5;
  top = h * 2 / 5;
  roof = h / 5;

  /* Every outline in one colour, which is the border of every fill. */
  setcolor(WHITE);
  rectangle(0, 0, w - 1, h - 1);
  line(0, ground, w - 1, ground);
  rectangle(left, top, right, ground);
  roof_points[0] = left;
  roof_points[1] = top;
  roof_points[2] = (left + right) / 2;
  roof_points[3] = roof;
  roof_points[4] = right;
  roof_points[5] = top;
  roof_points[6] = left;
  roof_points[7] = top;
  drawpoly(4, roof_points);
  rectangle(left + (right - left) / 8, top + (ground - top) / 4, left + (right - left) / 3,
            top + (ground - top) / 2);
  rectangle((left + right) / 2, top + (ground - top) / 3, (left + right) / 2 + (right - left) / 6,
            ground);
  circle(w * 4 / 5, h / 5, h / 10);
  arc(w * 4 / 5, ground, 0, 180, w / 10);

  fill_at(2, 2, SOLID_FILL, LIGHTBLUE);                                  /* sky */
  fill_at(2, ground + 2, SOLID_FILL, GREEN);                             /* grass */
  fill_at(left + 2, top + (ground - top) * 3 / 4, BKSLASH_FILL, BROWN);  /* wall */
  fill_at((left + right) / 2, roof + (top - roof) / 2, SOLID_FILL, RED); /* roof */
  fill_at(left + (right - left) / 8 + 2, top + (ground - top) / 4 + 2, SOLID_FILL, YELLOW);
  fill_at((left + right) / 2 + 2, ground - 2, HATCH_FILL, DARKGRAY); /* door */
  fill_at(w * 4 / 5, h / 5, SOLID_FILL, YELLOW);                     /* sun */
  fill_at(w * 4 / 5, ground - 2, CLOSE_DOT_FILL, LIGHTGREEN);        /* hill */

  setcolor(WHITE);
  outtextxy(8, 8, "floodfill: press a key");
  getch();
  closegraph();
  return 0;
}
