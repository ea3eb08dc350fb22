#include "run_batch.h"

#include <algorithm>
#include <mutex>

#include "driver_state.h"
#include "graph_state.h"
#include "graphwin/driver.h"
#include "pixels.h"

namespace {

// The run in absolute coordinates, clipped as HLine and VLine clip: to the viewport when
// ClipPixels is set, always to the drawing area. False when nothing is left.
bool ClipRunLocked(const PixelRun& run, int& x1, int& y1, int& x2, int& y2) {
  const ViewPortState& vp = Graph.ViewPort;
  x1 = std::min(run.X1, run.X2);
  x2 = std::max(run.X1, run.X2);
  y1 = std::min(run.Y1, run.Y2);
  y2 = std::max(run.Y1, run.Y2);
  if (vp.ClipPixels) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, int(vp.Width));
    y2 = std::min(y2, int(vp.Height));
  }
  x1 = std::max(x1 + vp.X1, 0);
  y1 = std::max(y1 + vp.Y1, 0);
  x2 = std::min(x2 + vp.X1, DrawingWidthLocked() - 1);
  y2 = std::min(y2 + vp.Y1, DrawingHeightLocked() - 1);
  return x1 <= x2 && y1 <= y2;
}

}  // namespace

void DriverRuns(const PixelRun* runs, size_t count) {
  if (!windowReady) return;
  if (Graph.WriteMode != NormalPut) {
    // Combining modes read what is there pixel by pixel; the run routines do that.
    for (size_t i = 0; i < count; ++i) {
      const PixelRun& r = runs[i];
      if (r.Y1 == r.Y2) {
        DriverHLine(r.X1, r.X2, r.Y1);
      } else {
        DriverVLine(r.X1, r.Y1, r.Y2);
      }
    }
    return;
  }
  std::lock_guard lock(graphLock);
  if (!backingBitmap) return;
  // Under the lock: the palette may be emptied on the message thread.
  const COLORREF v = ColorToRGB(Graph.CurrentColor);
  for (size_t i = 0; i < count; ++i) {
    int x1, y1, x2, y2;
    if (ClipRunLocked(runs[i], x1, y1, x2, y2)) FillRectLocked(x1, y1, x2 - x1 + 1, y2 - y1 + 1, v);
  }
}
