// A small paint program in the style of the newer Windows BGI-style library: pick a colour
// from the row of squares at the top with the left button, draw by dragging with it, and
// step to the next colour with the right button. C clears the picture, Esc ends.
#include <graphics.h>

namespace {

constexpr int Swatch = 40;  // the colour squares along the top, 16 of them across 640 pixels
constexpr int Escape = 27;

int brushColor = WHITE;
bool drawing = false;
int lastX = 0, lastY = 0;

void DrawSwatches() {
  for (int color = 0; color < 16; ++color) {
    setfillstyle(SOLID_FILL, color);
    bar(color * Swatch, 0, color * Swatch + Swatch - 1, Swatch - 1);
  }
  // The chosen colour's square is framed.
  setcolor(brushColor == WHITE ? BLACK : WHITE);
  const int left = brushColor * Swatch;
  rectangle(left + 2, 2, left + Swatch - 3, Swatch - 3);
}

void ClearCanvas() {
  setfillstyle(SOLID_FILL, BLACK);
  bar(0, Swatch, getmaxx(), getmaxy());
}

// The right button, through a handler: it runs on the program's thread at the next call of
// a key, delay or mouse routine.
void NextColor(int, int) {
  brushColor = (brushColor + 1) % 16;
  DrawSwatches();
}

void Press(int x, int y) {
  if (y < Swatch) {
    brushColor = x / Swatch;
    DrawSwatches();
    return;
  }
  drawing = true;
  lastX = x;
  lastY = y;
  setfillstyle(SOLID_FILL, brushColor);
  fillellipse(x, y, 3, 3);
}

void Move(int x, int y) {
  if (!drawing || y < Swatch) return;
  setcolor(brushColor);
  setlinestyle(SOLID_LINE, 0, THICK_WIDTH);
  line(lastX, lastY, x, y);
  lastX = x;
  lastY = y;
}

}  // namespace

int main() {
  int driver = DETECT, mode = 0;
  initgraph(&driver, &mode, "");
  if (graphresult() != grOk) return 1;
  DrawSwatches();
  registermousehandler(WM_RBUTTONDOWN, NextColor);
  for (;;) {
    int x = 0, y = 0;
    while (ismouseclick(WM_LBUTTONDOWN)) {
      getmouseclick(WM_LBUTTONDOWN, x, y);
      Press(x, y);
    }
    while (ismouseclick(WM_MOUSEMOVE)) {
      getmouseclick(WM_MOUSEMOVE, x, y);
      Move(x, y);
    }
    if (ismouseclick(WM_LBUTTONUP)) {
      clearmouseclick(WM_LBUTTONUP);
      drawing = false;
    }
    if (kbhit()) {
      const int key = getch();
      if (key == Escape) break;
      if (key == 0) getch();  // a key without a character: its code follows
      if (key == 'c' || key == 'C') ClearCanvas();
    }
    delay(10);
  }
  closegraph();
  return 0;
}
