// Lines: styles, thickness, the current position and the generic line routine.
#include <cstdlib>
#include <utility>

#include "graph/graph.h"
#include "layer_internal.h"

namespace {

// Bit 15 is the first pixel of every 16-pixel stretch.
uint16_t StylePattern() {
  switch (Graph.LineSettings.LineStyle) {
    case DottedLn:
      return 0xCCCC;
    case CenterLn:
      return 0xFC78;
    case DashedLn:
      return 0xF8F8;
    case UserBitLn:
      return Graph.LineSettings.Pattern;
    default:
      return 0xFFFF;
  }
}

// One thin line in absolute coordinates, clipped to (left, top)..(right, bottom). The pixel
// at step i along the major axis is the one the unclipped line has there, so clipping
// never shifts pixels or the pattern.
void ThinLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint16_t pattern, int32_t left,
              int32_t top, int32_t right, int32_t bottom) {
  int32_t cx1 = x1, cy1 = y1, cx2 = x2, cy2 = y2;
  if (!ClipLine32(cx1, cy1, cx2, cy2, left, top, right, bottom)) return;
  const ViewPortState& vp = Graph.ViewPort;

  if (pattern == 0xFFFF && y1 == y2) {
    Graph.Slots.HLine(static_cast<int16_t>(cx1 - vp.X1), static_cast<int16_t>(cx2 - vp.X1),
                      static_cast<int16_t>(cy1 - vp.Y1));
    return;
  }
  if (pattern == 0xFFFF && x1 == x2) {
    Graph.Slots.VLine(static_cast<int16_t>(cx1 - vp.X1), static_cast<int16_t>(cy1 - vp.Y1),
                      static_cast<int16_t>(cy2 - vp.Y1));
    return;
  }

  int64_t dx = x2 - x1, dy = y2 - y1;
  bool xMajor = std::llabs(dx) >= std::llabs(dy);
  int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
  int64_t steps = std::llabs(major);
  int64_t majorSign = major < 0 ? -1 : 1;
  // Steps whose major coordinate lies inside the rectangle; the minor coordinate is tested
  // pixel by pixel. Taking the range from the clipped end points instead would lose pixels
  // where the clip cuts the minor axis: the rounded line reaches the edge earlier than the
  // truncated intersection.
  const int64_t start = xMajor ? x1 : y1;
  const int64_t low = xMajor ? left : top, high = xMajor ? right : bottom;
  int64_t s1 = majorSign > 0 ? low - start : start - high;
  int64_t s2 = majorSign > 0 ? high - start : start - low;
  if (s1 < 0) s1 = 0;
  if (s2 > steps) s2 = steps;
  for (int64_t i = s1; i <= s2; ++i) {
    if (!(pattern & (0x8000 >> (i % 16)))) continue;
    // Minor offset rounded to nearest, halves away from the start.
    int64_t num = 2 * i * std::llabs(minor) + steps;
    int64_t off = steps == 0 ? 0 : num / (2 * steps);
    if (minor < 0) off = -off;
    int64_t px = xMajor ? x1 + i * majorSign : x1 + off;
    int64_t py = xMajor ? y1 + off : y1 + i * majorSign;
    if (px < left || px > right || py < top || py > bottom) continue;
    Graph.Slots.DirectPutPixel(static_cast<int16_t>(px), static_cast<int16_t>(py));
  }
}

}  // namespace

void SetLineStyle(uint16_t style, uint16_t pattern, uint16_t thickness) {
  if (style > UserBitLn || (thickness != NormWidth && thickness != ThickWidth)) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.LineSettings.LineStyle = style;
  Graph.LineSettings.Pattern = pattern;
  Graph.LineSettings.Thickness = thickness;
}

void Line(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  Graph.Slots.Line(x1, y1, x2, y2);
}

void GenericLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  const ViewPortState& vp = Graph.ViewPort;
  int32_t left = 0, top = 0, right = Graph.MaxX, bottom = Graph.MaxY;
  if (vp.ClipPixels) {
    left = vp.X1;
    top = vp.Y1;
    right = vp.X1 + vp.Width;
    bottom = vp.Y1 + vp.Height;
  }
  int32_t ax1 = x1 + vp.X1, ay1 = y1 + vp.Y1, ax2 = x2 + vp.X1, ay2 = y2 + vp.Y1;
  uint16_t pattern = StylePattern();
  if (Graph.LineSettings.Thickness != ThickWidth) {
    ThinLine(ax1, ay1, ax2, ay2, pattern, left, top, right, bottom);
    return;
  }
  // Thick: three parallel lines, side by side across the major axis.
  bool xMajor = std::abs(ax2 - ax1) >= std::abs(ay2 - ay1);
  for (int32_t d = -1; d <= 1; ++d) {
    if (xMajor) {
      ThinLine(ax1, ay1 + d, ax2, ay2 + d, pattern, left, top, right, bottom);
    } else {
      ThinLine(ax1 + d, ay1, ax2 + d, ay2, pattern, left, top, right, bottom);
    }
  }
}

void MoveTo(int16_t x, int16_t y) {
  Graph.CurrentX = x;
  Graph.CurrentY = y;
}

int16_t GetX() {
  return Graph.CurrentX;
}
int16_t GetY() {
  return Graph.CurrentY;
}

void LineTo(int16_t x, int16_t y) {
  Line(Graph.CurrentX, Graph.CurrentY, x, y);
  MoveTo(x, y);
}
