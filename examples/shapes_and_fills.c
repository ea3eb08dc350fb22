/* Shapes and fills: every fill pattern in a bar, filled ellipses, the line styles, and text,
 * drawn the classic way, then waits for a key. */
#include <graphics.h>
#include <stdio.h>

static const char* const pattern_names[] = {"EMPTY",  "SOLID",      "LINE",      "LTSLASH",
                                            "SLASH",  "BKSLASH",    "LTBKSLASH", "HATCH",
                                            "XHATCH", "INTERLEAVE", "WIDE_DOT",  "CLOSE_DOT"};

static void draw_fill_patterns(int width, int height) {
  const int columns = 6, cell_w = width / columns, cell_h = height / 4;
  int pattern;
  settextjustify(CENTER_TEXT, TOP_TEXT);
  for (pattern = EMPTY_FILL; pattern <= CLOSE_DOT_FILL; ++pattern) {
    const int left = (pattern % columns) * cell_w, top = 30 + (pattern / columns) * cell_h;
    setfillstyle(pattern, 1 + pattern % 15);
    bar(left + 8, top, left + cell_w - 8, top + cell_h - 24);
    setcolor(WHITE);
    outtextxy(left + cell_w / 2, top + cell_h - 18, pattern_names[pattern]);
  }
}

static void draw_ellipses(int width, int top, int height) {
  static const char checker[8] = {0x33, 0x33, (char)0xCC, (char)0xCC,
                                  0x33, 0x33, (char)0xCC, (char)0xCC};
  const int count = 6, slot = width / count;
  int i;
  for (i = 0; i < count; ++i) {
    if (i == count - 1) {
      setfillpattern(checker, LIGHTMAGENTA);
    } else {
      setfillstyle(i % 2 ? HATCH_FILL : SOLID_FILL, LIGHTBLUE + i);
    }
    setcolor(LIGHTBLUE + i);
    fillellipse(slot * i + slot / 2, top + height / 2, slot / 2 - 10, height / 2 - 4);
  }
}

static void draw_line_styles(int width, int top) {
  int style;
  setcolor(YELLOW);
  for (style = SOLID_LINE; style <= USERBIT_LINE; ++style) {
    const int y = top + style * 10;
    setlinestyle(style, 0xF0F0u, style == SOLID_LINE ? THICK_WIDTH : NORM_WIDTH);
    line(10, y, width - 10, y);
  }
  setlinestyle(SOLID_LINE, 0, NORM_WIDTH);
}

int main(void) {
  int driver = DETECT, mode = 0, result, width, height;
  char caption[120];

  initgraph(&driver, &mode, "");
  result = graphresult();
  if (result != grOk) {
    fprintf(stderr, "shapes_and_fills: graphics did not start (code %d)\n", result);
    return 1;
  }
  width = getmaxx() + 1;
  height = getmaxy() + 1;

  snprintf(caption, sizeof caption,
           "Fill patterns, ellipses and line styles in %d x %d - press a key", width, height);
  settextjustify(CENTER_TEXT, TOP_TEXT);
  setcolor(WHITE);
  outtextxy(width / 2, 8, caption);

  draw_fill_patterns(width, height);
  draw_ellipses(width, 30 + height / 2, height / 4);
  draw_line_styles(width, height - 60);

  getch();
  closegraph();
  return 0;
}
