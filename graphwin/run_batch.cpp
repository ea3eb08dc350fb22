#include "run_batch.h"

#include <mutex>

#include "driver_state.h"
#include "graph_state.h"
#include "pixels.h"
#include "run_clip.h"

namespace {

// The colour a run in the current colour is drawn in: the kept pen for the basic colours.
COLORREF PenColorLocked(uint16_t color) {
  if (color < PenCache.size()) {
    if (!PenCache[color]) PenCache[color] = ColorToRGB(color);
    return *PenCache[color];
  }
  return ColorToRGB(color);
}

bool CombiningMode() {
  return Graph.WriteMode == XORPut || Graph.WriteMode == OrPut || Graph.WriteMode == AndPut;
}

// Combines every pixel of the block with what it shows now, then shows the block.
void CombineBlockLocked(const PixelArea& r) {
  for (int32_t y = r.top; y <= r.bottom; ++y)
    for (int32_t x = r.left; x <= r.right; ++x)
      StorePixelLocked(x, y, CombineWriteMode(PresentInkLocked(x, y)));
  ShowLocked(r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1);
}

void FillBlockLocked(const PixelArea& r, Ink ink) {
  FillRectLocked(r.left, r.top, r.right - r.left + 1, r.bottom - r.top + 1, ink);
}

}  // namespace

void DrawRunsLocked(const PixelRun* runs, size_t count) {
  if (!backingBitmap) return;
  const ViewPortState& vp = Graph.ViewPort;
  const PixelArea area = RunArea(vp, DrawingWidthLocked(), DrawingHeightLocked());
  if (CombiningMode()) {
    // What a run shows depends on what the runs before it drew: one at a time.
    PixelArea r;
    for (size_t i = 0; i < count; ++i)
      if (ClipRun(runs[i], vp, area, r)) CombineBlockLocked(r);
    return;
  }
  const uint16_t color = DrawingColor();
  Ink ink{0, PenColorLocked(color)};
  if (pagePlanes.inUse()) ink.color = InkOf(color).color;
  // Rows of equal ends, one under the other, as a bar's are, are filled as one block.
  PixelArea block{0, 0, -1, -1};
  for (size_t i = 0; i < count; ++i) {
    PixelArea r;
    if (!ClipRun(runs[i], vp, area, r)) continue;
    if (r.left == block.left && r.right == block.right && r.top == r.bottom &&
        r.top == block.bottom + 1) {
      block.bottom = r.bottom;
      continue;
    }
    if (block.left <= block.right) FillBlockLocked(block, ink);
    block = r;
  }
  if (block.left <= block.right) FillBlockLocked(block, ink);
}

void DriverRuns(const PixelRun* runs, size_t count) {
  if (!windowReady) return;
  std::lock_guard lock(graphLock);
  DrawRunsLocked(runs, count);
}
