// Circles, arcs, ellipse outlines, pie slices and sectors, and the arc coordinates.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "ellipse_outline.h"
#include "fill_rows.h"
#include "graph/graph.h"
#include "graph/shapes.h"
#include "layer_internal.h"
#include "outline_runs.h"

namespace {

constexpr int32_t MaxRadius = 32767;
constexpr double RadiansPerDegree = 3.14159265358979323846 / 180.0;

// The part of the turn an arc covers: [start, end] in degrees, going counter-clockwise
// and wrapping past 360 when start > end. A sweep of a whole number of turns is the whole
// outline; equal angles are one direction.
struct AngleRange {
  double start = 0, end = 360;
  bool full = true;

  bool contains(double angle) const {
    if (full) return true;
    return start <= end ? angle >= start && angle <= end : angle >= start || angle <= end;
  }
};

int32_t Degrees360(int64_t angle) {
  return static_cast<int32_t>(((angle % 360) + 360) % 360);
}

AngleRange MakeRange(int32_t startAngle, int32_t endAngle) {
  const int64_t sweep = int64_t{endAngle} - startAngle;
  if (sweep != 0 && sweep % 360 == 0) return {};
  return {double(Degrees360(startAngle)), double(Degrees360(endAngle)), false};
}

// The angle of an outline pixel as the classic routines measure it: the parameter t of
// (rx cos t, ry sin t), in degrees 0 to below 360.
double AngleOf(int32_t dx, int32_t dyUp, int32_t rx, int32_t ry) {
  double a = rx == 0 || ry == 0 ? std::atan2(double(dyUp), double(dx))
                                : std::atan2(double(dyUp) * rx, double(dx) * ry);
  a /= RadiansPerDegree;
  if (a < 0) a += 360;
  return a >= 360 ? 0 : a;
}

struct Outline {
  std::vector<RunPixel> pixels;  // viewport-relative, in drawing order
  RunPixel first{}, last{};      // the arc's end pixels
};

// The pixel of candidates nearest to the exact point of the ellipse at angle degrees.
RunPixel Nearest(const std::vector<RunPixel>& candidates, int16_t x, int16_t y, int32_t rx,
                 int32_t ry, double degrees) {
  const double px = x + rx * std::cos(degrees * RadiansPerDegree);
  const double py = y - ry * std::sin(degrees * RadiansPerDegree);
  RunPixel best = candidates.front();
  double bestDistance = std::numeric_limits<double>::max();
  for (const RunPixel& p : candidates) {
    const double d = (p.x - px) * (p.x - px) + (p.y - py) * (p.y - py);
    if (d < bestDistance) {
      bestDistance = d;
      best = p;
    }
  }
  return best;
}

// The first quadrant of the last ellipse asked for: drawings repeat their radii.
const std::vector<OutlinePoint>& Quadrant(int32_t rx, int32_t ry) {
  static std::vector<OutlinePoint> points;
  static int32_t lastRx = -1, lastRy = -1;
  if (rx != lastRx || ry != lastRy) {
    points = QuadrantOutline(rx, ry);
    lastRx = rx;
    lastRy = ry;
  }
  return points;
}

// The outline pixels of the arc in angle order round the whole turn. When the range holds
// no pixel (a short arc of a small ellipse), the one pixel nearest its start stands for it.
void ArcOutline(int16_t x, int16_t y, int32_t rx, int32_t ry, const AngleRange& range,
                Outline& outline) {
  const std::vector<OutlinePoint>& quadrant = Quadrant(rx, ry);
  const size_t n = quadrant.size();
  std::vector<RunPixel>& all = outline.pixels;
  all.clear();
  // Quadrants in turn: each mirror of the first runs in angle order.
  for (size_t i = 0; i < n; ++i) all.push_back({x + quadrant[i].dx, y - quadrant[i].dy});
  for (size_t i = n; i-- > 0;) all.push_back({x - quadrant[i].dx, y - quadrant[i].dy});
  for (size_t i = 0; i < n; ++i) all.push_back({x - quadrant[i].dx, y + quadrant[i].dy});
  for (size_t i = n; i-- > 0;) all.push_back({x + quadrant[i].dx, y + quadrant[i].dy});

  if (range.full) {
    outline.first = outline.last = {x + rx, y};
    return;
  }
  std::vector<RunPixel> inRange;
  for (const RunPixel& p : all) {
    if (range.contains(AngleOf(p.x - x, y - p.y, rx, ry))) inRange.push_back(p);
  }
  if (inRange.empty()) inRange.push_back(Nearest(all, x, y, rx, ry, range.start));
  outline.pixels = std::move(inRange);
  outline.first = Nearest(outline.pixels, x, y, rx, ry, range.start);
  outline.last = Nearest(outline.pixels, x, y, rx, ry, range.end);
}

int16_t Clamp16(int32_t v) {
  return static_cast<int16_t>(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v);
}

bool RadiiValid(int32_t rx, int32_t ry) {
  if (rx < 0 || ry < 0 || rx > MaxRadius || ry > MaxRadius) {
    Graph.ResultCode = grError;
    return false;
  }
  return true;
}

// A circle's vertical radius: round on the mode's pixels.
int32_t AspectRadius(int32_t radius) {
  if (Graph.XAspect == 0 || Graph.YAspect == 0) return radius;
  const int64_t scaled =
      (int64_t{radius} * Graph.XAspect * 2 + Graph.YAspect) / (2 * Graph.YAspect);
  return static_cast<int32_t>(std::min<int64_t>(scaled, MaxRadius));
}

// Arcs are solid lines in copy mode whatever the line style and write mode; only the
// thickness counts.
class OutlineSettings : SavedLineState {
 public:
  OutlineSettings() {
    Graph.LineSettings.LineStyle = SolidLn;
    Graph.WriteMode = NormalPut;
  }
};

// Draws the arc (three concentric ones when thick) and records its ends in ArcCoords; the
// outline returned lasts until the next call.
const Outline& DrawArc(int16_t x, int16_t y, int32_t rx, int32_t ry, const AngleRange& range) {
  static Outline outline;  // kept to spare an allocation per circle
  if (Graph.LineSettings.Thickness == ThickWidth) {
    if (rx > 0 && ry > 0) {
      ArcOutline(x, y, rx - 1, ry - 1, range, outline);
      DrawPixelRuns(outline.pixels);
    }
    if (rx < MaxRadius && ry < MaxRadius) {
      ArcOutline(x, y, rx + 1, ry + 1, range, outline);
      DrawPixelRuns(outline.pixels);
    }
  }
  ArcOutline(x, y, rx, ry, range, outline);
  DrawPixelRuns(outline.pixels);
  Graph.ArcCoords = {x,
                     y,
                     Clamp16(outline.first.x),
                     Clamp16(outline.first.y),
                     Clamp16(outline.last.x),
                     Clamp16(outline.last.y)};
  return outline;
}

void DrawEllipseArc(int16_t x, int16_t y, int32_t startAngle, int32_t endAngle, int32_t rx,
                    int32_t ry) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  if (!RadiiValid(rx, ry)) return;
  OutlineSettings outlineSettings;
  DrawArc(x, y, rx, ry, MakeRange(startAngle, endAngle));
}

