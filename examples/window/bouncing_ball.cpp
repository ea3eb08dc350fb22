// A ball bouncing in a window of the size the program asks for, each frame drawn on the
// hidden page and shown whole by swapbuffers: the double buffering of the newer BGI-style
// library, so nothing flickers. Any key ends the show.
#include <graphics.h>

int main() {
  const int radius = 15;
  if (initwindow(400, 300, "Bouncing ball", 50, 50, true) < 0) return 1;
  char caption[] = "Any key ends the show";  // the char* overload, as programs pass it
  int x = 60, y = 40, dx = 6, dy = 4;
  for (int frame = 0; frame < 3000 && !kbhit(); ++frame) {
    cleardevice();
    setcolor(LIGHTGRAY);
    rectangle(0, 0, getmaxx(), getmaxy());
    outtextxy(10, 10, caption);
    setcolor(YELLOW);
    setfillstyle(SOLID_FILL, YELLOW);
    fillellipse(x, y, radius, radius);
    swapbuffers();

    x += dx;
    y += dy;
    if (x - radius <= 0 || x + radius >= getmaxx()) dx = -dx;
    if (y - radius <= 0 || y + radius >= getmaxy()) dy = -dy;
    delay(20);
  }
  if (kbhit()) getch();
  closegraph();
  return 0;
}
