// Generic horizontal and vertical runs: one DirectPutPixel per pixel, viewport-relative,
// clipped to the viewport when ClipPixels is set and always to the drawing area.
#include <algorithm>
#include <utility>

#include "graph/graph.h"
#include "layer_internal.h"

namespace {

// The absolute rectangle a run may touch.
struct Bounds {
  int32_t left, top, right, bottom;
};

Bounds RunBounds() {
  const ViewPortState& vp = Graph.ViewPort;
  if (vp.ClipPixels) return {vp.X1, vp.Y1, vp.X1 + vp.Width, vp.Y1 + vp.Height};
  return {0, 0, Graph.MaxX, Graph.MaxY};
}

}  // namespace

void GenericHLine(int16_t x1, int16_t x2, int16_t y) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  int32_t ax1 = x1 + Graph.ViewPort.X1, ax2 = x2 + Graph.ViewPort.X1;
  int32_t ay = y + Graph.ViewPort.Y1;
  if (ax2 < ax1) std::swap(ax1, ax2);
  Bounds b = RunBounds();
  if (ay < b.top || ay > b.bottom || ax2 < b.left || ax1 > b.right) return;
  ax1 = std::max(ax1, b.left);
  ax2 = std::min(ax2, b.right);
  for (int32_t x = ax1; x <= ax2; ++x) {
    Graph.Slots.DirectPutPixel(static_cast<int16_t>(x), static_cast<int16_t>(ay));
  }
}

void GenericVLine(int16_t x, int16_t y1, int16_t y2) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  int32_t ax = x + Graph.ViewPort.X1;
  int32_t ay1 = y1 + Graph.ViewPort.Y1, ay2 = y2 + Graph.ViewPort.Y1;
  if (ay2 < ay1) std::swap(ay1, ay2);
  Bounds b = RunBounds();
  if (ax < b.left || ax > b.right || ay2 < b.top || ay1 > b.bottom) return;
  ay1 = std::max(ay1, b.top);
  ay2 = std::min(ay2, b.bottom);
  for (int32_t y = ay1; y <= ay2; ++y) {
    Graph.Slots.DirectPutPixel(static_cast<int16_t>(ax), static_cast<int16_t>(y));
  }
}
