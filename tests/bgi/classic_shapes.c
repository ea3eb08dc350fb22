#include "classic_shapes.h"

#include <graphics.h>
#include <stdlib.h>

unsigned draw_filled_circle_and_copy(void) {
  unsigned size;
  void* image;
  setcolor(WHITE);
  circle(100, 100, 20);
  setfillstyle(SOLID_FILL, RED);
  floodfill(100, 100, WHITE);
  size = imagesize(78, 78, 122, 122);
  image = malloc(size);
  if (!image) return 0;
  getimage(78, 78, 122, 122, image);
  putimage(300, 300, image, COPY_PUT);
  free(image);
  return size;
}

void settings_after_setting(int* numbers) {
  struct viewporttype v;
  struct linesettingstype l;
  struct fillsettingstype f;
  setviewport(10, 20, 110, 120, 0);
  setlinestyle(DASHED_LINE, 0, THICK_WIDTH);
  setfillstyle(HATCH_FILL, GREEN);
  getviewsettings(&v);
  getlinesettings(&l);
  getfillsettings(&f);
  numbers[0] = v.left;
  numbers[1] = v.top;
  numbers[2] = v.right;
  numbers[3] = v.bottom;
  numbers[4] = v.clip;
  numbers[5] = l.linestyle;
  numbers[6] = l.thickness;
  numbers[7] = f.pattern;
  numbers[8] = f.color;
}

int circle_of_negative_radius(void) {
  circle(50, 50, -5);
  return graphresult();
}

const char* error_message(int code) {
  return grapherrormsg(code);
}

int register_font(const void* font) {
  const int number = registerbgifont(font);
  if (number < 0) return number;
  settextstyle(number, HORIZ_DIR, 1);
  return graphresult();
}