// The interior of the slice, row by row in the fill style: the pixels strictly inside
// the outline on their row whose angle lies in the range (the centre always does).
void FillSlice(int16_t x, int16_t y, int32_t rx, int32_t ry, const AngleRange& range) {
  const std::vector<OutlinePoint>& quadrant = Quadrant(rx, ry);
  // The innermost outline pixel of each row above the centre.
  std::vector<int32_t> inner(static_cast<size_t>(ry) + 1, rx);
  for (const OutlinePoint& p : quadrant) inner[p.dy] = std::min(inner[p.dy], p.dx);

  // Only rows and columns of the drawing area are worth a look.
  const int32_t top = -Graph.ViewPort.Y1, bottom = Graph.MaxY - Graph.ViewPort.Y1;
  const int32_t left = -Graph.ViewPort.X1 - x, right = Graph.MaxX - Graph.ViewPort.X1 - x;
  StartFillRows();
  for (int32_t dyUp = -ry; dyUp <= ry; ++dyUp) {
    const int32_t row = y - dyUp;
    const int32_t half = inner[static_cast<size_t>(std::abs(dyUp))] - 1;
    if (row < top || row > bottom || half < 0) continue;
    if (range.full) {
      AddFillRow(Clamp16(x - half), Clamp16(x + half), static_cast<int16_t>(row));
      continue;
    }
    const int32_t from = std::max(-half, left), to = std::min(half, right);
    int32_t runStart = 0;
    bool inRun = false;
    for (int32_t dx = from; dx <= to + 1; ++dx) {
      const bool inside =
          dx <= to && ((dx == 0 && dyUp == 0) || range.contains(AngleOf(dx, dyUp, rx, ry)));
      if (inside && !inRun) runStart = dx;
      if (!inside && inRun) {
        AddFillRow(Clamp16(x + runStart), Clamp16(x + dx - 1), static_cast<int16_t>(row));
      }
      inRun = inside;
    }
  }
  DrawFillRows();
}

void DrawSlice(int16_t x, int16_t y, int32_t startAngle, int32_t endAngle, int32_t rx, int32_t ry) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  if (!RadiiValid(rx, ry)) return;
  const AngleRange range = MakeRange(startAngle, endAngle);
  FillSlice(x, y, rx, ry, range);
  OutlineSettings outlineSettings;
  const Outline& outline = DrawArc(x, y, rx, ry, range);
  Graph.Slots.Line(x, y, Clamp16(outline.first.x), Clamp16(outline.first.y));
  Graph.Slots.Line(x, y, Clamp16(outline.last.x), Clamp16(outline.last.y));
}

}  // namespace

void Circle(int16_t x, int16_t y, int32_t radius) {
  DrawEllipseArc(x, y, 0, 360, radius, AspectRadius(radius));
}

void Arc(int16_t x, int16_t y, int32_t startAngle, int32_t endAngle, int32_t radius) {
  DrawEllipseArc(x, y, startAngle, endAngle, radius, AspectRadius(radius));
}

void Ellipse(int16_t x, int16_t y, int32_t startAngle, int32_t endAngle, int32_t xRadius,
             int32_t yRadius) {
  DrawEllipseArc(x, y, startAngle, endAngle, xRadius, yRadius);
}

void PieSlice(int16_t x, int16_t y, int32_t startAngle, int32_t endAngle, int32_t radius) {
  DrawSlice(x, y, startAngle, endAngle, radius, AspectRadius(radius));
}

void Sector(int16_t x, int16_t y, int32_t startAngle, int32_t endAngle, int32_t xRadius,
            int32_t yRadius) {
  DrawSlice(x, y, startAngle, endAngle, xRadius, yRadius);
}

void GetArcCoords(ArcCoordsType& arcCoords) {
  arcCoords = Graph.ArcCoords;
}

void GetAspectRatio(uint16_t& xAspect, uint16_t& yAspect) {
  xAspect = Graph.XAspect;
  yAspect = Graph.YAspect;
}

void SetAspectRatio(uint16_t xAspect, uint16_t yAspect) {
  if (xAspect == 0 || yAspect == 0) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.XAspect = xAspect;
  Graph.YAspect = yAspect;
}
