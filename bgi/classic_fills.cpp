// The filled shapes the layer has for C programs (the fill styles, which take a colour, are in
// classic_true_colors.cpp).
#include "arguments.h"
#include "graph/fill.h"
#include "graph/graph.h"

using bgi::Coordinate;
using bgi::Word;

extern "C" {

void bar(int left, int top, int right, int bottom) {
  Bar(Coordinate(left), Coordinate(top), Coordinate(right), Coordinate(bottom));
}

void fillellipse(int x, int y, int xradius, int yradius) {
  if (xradius < 0 || yradius < 0) return;  // nothing to fill
  FillEllipse(Coordinate(x), Coordinate(y), Word(xradius), Word(yradius));
}

}  // extern "C"
