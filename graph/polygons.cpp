// Rectangles, 3-D bars and polygons.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "fill_rows.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/shapes.h"
#include "layer_internal.h"

namespace {

struct Point32 {
  int32_t x, y;
};

int16_t Clamp16(int64_t v) {
  return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
}

void Line32(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  Graph.Slots.Line(Clamp16(x1), Clamp16(y1), Clamp16(x2), Clamp16(y2));
}

// The points of a DrawPoly or FillPoly call, or nothing (grError) when there are fewer
// than `least` or none to read.
template <typename Get>
std::vector<Point32> Points(int32_t numPoints, bool present, int32_t least, Get get) {
  std::vector<Point32> points;
  if (numPoints < least || !present) {
    Graph.ResultCode = grError;
    return points;
  }
  points.reserve(static_cast<size_t>(std::min(numPoints, 1 << 16)));
  for (int32_t i = 0; i < numPoints; ++i) points.push_back(get(i));
  return points;
}

std::vector<Point32> FromPointTypes(int32_t n, const PointType* p, int32_t least) {
  return Points(n, p != nullptr, least, [p](int32_t i) { return Point32{p[i].X, p[i].Y}; });
}
std::vector<Point32> FromInts(int32_t n, const int* xy, int32_t least) {
  return Points(n, xy != nullptr, least, [xy](int32_t i) {
    return Point32{xy[2 * i], xy[2 * i + 1]};
  });
}

void DrawPolyline(const std::vector<Point32>& points) {
  for (size_t i = 1; i < points.size(); ++i) {
    Line32(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
  }
}

void DrawPolyPoints(const std::vector<Point32>& points) {
  if (points.empty()) return;
  if (NoModeInstalled()) StopNotInGraphicsMode();
  DrawPolyline(points);
}

struct Edge {
  int32_t yTop, yBottom;  // the edge covers rows yTop <= y < yBottom
  double xAtTop, slope;   // x at row yTop, and its change per row
};

// Even-odd fill: on each row, sampled at the pixels' centres, the crossings with the edges
// are paired from the left and each pair's pixels from the first crossing (rounded up) to
// the second (rounded down) are painted. An edge counts for the rows from its upper end up
// to, not including, its lower one, so a vertex between two edges is crossed once and a
// horizontal edge never; the outline drawn afterwards covers the boundary.
void FillEvenOdd(const std::vector<Point32>& points) {
  std::vector<Edge> edges;
  for (size_t i = 0; i < points.size(); ++i) {
    Point32 a = points[i], b = points[(i + 1) % points.size()];
    if (a.y == b.y) continue;
    if (a.y > b.y) std::swap(a, b);
    // In doubles: points from C callers may span the whole int range.
    const double slope = (double(b.x) - a.x) / (double(b.y) - a.y);
    edges.push_back({a.y, b.y, double(a.x), slope});
  }
  std::sort(edges.begin(), edges.end(),
            [](const Edge& l, const Edge& r) { return l.yTop < r.yTop; });

  const ViewPortState& vp = Graph.ViewPort;
  // Rows and columns outside the viewport are cut as PatternLine cuts them; skip them here.
  const int32_t firstRow = std::max(edges.empty() ? 0 : edges.front().yTop, 0);
  int32_t lastRow = 0;
  for (const Edge& e : edges) lastRow = std::max(lastRow, e.yBottom - 1);
  lastRow = std::min<int32_t>(lastRow, vp.Height);

  std::vector<const Edge*> active;
  std::vector<double> crossings;
  size_t next = 0;
  StartFillRows();
  for (int32_t y = firstRow; y <= lastRow; ++y) {
    while (next < edges.size() && edges[next].yTop <= y) active.push_back(&edges[next++]);
    std::erase_if(active, [y](const Edge* e) { return e->yBottom <= y; });
    crossings.clear();
    for (const Edge* e : active) {
      crossings.push_back(e->xAtTop + (double(y) - e->yTop) * e->slope);
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const double from = std::max(std::ceil(crossings[i]), -1.0);
      const double to = std::min(std::floor(crossings[i + 1]), double(vp.Width) + 1);
      if (from > to) continue;
      AddFillRow(static_cast<int16_t>(from), static_cast<int16_t>(to), static_cast<int16_t>(y));
    }
  }
  DrawFillRows();
}

void FillPolyPoints(std::vector<Point32> points) {
  if (points.empty()) return;
  if (NoModeInstalled()) StopNotInGraphicsMode();
  FillEvenOdd(points);
  if (points.front().x != points.back().x || points.front().y != points.back().y) {
    points.push_back(points.front());
  }
  DrawPolyline(points);
}

}  // namespace

// Drawn clockwise from the top-left corner, each corner once, so that a rectangle drawn
// twice in XORPut is gone again.
void Rectangle(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) {
    Line(x1, y1, x2, y2);
    return;
  }
  Line32(x1, y1, x2, y1);
  Line32(x2, y1 + 1, x2, y2);
  Line32(x2 - 1, y2, x1, y2);
  if (y2 - y1 >= 2) Line32(x1, y2 - 1, x1, y1 + 1);
}

// The bar's front face filled and outlined; the side and the top recede to the upper
// right, depth pixels across and three quarters of that up. Without the top, bars can be
// stacked: the one above draws the edge they share.
void Bar3D(int16_t x1, int16_t y1, int16_t x2, int16_t y2, int16_t depth, bool top) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  Bar(x1, y1, x2, y2);
  Rectangle(x1, y1, x2, y2);
  if (depth == 0) return;
  const int32_t back = x2 + depth, rise = depth * 3 / 4;
  Line32(x2, y2, back, y2 - rise);
  Line32(back, y2 - rise, back, y1 - rise);
  if (top) {
    Line32(x2, y1, back, y1 - rise);
    Line32(x1, y1, x1 + depth, y1 - rise);
    Line32(x1 + depth, y1 - rise, back, y1 - rise);
  }
}

void DrawPoly(int32_t numPoints, const PointType* points) {
  DrawPolyPoints(FromPointTypes(numPoints, points, 2));
}
void DrawPoly(int32_t numPoints, const int* xy) {
  DrawPolyPoints(FromInts(numPoints, xy, 2));
}
void FillPoly(int32_t numPoints, const PointType* points) {
  FillPolyPoints(FromPointTypes(numPoints, points, 3));
}
void FillPoly(int32_t numPoints, const int* xy) {
  FillPolyPoints(FromInts(numPoints, xy, 3));
}

void MoveRel(int16_t dx, int16_t dy) {
  MoveTo(static_cast<int16_t>(Graph.CurrentX + dx), static_cast<int16_t>(Graph.CurrentY + dy));
}

void LineRel(int16_t dx, int16_t dy) {
  LineTo(static_cast<int16_t>(Graph.CurrentX + dx), static_cast<int16_t>(Graph.CurrentY + dy));
}
