#pragma once
// The one clipping rule of runs of pixels, shared by the layer's generic run routines and
// the drivers' own: a run is given in viewport-relative coordinates; it is clipped to the
// viewport while ClipPixels is set, and always to the drawing area, so that nothing is
// written outside it.
#include <algorithm>
#include <cstdint>

#include "graph/mode_record.h"
#include "graph_state.h"

// A rectangle in absolute coordinates, both ends included.
struct PixelArea {
  int32_t left, top, right, bottom;
};

// Where runs may draw: the viewport while ClipPixels is set, within a drawing area of
// width x height pixels.
inline PixelArea RunArea(const ViewPortState& vp, int32_t width, int32_t height) {
  PixelArea area{0, 0, width - 1, height - 1};
  if (vp.ClipPixels) {
    area.left = std::max<int32_t>(area.left, vp.X1);
    area.top = std::max<int32_t>(area.top, vp.Y1);
    area.right = std::min<int32_t>(area.right, vp.X1 + vp.Width);
    area.bottom = std::min<int32_t>(area.bottom, vp.Y1 + vp.Height);
  }
  return area;
}

// The run in absolute coordinates, its ends in order, cut to area; false when nothing of
// it is left.
inline bool ClipRun(const PixelRun& run, const ViewPortState& vp, const PixelArea& area,
                    PixelArea& clipped) {
  clipped.left = std::max<int32_t>(std::min(run.X1, run.X2) + vp.X1, area.left);
  clipped.right = std::min<int32_t>(std::max(run.X1, run.X2) + vp.X1, area.right);
  clipped.top = std::max<int32_t>(std::min(run.Y1, run.Y2) + vp.Y1, area.top);
  clipped.bottom = std::min<int32_t>(std::max(run.Y1, run.Y2) + vp.Y1, area.bottom);
  return clipped.left <= clipped.right && clipped.top <= clipped.bottom;
}
