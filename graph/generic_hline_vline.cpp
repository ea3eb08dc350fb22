// Generic horizontal and vertical runs: one DirectPutPixel per pixel, clipped by the rule
// of every run (graph/run_clip.h).
#include "graph/graph.h"
#include "layer_internal.h"
#include "run_clip.h"

namespace {

void DrawRunByPixels(const PixelRun& run) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  const ViewPortState& vp = Graph.ViewPort;
  PixelArea r;
  if (!ClipRun(run, vp, RunArea(vp, Graph.MaxX + 1, Graph.MaxY + 1), r)) return;
  for (int32_t y = r.top; y <= r.bottom; ++y) {
    for (int32_t x = r.left; x <= r.right; ++x) {
      Graph.Slots.DirectPutPixel(static_cast<int16_t>(x), static_cast<int16_t>(y));
    }
  }
}

}  // namespace

void GenericHLine(int16_t x1, int16_t x2, int16_t y) {
  DrawRunByPixels(PixelRun{x1, y, x2, y});
}

void GenericVLine(int16_t x, int16_t y1, int16_t y2) {
  DrawRunByPixels(PixelRun{x, y1, x, y2});
}
