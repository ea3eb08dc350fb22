#include "outline_runs.h"

#include <algorithm>
#include <utility>

#include "graph_state.h"
#include "layer_internal.h"

namespace {

bool Fits16(int32_t v) {
  return v >= INT16_MIN && v <= INT16_MAX;
}
int16_t Clamp16(int32_t v) {
  return static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX));
}

void AddRun(std::vector<PixelRun>& runs, RunPixel from, RunPixel to) {
  if (from.y == to.y) {
    if (!Fits16(from.y)) return;
    const int16_t y = static_cast<int16_t>(from.y);
    runs.push_back({Clamp16(std::min(from.x, to.x)), y, Clamp16(std::max(from.x, to.x)), y});
  } else {
    if (!Fits16(from.x)) return;
    const int16_t x = static_cast<int16_t>(from.x);
    runs.push_back({x, Clamp16(std::min(from.y, to.y)), x, Clamp16(std::max(from.y, to.y))});
  }
}

}  // namespace

void GenericRuns(const PixelRun* runs, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const PixelRun& r = runs[i];
    if (r.X1 == r.X2 && r.Y1 != r.Y2) {
      Graph.Slots.VLine(r.X1, r.Y1, r.Y2);
    } else {
      for (int32_t y = std::min(r.Y1, r.Y2); y <= std::max(r.Y1, r.Y2); ++y)
        Graph.Slots.HLine(r.X1, r.X2, static_cast<int16_t>(y));
    }
  }
}

void DrawPixelRuns(const std::vector<RunPixel>& pixels) {
  if (pixels.empty()) return;
  static std::vector<PixelRun> runs;  // kept to spare an allocation per shape
  runs.clear();
  RunPixel first = pixels.front(), last = first;
  int stepX = 0, stepY = 0;  // direction of the run, 0 while it is one pixel
  for (size_t i = 1; i < pixels.size(); ++i) {
    const RunPixel p = pixels[i];
    if (p.x == last.x && p.y == last.y) continue;
    const int dx = p.x - last.x, dy = p.y - last.y;
    const bool alongRow = dy == 0 && (dx == 1 || dx == -1);
    const bool alongColumn = dx == 0 && (dy == 1 || dy == -1);
    const bool single = stepX == 0 && stepY == 0;
    if ((alongRow || alongColumn) && (single || (stepX == dx && stepY == dy))) {
      stepX = dx;
      stepY = dy;
      last = p;
      continue;
    }
    AddRun(runs, first, last);
    first = last = p;
    stepX = stepY = 0;
  }
  AddRun(runs, first, last);
  Graph.Slots.Runs(runs.data(), runs.size());
}
