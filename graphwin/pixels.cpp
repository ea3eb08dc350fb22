#include "pixels.h"

#include <algorithm>
#include <mutex>

#include "driver_state.h"
#include "graph_state.h"
#include "graphwin/driver.h"
#include "palette.h"

namespace {

bool InsideViewport(int16_t x, int16_t y) {
  const ViewPortState& vp = Graph.ViewPort;
  return x >= vp.X1 && x <= vp.X1 + vp.Width && y >= vp.Y1 && y <= vp.Y1 + vp.Height;
}

// The colour a line in the current colour is drawn in: the kept pen for the basic colours.
COLORREF PenColourLocked(uint16_t colour) {
  if (colour < PenCache.size()) {
    if (!PenCache[colour]) PenCache[colour] = ColorToRGB(colour);
    return *PenCache[colour];
  }
  return ColorToRGB(colour);
}

// NotPut draws the colour numbered by the complement of the current colour, which wraps
// round the palette to its mirror entry (MaxColor - 1 - colour).
uint16_t DrawingColour() {
  return Graph.WriteMode == NotPut ? uint16_t(~Graph.CurrentColor) : Graph.CurrentColor;
}

bool CombiningMode() {
  return Graph.WriteMode == XORPut || Graph.WriteMode == OrPut || Graph.WriteMode == AndPut;
}

}  // namespace

COLORREF CombineWriteMode(COLORREF present) {
  const COLORREF v = ColorToRGB(DrawingColour());
  switch (Graph.WriteMode) {
    case XORPut:
      return present ^ v;
    case OrPut:
      return present | v;
    case AndPut:
      return present & v;
    default:
      return v;
  }
}

void DriverPutPixel(int16_t x, int16_t y, uint16_t colour) {
  x = int16_t(x + Graph.ViewPort.X1);
  y = int16_t(y + Graph.ViewPort.Y1);
  if (Graph.ViewPort.ClipPixels && !InsideViewport(x, y)) return;
  if (!windowReady) return;
  std::lock_guard lock(graphLock);
  WritePixelLocked(x, y, ColorToRGB(colour));
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
  const COLORREF v = backingBitmap->pixel(x, y);
  return NearestColor(GetRValue(v), GetGValue(v), GetBValue(v));
}

void DriverDirectPutPixel(int16_t x, int16_t y) {
  if (!windowReady) return;
  std::lock_guard lock(graphLock);
  WritePixelLocked(x, y, CombineWriteMode(PresentColorLocked(x, y)));
}

void DriverHLine(int16_t x1, int16_t x2, int16_t y) {
  if (!windowReady) return;
  if (x2 < x1) std::swap(x1, x2);
  const ViewPortState& vp = Graph.ViewPort;
  int left = x1, right = x2, row = y;
  if (vp.ClipPixels) {
    if (left > vp.Width || row < 0 || row > vp.Height || right < 0) return;
    left = std::max(left, 0);
    right = std::min(right, int(vp.Width));
  }
  left += vp.X1;
  right += vp.X1;
  row += vp.Y1;

  std::lock_guard lock(graphLock);
  // Without clipping the run may still leave the drawing area; never write outside it.
  if (row < 0 || row >= DrawingHeightLocked()) return;
  left = std::max(left, 0);
  right = std::min(right, DrawingWidthLocked() - 1);
  if (left > right) return;

  if (CombiningMode()) {
    for (int x = left; x <= right; ++x)
      StorePixelLocked(x, row, CombineWriteMode(PresentColorLocked(x, row)));
    ShowLocked(left, row, right - left + 1, 1);
    return;
  }
  const uint16_t colour = DrawingColour();
  if (right - left <= 2) {
    const COLORREF v = ColorToRGB(colour);
    for (int x = left; x <= right; ++x) WritePixelLocked(x, row, v);
    return;
  }
  FillRunLocked(left, right, row, PenColourLocked(colour));
}

void DriverVLine(int16_t x, int16_t y1, int16_t y2) {
  if (!windowReady) return;
  if (y2 < y1) std::swap(y1, y2);
  const ViewPortState& vp = Graph.ViewPort;
  int column = x, top = y1, bottom = y2;
  if (vp.ClipPixels) {
    if (column > vp.Width || column < 0 || top > vp.Height || bottom < 0) return;
    top = std::max(top, 0);
    bottom = std::min(bottom, int(vp.Height));
  }
  column += vp.X1;
  top += vp.Y1;
  bottom += vp.Y1;

  if (Graph.WriteMode != NormalPut) {
    const DirectPutPixelProc put = Graph.Slots.DirectPutPixel;
    if (!put) return;
    for (int y = top; y <= bottom; ++y) put(int16_t(column), int16_t(y));
    return;
  }
  std::lock_guard lock(graphLock);
  if (column < 0 || column >= DrawingWidthLocked()) return;
  top = std::max(top, 0);
  bottom = std::min(bottom, DrawingHeightLocked() - 1);
  if (top > bottom) return;
  const uint16_t colour = Graph.CurrentColor;
  if (bottom - top <= 2) {
    const COLORREF v = ColorToRGB(colour);
    for (int y = top; y <= bottom; ++y) WritePixelLocked(column, y, v);
    return;
  }
  FillRectLocked(column, top, 1, bottom - top + 1, PenColourLocked(colour));
}
