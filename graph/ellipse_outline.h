#pragma once
// The outline of an ellipse as pixels, for circles, arcs, ellipses and pie slices.
//
// Stepping rule. In the first quadrant (offsets dx, dy >= 0 from the centre, dy upwards)
// the outline has two parts that meet where the curve's slope is -1:
//  - where it is flatter (dx * dx * (rx * rx + ry * ry) <= rx^4) there is one pixel per
//    column: dy is the exact height ry * sqrt(1 - dx^2 / rx^2) rounded to the nearest
//    integer, halves away from the centre;
//  - where it is steeper (dy * dy * (rx * rx + ry * ry) <= ry^4) there is one pixel per
//    row, dx found the same way.
// Both parts use the same integer test, (2d - 1)^2 * r1^2 <= 4 * r2^2 * (r1^2 - e^2), so a
// circle is symmetric about its diagonals by construction; the other quadrants are
// mirrors. Successive pixels touch at an edge or a corner: the outline is closed.
#include <cstdint>
#include <vector>

struct OutlinePoint {
  int32_t dx, dy;  // dy counts upwards from the centre
};

// First-quadrant pixels from (rx, 0) to (0, ry), ordered by angle, each once. Radii are
// 0..32767; a radius of 0 gives a straight line along the other axis.
std::vector<OutlinePoint> QuadrantOutline(int32_t rx, int32_t ry);
