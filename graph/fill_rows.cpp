#include "fill_rows.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "graph/fill.h"
#include "graph/graph.h"
#include "layer_internal.h"

namespace {

// Bounds what a batch holds (a flood fill of a busy picture finds many short rows) and so
// how long the driver holds its lock for one.
constexpr size_t MostRuns = 4096;

// A shape's rows in the fill colour and in the background colour.
struct PatternRows {
  std::vector<PixelRun> fill, background;
};
PatternRows& KeptRows() {
  static PatternRows rows;  // kept to spare an allocation per shape
  return rows;
}

// Draws count runs in colour through the Runs slot.
void DrawRunsInColor(const PixelRun* runs, size_t count, uint16_t color) {
  const SavedField savedColor(Graph.CurrentColor);
  Graph.CurrentColor = color;
  Graph.Slots.Runs(runs, count);
}

// Draws the runs in colour and empties them.
void DrawRuns(std::vector<PixelRun>& runs, uint16_t color) {
  if (runs.empty()) return;
  DrawRunsInColor(runs.data(), runs.size(), color);
  runs.clear();
}

void DrawPatternRows(PatternRows& rows) {
  const SavedField savedWriteMode(Graph.WriteMode);
  Graph.WriteMode = NormalPut;
  DrawRuns(rows.fill, Graph.FillSettings.Color);
  DrawRuns(rows.background, Graph.BkColor);
}

// The row y from x1 to x2 as the generic PatternLine paints it, viewport-relative: clipped
// to the viewport whatever ClipPixels says, its set pattern bits as runs of fill and its
// clear ones as runs of background.
void AddPatternRow(int16_t x1, int16_t x2, int16_t y, PatternRows& rows) {
  const ViewPortState& vp = Graph.ViewPort;
  int32_t ax1 = x1 + vp.X1, ax2 = x2 + vp.X1, ay1 = y + vp.Y1, ay2 = ay1;
  if (!ClipLine32(ax1, ay1, ax2, ay2, vp.X1, vp.Y1, vp.X1 + vp.Width, vp.Y1 + vp.Height)) {
    return;
  }
  if (ax2 < ax1) std::swap(ax1, ax2);
  const int16_t row = static_cast<int16_t>(ay1 - vp.Y1);
  auto add = [&](bool set, int32_t from, int32_t to) {
    (set ? rows.fill : rows.background)
        .push_back(PixelRun{static_cast<int16_t>(from - vp.X1), row,
                            static_cast<int16_t>(to - vp.X1), row});
  };
  const uint8_t bits = FillPatternTable[Graph.FillSettings.Pattern % 13][ay1 % 8];
  if (bits == 0x00 || bits == 0xFF) {
    add(bits == 0xFF, ax1, ax2);
    return;
  }
  auto isSet = [bits](int32_t x) { return (bits & (0x80 >> (x % 8))) != 0; };
  for (int32_t from = ax1; from <= ax2;) {
    int32_t to = from;
    while (to < ax2 && isSet(to + 1) == isSet(from)) ++to;
    add(isSet(from), from, to);
    from = to + 1;
  }
}

}  // namespace

void DrawRowsInColor(int16_t x1, int16_t x2, int32_t y1, int32_t y2, uint16_t color) {
  if (y2 < y1) return;
  // One block: a bar's rows one by one cost the driver a clip and a join each.
  const PixelRun block{x1, static_cast<int16_t>(y1), x2, static_cast<int16_t>(y2)};
  DrawRunsInColor(&block, 1, color);
}

void StartFillRows() {
  KeptRows().fill.clear();
  KeptRows().background.clear();
}

void AddFillRow(int16_t x1, int16_t x2, int16_t y) {
  if (Graph.Slots.PatternLine != PatternLine) {
    Graph.Slots.PatternLine(x1, x2, y);
    return;
  }
  PatternRows& rows = KeptRows();
  AddPatternRow(x1, x2, y, rows);
  if (rows.fill.size() + rows.background.size() >= MostRuns) DrawPatternRows(rows);
}

void DrawFillRows() {
  DrawPatternRows(KeptRows());
}

void PatternLine(int16_t x1, int16_t x2, int16_t y) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  static PatternRows rows;  // its own: a driver's PatternLine may call it amid a shape's rows
  AddPatternRow(x1, x2, y, rows);
  DrawPatternRows(rows);
}
