/* Titles in every stroke font, in both directions and several sizes, centred with
 * settextjustify: the fonts are built in, so no .CHR file needs to be at hand. */
#include <conio.h>
#include <graphics.h>
#include <stdio.h>

static const char* names[] = {"Default", "Triplex",  "Small",   "Sans serif",
                              "Gothic",  "Script",   "Simplex", "Triplex script",
                              "Complex", "European", "Bold"};

int main(void) {
  int gd = DETECT, gm, font, y = 10;
  initgraph(&gd, &gm, "C:\\TC\\BGI");
  if (graphresult() != grOk) {
    printf("Graphics error: %s\n", grapherrormsg(graphresult()));
    return 1;
  }
  settextjustify(CENTER_TEXT, TOP_TEXT);
  for (font = TRIPLEX_FONT; font <= BOLD_FONT; font++) {
    setcolor(font + 4);
    settextstyle(font, HORIZ_DIR, 2);
    if (graphresult() != grOk) printf("font %d did not load\n", font);
    outtextxy(getmaxx() / 2, y, names[font]);
    y += textheight("H") + 12;
  }
  setcolor(WHITE);
  settextjustify(CENTER_TEXT, CENTER_TEXT);
  settextstyle(SANS_SERIF_FONT, VERT_DIR, 4);
  outtextxy(getmaxx() - 60, getmaxy() / 2, "Vertical");
  setusercharsize(3, 1, 1, 1);
  settextstyle(TRIPLEX_FONT, HORIZ_DIR, USER_CHAR_SIZE);
  settextjustify(CENTER_TEXT, BOTTOM_TEXT);
  outtextxy(getmaxx() / 2, getmaxy() - 5, "Wide");
  getch();
  closegraph();
  return 0;
}
