// Fill styles and the filled shapes the layer has for C programs.
#include "arguments.h"
#include "graph/fill.h"
#include "graph/graph.h"

using bgi::Coordinate;
using bgi::Word;

extern "C" {

void setfillstyle(int pattern, int color) {
  SetFillStyle(Word(pattern), Word(color));
}

void setfillpattern(const char* upattern, int color) {
  if (!upattern) return;  // no pattern to take
  uint8_t rows[8];
  for (int i = 0; i < 8; ++i) rows[i] = uint8_t(upattern[i]);
  SetFillPattern(rows, Word(color));
}

void bar(int left, int top, int right, int bottom) {
  Bar(Coordinate(left), Coordinate(top), Coordinate(right), Coordinate(bottom));
}

void fillellipse(int x, int y, int xradius, int yradius) {
  if (xradius < 0 || yradius < 0) return;  // nothing to fill
  FillEllipse(Coordinate(x), Coordinate(y), Word(xradius), Word(yradius));
}

}  // extern "C"
