// Flood fill: exactly the enclosed 4-connected region on a full-screen maze, diagonal
// walls, the viewport as a bound, and starts that fill nothing.
#include <gtest/gtest.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <deque>
#include <random>
#include <vector>

#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/shapes.h"
#include "layer_internal.h"
#include "test_driver.h"

using namespace testing_support;

namespace {

// The pixels a 4-connected fill from (x, y) must reach, bounded by colour border and the
// drawing area: worked out independently of the layer, on the store.
std::vector<bool> Reachable(int x, int y, uint16_t border) {
  const int w = seen.width, h = seen.height;
  std::vector<bool> reached(size_t(w) * h, false);
  std::deque<std::pair<int, int>> queue{{x, y}};
  reached[size_t(y) * w + x] = true;
  while (!queue.empty()) {
    auto [px, py] = queue.front();
    queue.pop_front();
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
      const int nx = px + dx, ny = py + dy;
      if (nx < 0 || ny < 0 || nx >= w || ny >= h) continue;
      if (reached[size_t(ny) * w + nx] || At(nx, ny) == border) continue;
      reached[size_t(ny) * w + nx] = true;
      queue.push_back({nx, ny});
    }
  }
  return reached;
}

// Heap in use, sampled each time the fill reads a row, i.e. all through the fill. (Under
// the address sanitizer mallinfo2 reports nothing, and the bound holds trivially; only
// glibc reports it at all.)
size_t HeapInUse() {
#ifdef __GLIBC__
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
#else
  return 0;
#endif
}
size_t peakHeap = 0;
void ScanLineMeasuringHeap(int16_t x1, int16_t x2, int16_t y, uint16_t* row) {
  peakHeap = std::max(peakHeap, HeapInUse());
  GenericGetScanLine(x1, x2, y, row);
}

}  // namespace

TEST(FloodFill, FillsExactlyTheEnclosedRegionOfAFullScreenMaze) {
  ASSERT_EQ(StartGraphics(), grOk);  // 1920 x 1017, 256 colours
  SetColor(1);
  // Walls on a 12-pixel grid, each wall segment left open at random, plus diagonal walls
  // through some cells: the diagonal gaps must hold the fill.
  std::mt19937 random(7);
  for (int y = 0; y <= 1016; y += 12) {
    for (int x = 0; x + 12 <= 1919; x += 12) {
      if (random() % 5 < 2) Line(int16_t(x), int16_t(y), int16_t(x + 12), int16_t(y));
      if (random() % 5 < 2)
        Line(int16_t(x), int16_t(y), int16_t(x), int16_t(std::min(y + 12, 1016)));
      if (random() % 5 == 0) Line(int16_t(x), int16_t(y), int16_t(x + 12), int16_t(y + 12));
    }
  }
  const std::vector<bool> expected = Reachable(601, 505, 1);
  SetFillStyle(SolidFill, 14);
  Graph.Slots.GetScanLine = ScanLineMeasuringHeap;
  const size_t heapBefore = peakHeap = HeapInUse();
  FloodFill(601, 505, 1);
  // Its map is one byte a pixel; with its queue of spans it stays well within three.
  EXPECT_LT(peakHeap - heapBefore, size_t(3) * 1920 * 1017);
  size_t wrong = 0, filled = 0;
  for (int y = 0; y < seen.height; ++y) {
    for (int x = 0; x < seen.width; ++x) {
      const bool isFilled = At(x, y) == 14;
      filled += isFilled;
      wrong += isFilled != expected[size_t(y) * seen.width + x];
    }
  }
  EXPECT_EQ(wrong, 0u);
  EXPECT_GT(filled, 100000u);  // a large share of the screen
  EXPECT_EQ(seen.outOfBounds, 0);
}

TEST(FloodFill, DiagonalWallsHoldAndTheViewportBounds) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetColor(2);
  // A diamond of one-pixel diagonal lines: its inside touches the outside only at corners.
  Line(50, 20, 80, 50);
  Line(80, 50, 50, 80);
  Line(50, 80, 20, 50);
  Line(20, 50, 50, 20);
  SetFillStyle(SolidFill, 4);
  FloodFill(50, 50, 2);
  EXPECT_EQ(At(50, 50), 4);
  EXPECT_EQ(At(50, 22), 4);
  EXPECT_EQ(Count(4, 0, 0, 639, 19) + Count(4, 0, 81, 639, 479), 0);
  EXPECT_EQ(At(30, 30), Untouched);

  // Outside the diamond, the viewport stops the fill.
  SetViewPort(0, 0, 100, 100, true);
  FloodFill(90, 90, 2);
  EXPECT_EQ(At(100, 100), 4);
  EXPECT_EQ(At(101, 100), Untouched);
  EXPECT_EQ(At(0, 0), 4);
}

TEST(FloodFill, FillColorEqualToTheBorderAndPatternsWork) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetColor(2);
  Rectangle(10, 10, 30, 30);
  SetFillStyle(SolidFill, 2);
  FloodFill(20, 20, 2);  // painted pixels are never mistaken for new border
  EXPECT_EQ(Count(2, 10, 10, 30, 30), 21 * 21);
  EXPECT_EQ(Count(2, 0, 0, 639, 479), 21 * 21);

  Rectangle(50, 10, 70, 30);
  SetFillStyle(LineFill, 5);
  FloodFill(60, 20, 2);
  for (int y = 11; y <= 29; ++y) {
    EXPECT_EQ(At(60, y), y % 4 < 2 ? 5 : 0) << y;
  }
}

TEST(FloodFill, StartsThatFillNothing) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetColor(2);
  Rectangle(10, 10, 30, 30);
  ClearStore();
  Rectangle(10, 10, 30, 30);
  FloodFill(10, 20, 2);  // on the border colour
  FloodFill(-1, 20, 2);  // outside the viewport
  FloodFill(20, 480, 2);
  EXPECT_EQ(GraphResult(), grOk);
  FloodFill(20, 20, 16);  // no such colour in 16 colours
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 640 * 480 - 80);
}
