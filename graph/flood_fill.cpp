// Flood fill by spans, without recursion.
//
// The region is 4-connected: a pixel joins it through a neighbour to its left, right,
// top or bottom, never through a corner, so a diagonal line of border pixels closes it
// off. It is bounded by the border colour and by the viewport. Rows are read once,
// through the GetScanLine slot, when the fill first reaches them; from then on a map of
// one byte per viewport pixel says what each pixel is, so pixels the fill paints are
// never read back, and a fill colour equal to the border colour cannot confuse it. Each
// span goes to be painted in the fill style as soon as it is found (the driver gets them a
// batch at a time, graph/fill_rows.h; a row is always read before any span of it is
// painted) and is queued at most once, so memory stays within the map, one queue entry per
// span of the viewport and one batch.
#include <algorithm>
#include <vector>

#include "fill_rows.h"
#include "graph/graph.h"
#include "graph/shapes.h"
#include "layer_internal.h"

namespace {

enum CellState : uint8_t { Unread = 0, Open, Border, Filled };

struct Span {
  int32_t y, left, right;
};

class FloodFiller {
 public:
  FloodFiller(int32_t width, int32_t height, uint16_t border)
      : width_(width),
        height_(height),
        border_(border),
        cells_(size_t(width) * size_t(height), Unread),
        rowRead_(size_t(height), false),
        row_(size_t(width)) {}

  void fill(int32_t x, int32_t y) {
    uint8_t* cells = rowCells(y);
    if (cells[x] != Open) return;
    StartFillRows();
    claim(cells, x, y);
    while (!pending_.empty()) {
      const Span span = pending_.back();
      pending_.pop_back();
      if (span.y > 0) claimRow(span.y - 1, span.left, span.right);
      if (span.y + 1 < height_) claimRow(span.y + 1, span.left, span.right);
    }
    DrawFillRows();
  }

 private:
  // Row y of the map, read from the drawing the first time it is asked for.
  uint8_t* rowCells(int32_t y) {
    uint8_t* cells = &cells_[size_t(y) * size_t(width_)];
    if (!rowRead_[size_t(y)]) {
      Graph.Slots.GetScanLine(0, static_cast<int16_t>(width_ - 1), static_cast<int16_t>(y),
                              row_.data());
      for (int32_t i = 0; i < width_; ++i) cells[i] = row_[size_t(i)] == border_ ? Border : Open;
      rowRead_[size_t(y)] = true;
    }
    return cells;
  }

  // Widens (x, y) to the whole open span around it, paints and queues it; returns the
  // span's right end.
  int32_t claim(uint8_t* cells, int32_t x, int32_t y) {
    int32_t left = x, right = x;
    while (left > 0 && cells[left - 1] == Open) --left;
    while (right + 1 < width_ && cells[right + 1] == Open) ++right;
    std::fill(cells + left, cells + right + 1, Filled);
    AddFillRow(static_cast<int16_t>(left), static_cast<int16_t>(right), static_cast<int16_t>(y));
    pending_.push_back({y, left, right});
    return right;
  }

  // Claims every open span of row y that touches columns left..right.
  void claimRow(int32_t y, int32_t left, int32_t right) {
    uint8_t* cells = rowCells(y);
    uint8_t* const end = cells + right + 1;
    for (uint8_t* p = std::find(cells + left, end, Open); p != end; p = std::find(p, end, Open)) {
      p = cells + claim(cells, static_cast<int32_t>(p - cells), y) + 1;
      if (p >= end) break;
    }
  }

  int32_t width_, height_;
  uint16_t border_;
  std::vector<uint8_t> cells_;
  std::vector<bool> rowRead_;
  std::vector<uint16_t> row_;
  std::vector<Span> pending_;
};

}  // namespace

void FloodFill(int16_t x, int16_t y, uint16_t border) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  if (border > GetMaxColor()) {
    Graph.ResultCode = grError;
    return;
  }
  FloodFillToDriverColor(x, y, border);
}

void FloodFillToDriverColor(int16_t x, int16_t y, uint16_t border) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  const int32_t width = Graph.ViewPort.Width + 1, height = Graph.ViewPort.Height + 1;
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  FloodFiller(width, height, border).fill(x, y);
}
