// Fill settings, the pattern table, bars and the generic pattern row.
#include <algorithm>
#include <utility>
#include <vector>

#include "graph/fill.h"
#include "graph/graph.h"
#include "layer_internal.h"

uint8_t FillPatternTable[13][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // EmptyFill
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},  // SolidFill
    {0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00},  // LineFill
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // LtSlashFill
    {0x07, 0x0E, 0x1C, 0x38, 0x70, 0xE0, 0xC1, 0x83},  // SlashFill
    {0x07, 0x83, 0xC1, 0xE0, 0x70, 0x38, 0x1C, 0x0E},  // BkSlashFill
    {0x5A, 0x2D, 0x96, 0x4B, 0xA5, 0xD2, 0x69, 0xB4},  // LtBkSlashFill
    {0xFF, 0x88, 0x88, 0x88, 0xFF, 0x88, 0x88, 0x88},  // HatchFill
    {0x18, 0x24, 0x42, 0x81, 0x81, 0x42, 0x24, 0x18},  // XHatchFill
    {0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33},  // InterleaveFill
    {0x80, 0x00, 0x08, 0x00, 0x80, 0x00, 0x08, 0x00},  // WideDotFill
    {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00},  // CloseDotFill
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // UserFill
};

void SetFillStyle(uint16_t pattern, uint16_t color) {
  if (pattern > UserFill || color > GetMaxColor()) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.FillSettings.Color = color;
  Graph.FillSettings.Pattern = pattern;
}

void SetFillPattern(const uint8_t (&pattern)[8], uint16_t color) {
  if (color > GetMaxColor()) {
    Graph.ResultCode = grError;
    return;
  }
  for (int r = 0; r < 8; ++r) {
    Graph.UserFillPattern[r] = pattern[r];
    FillPatternTable[UserFill][r] = pattern[r];
  }
  Graph.FillSettings.Pattern = UserFill;
  Graph.FillSettings.Color = color;
}

namespace {

// A shape's rows in the fill colour and in the background colour, kept to spare an
// allocation per shape.
struct PatternRows {
  std::vector<PixelRun> fill, background;
  void clear() {
    fill.clear();
    background.clear();
  }
};
PatternRows& KeptRows() {
  static PatternRows rows;
  return rows;
}

// Draws rows through the Runs slot in colour: the driver takes its lock once for all.
void DrawRows(const std::vector<PixelRun>& rows, uint16_t color) {
  if (rows.empty()) return;
  Graph.CurrentColor = color;
  Graph.Slots.Runs(rows.data(), rows.size());
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

void Bar(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  const SavedLineState savedLine;
  const SavedField savedColor(Graph.CurrentColor);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 < x1) std::swap(x1, x2);
  Graph.WriteMode = NormalPut;
  Graph.LineSettings.LineStyle = SolidLn;
  Graph.LineSettings.Thickness = NormWidth;

  // The rows go to the driver as one batch, or two in a pattern (fill, then background),
  // so that it takes its lock once a batch instead of once a row.
  PatternRows& rows = KeptRows();
  rows.clear();
  const uint16_t pattern = Graph.FillSettings.Pattern;
  if (pattern == EmptyFill || pattern == SolidFill) {
    for (int32_t y = y1; y <= y2; ++y) {
      rows.fill.push_back(PixelRun{x1, static_cast<int16_t>(y), x2, static_cast<int16_t>(y)});
    }
    DrawRows(rows.fill, pattern == EmptyFill ? Graph.BkColor : Graph.FillSettings.Color);
  } else if (Graph.Slots.PatternLine == PatternLine) {
    for (int32_t y = y1; y <= y2; ++y) AddPatternRow(x1, x2, static_cast<int16_t>(y), rows);
    DrawRows(rows.fill, Graph.FillSettings.Color);
    DrawRows(rows.background, Graph.BkColor);
  } else {  // a driver's own pattern rows
    Graph.CurrentColor = Graph.FillSettings.Color;
    for (int32_t y = y1; y <= y2; ++y) Graph.Slots.PatternLine(x1, x2, static_cast<int16_t>(y));
  }
}

void PatternLine(int16_t x1, int16_t x2, int16_t y) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  const SavedField savedWriteMode(Graph.WriteMode);
  const SavedField savedColor(Graph.CurrentColor);
  Graph.WriteMode = NormalPut;
  PatternRows& rows = KeptRows();
  rows.clear();
  AddPatternRow(x1, x2, y, rows);
  DrawRows(rows.fill, Graph.FillSettings.Color);
  DrawRows(rows.background, Graph.BkColor);
}
