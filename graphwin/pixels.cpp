#include "pixels.h"

#include <mutex>

#include "driver_state.h"
#include "graph_state.h"
#include "graphwin/true_color.h"
#include "palette.h"
#include "run_batch.h"

namespace {

bool InsideViewport(int16_t x, int16_t y) {
  const ViewPortState& vp = Graph.ViewPort;
  return x >= vp.X1 && x <= vp.X1 + vp.Width && y >= vp.Y1 && y <= vp.Y1 + vp.Height;
}

}  // namespace

// NotPut's complement wraps round the palette to the mirror entry (MaxColor - 1 - colour).
uint16_t DrawingColor() {
  return Graph.WriteMode == NotPut ? uint16_t(~Graph.CurrentColor) : Graph.CurrentColor;
}

Ink CombineWriteMode(Ink present) {
  const Ink ink = InkOf(DrawingColor());
  if (pagePlanes.inUse()) {
    // A palette window combines colour numbers, as the planes of the classic hardware did;
    // where a true colour takes part, the RGB values.
    if (Graph.WriteMode != XORPut && Graph.WriteMode != OrPut && Graph.WriteMode != AndPut) {
      return ink;
    }
    return InkOfStored(CombinePageValues(present.color, ink.color, Graph.WriteMode));
  }
  switch (Graph.WriteMode) {
    case XORPut:
      return {0, present.rgb ^ ink.rgb};
    case OrPut:
      return {0, present.rgb | ink.rgb};
    case AndPut:
      return {0, present.rgb & ink.rgb};
    default:
      return ink;
  }
}

void DriverPutPixel(int16_t x, int16_t y, uint16_t color) {
  x = int16_t(x + Graph.ViewPort.X1);
  y = int16_t(y + Graph.ViewPort.Y1);
  if (Graph.ViewPort.ClipPixels && !InsideViewport(x, y)) return;
  if (!windowReady) return;
  std::lock_guard lock(graphLock);
  WritePixelLocked(x, y, InkOf(color));
}

uint16_t DriverGetPixel(int16_t x, int16_t y) {
  x = int16_t(x + Graph.ViewPort.X1);
  y = int16_t(y + Graph.ViewPort.Y1);
  if (Graph.ViewPort.ClipPixels && !InsideViewport(x, y)) return 0;
  if (!windowReady) {
    Graph.ResultCode = grError;
    return 0;
  }
  std::lock_guard lock(graphLock);
  if (!backingBitmap) {  // torn down since the test above
    Graph.ResultCode = grError;
    return 0;
  }
  if (!backingBitmap->contains(x, y)) return 0;
  COLORREF v;
  if (pagePlanes.inUse()) {
    const uint32_t stored = pagePlanes.activeRow(y)[x];
    if (stored < TrueColorFlag) return uint16_t(stored);  // the number drawn
    // A true colour has no number: the nearest (GetPixelValue in graphwin/true_color.h
    // gives the colour value).
    v = stored & TrueColorRgbMask;
  } else {
    v = backingBitmap->pixel(x, y);
  }
  return NearestColor(GetRValue(v), GetGValue(v), GetBValue(v));
}

void DriverDirectPutPixel(int16_t x, int16_t y) {
  if (!windowReady) return;
  std::lock_guard lock(graphLock);
  WritePixelLocked(x, y, CombineWriteMode(PresentInkLocked(x, y)));
}

void DriverHLine(int16_t x1, int16_t x2, int16_t y) {
  if (!windowReady) return;
  const PixelRun run{x1, y, x2, y};
  std::lock_guard lock(graphLock);
  DrawRunsLocked(&run, 1);
}

void DriverVLine(int16_t x, int16_t y1, int16_t y2) {
  if (!windowReady) return;
  const PixelRun run{x, y1, x, y2};
  std::lock_guard lock(graphLock);
  DrawRunsLocked(&run, 1);
}
