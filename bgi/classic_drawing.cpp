// The palette's size and entries, the write mode, lines, the current position, the viewport,
// pages and images for C programs (the routines that take a colour are in
// classic_true_colors.cpp).
#include "arguments.h"
#include "graph/graph.h"

using bgi::Coordinate;
using bgi::Word;

extern "C" {

int getmaxcolor(void) {
  return GetMaxColor();
}

void setrgbpalette(int colornum, int red, int green, int blue) {
  SetRGBPalette(Coordinate(colornum), Coordinate(red), Coordinate(green), Coordinate(blue));
}

void setwritemode(int mode) {
  SetWriteMode(Word(mode));
}

void setlinestyle(int linestyle, unsigned upattern, int thickness) {
  // The pattern is a 16-bit mask: only its low 16 bits count, as on a 16-bit system.
  SetLineStyle(Word(linestyle), uint16_t(upattern & 0xFFFF), Word(thickness));
}

void line(int x1, int y1, int x2, int y2) {
  Line(Coordinate(x1), Coordinate(y1), Coordinate(x2), Coordinate(y2));
}

void lineto(int x, int y) {
  LineTo(Coordinate(x), Coordinate(y));
}

void moveto(int x, int y) {
  MoveTo(Coordinate(x), Coordinate(y));
}

int getx(void) {
  return GetX();
}

int gety(void) {
  return GetY();
}

void setviewport(int left, int top, int right, int bottom, int clip) {
  SetViewPort(Coordinate(left), Coordinate(top), Coordinate(right), Coordinate(bottom), clip != 0);
}

void clearviewport(void) {
  ClearViewPort();
}

void setactivepage(int page) {
  SetActivePage(Word(page));
}

void setvisualpage(int page) {
  SetVisualPage(Word(page));
}

unsigned imagesize(int left, int top, int right, int bottom) {
  // A size the layer refuses (grError) is 0 here.
  const int32_t size =
      ImageSize(Coordinate(left), Coordinate(top), Coordinate(right), Coordinate(bottom));
  return size > 0 ? unsigned(size) : 0u;
}

void getimage(int left, int top, int right, int bottom, void* bitmap) {
  GetImage(Coordinate(left), Coordinate(top), Coordinate(right), Coordinate(bottom), bitmap);
}

void putimage(int left, int top, const void* bitmap, int op) {
  PutImage(Coordinate(left), Coordinate(top), bitmap, Word(op));
}

}  // extern "C"
