// An RGB gradient saved as a PNG file, then loaded back three times, scaled into frames, and
// the whole gallery saved as a BMP file: true colours and image files of graphics.h.
#include <graphics.h>

#include <cstdio>

int main() {
  int gd = DETECT, gm;
  initgraph(&gd, &gm, "");
  if (graphresult() != grOk) {
    std::printf("Graphics error: %s\n", grapherrormsg(graphresult()));
    return 1;
  }
  // Red grows to the right, green downwards, blue along the diagonal: 64000 colours at once.
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 320; ++x)
      putpixel(x, y, COLOR(x * 255 / 319, y * 255 / 199, (x + y) * 255 / 518));
  writeimagefile("gradient.png", 0, 0, 319, 199);
  if (graphresult() != grOk) std::printf("gradient.png could not be written\n");

  setbkcolor(COLOR(40, 40, 60));
  cleardevice();
  const int frames[3][4] = {{20, 20, 179, 119}, {200, 20, 519, 219}, {20, 140, 99, 459}};
  for (const auto& f : frames) {
    setcolor(COLOR(230, 200, 120));
    rectangle(f[0] - 2, f[1] - 2, f[2] + 2, f[3] + 2);
    readimagefile("gradient.png", f[0], f[1], f[2], f[3]);
  }
  setcolor(WHITE);
  outtextxy(200, 240, "gradient.png, scaled three ways");
  writeimagefile("gallery.bmp");
  getch();
  closegraph();
  return 0;
}
