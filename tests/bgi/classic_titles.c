#include "classic_titles.h"

#include <graphics.h>

int start_graphics_in(const char* path) {
  int driver = VGA, mode = VGAHI;
  initgraph(&driver, &mode, path);
  return graphresult();
}

int choose_font(int font, int direction, int charsize) {
  settextstyle(font, direction, charsize);
  return graphresult();
}

int font_in_use(void) {
  struct textsettingstype settings;
  gettextsettings(&settings);
  return settings.font;
}

int draw_title(int horiz, int vert, int x, int y, const char* text) {
  cleardevice();
  setcolor(WHITE);
  settextjustify(horiz, vert);
  outtextxy(x, y, text);
  return graphresult();
}

int choose_user_size(int font, int multx, int divx, int multy, int divy) {
  settextstyle(font, HORIZ_DIR, USER_CHAR_SIZE);
  setusercharsize(multx, divx, multy, divy);
  return graphresult();
}
