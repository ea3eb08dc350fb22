// Fill settings, the pattern table and bars.
#include <utility>

#include "fill_rows.h"
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

void Bar(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  const SavedLineState savedLine;
  const SavedField savedColor(Graph.CurrentColor);
  if (y2 < y1) std::swap(y1, y2);
  if (x2 < x1) std::swap(x1, x2);
  Graph.WriteMode = NormalPut;
  Graph.LineSettings.LineStyle = SolidLn;
  Graph.LineSettings.Thickness = NormWidth;

  // The rows go to the driver in batches, so that it takes its lock once a batch instead
  // of once a row.
  const uint16_t pattern = Graph.FillSettings.Pattern;
  if (pattern == EmptyFill || pattern == SolidFill) {
    DrawRowsInColor(x1, x2, y1, y2,
                    pattern == EmptyFill ? Graph.BkColor : Graph.FillSettings.Color);
    return;
  }
  Graph.CurrentColor = Graph.FillSettings.Color;  // for a driver's own PatternLine
  StartFillRows();
  for (int32_t y = y1; y <= y2; ++y) AddFillRow(x1, x2, static_cast<int16_t>(y));
  DrawFillRows();
}
