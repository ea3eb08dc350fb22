#include "ellipse_outline.h"

#include <algorithm>

namespace {

// The largest d in 0..r1 with d == 0 or (2d - 1)^2 * r1^2 <= 4 * r2^2 * (r1^2 - e^2)
// (r1 > 0), starting the search at `from` and going down. 64 bits hold every term for
// radii up to 32767.
int32_t RoundedHeight(int32_t from, int32_t e, int64_t r1, int64_t r2) {
  const int64_t limit = 4 * r2 * r2 * (r1 * r1 - int64_t{e} * e);
  int32_t d = from;
  while (d > 0) {
    const int64_t twice = 2 * int64_t{d} - 1;
    if (twice * twice * r1 * r1 <= limit) break;
    --d;
  }
  return d;
}

}  // namespace

std::vector<OutlinePoint> QuadrantOutline(int32_t rx, int32_t ry) {
  std::vector<OutlinePoint> points;
  if (rx == 0 || ry == 0) {
    // A flat ellipse is a line along its other radius.
    if (rx == 0) {
      for (int32_t d = 0; d <= ry; ++d) points.push_back({0, d});
    } else {
      for (int32_t d = rx; d >= 0; --d) points.push_back({d, 0});
    }
    return points;
  }
  const int64_t rx2 = int64_t{rx} * rx, ry2 = int64_t{ry} * ry;

  // The steep part, one pixel per row, from (rx, 0) upwards while the pixel lies where
  // the curve is at least as steep as a diagonal.
  std::vector<OutlinePoint>& steep = points;
  for (int32_t y = 0, x = rx; y <= ry; ++y) {
    x = RoundedHeight(x, y, ry, rx);
    if (rx2 * y > ry2 * x) break;
    steep.push_back({x, y});
  }
  // The flat part, one pixel per column, from (0, ry) rightwards likewise.
  std::vector<OutlinePoint> flat;
  for (int32_t col = 0, y = ry; col <= rx; ++col) {
    y = RoundedHeight(y, col, rx, ry);
    if (ry2 * col > rx2 * y) break;
    flat.push_back({col, y});
  }
  // Where the two parts stop short of each other (thin ellipses, where one part has
  // barely any pixels), the part that misses rows or columns goes on by its own rule.
  for (;;) {
    const OutlinePoint s = steep.back(), f = flat.back();
    if (f.dy - s.dy > 1) {
      steep.push_back({std::max(RoundedHeight(s.dx, s.dy + 1, ry, rx), f.dx), s.dy + 1});
    } else if (s.dx - f.dx > 1) {
      flat.push_back({f.dx + 1, std::max(RoundedHeight(f.dy, f.dx + 1, rx, ry), s.dy)});
    } else {
      break;
    }
  }
  for (auto it = flat.rbegin(); it != flat.rend(); ++it) {
    const OutlinePoint& last = points.back();
    if (last.dx == it->dx && last.dy == it->dy) continue;  // the parts meet on one pixel
    points.push_back(*it);
  }
  return points;
}
