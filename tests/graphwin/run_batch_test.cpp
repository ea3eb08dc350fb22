// Outlines reach the driver as batches of runs: they must land exactly where single
// pixels would, clipped the same way, on both surfaces.
#include "run_batch.h"

#include <set>
#include <utility>

#include "ellipse_outline.h"
#include "graph/shapes.h"
#include "headless_window.h"

namespace {

using RunBatchTest = HeadlessWindowTest;

constexpr COLORREF Yellow = RGB(252, 252, 84);

TEST_F(RunBatchTest, CircleLandsOnItsOutlineClippedToTheViewport) {
  Open640x480x16();
  SetViewPort(100, 100, 199, 149, true);
  SetColor(14);
  Circle(30, 20, 40);  // crosses the viewport's left, top and bottom edges
  std::set<std::pair<int, int>> expected;
  for (const OutlinePoint& p : QuadrantOutline(40, 40)) {
    for (int sx : {-1, 1}) {
      for (int sy : {-1, 1}) {
        const int x = 130 + sx * p.dx, y = 120 + sy * p.dy;
        if (x >= 100 && x <= 199 && y >= 100 && y <= 149) expected.insert({x, y});
      }
    }
  }
  ASSERT_FALSE(expected.empty());
  for (int y = 60; y <= 180; ++y) {
    for (int x = 60; x <= 240; ++x) {
      EXPECT_EQ(Stored(x, y), expected.count({x, y}) ? Yellow : 0u) << x << "," << y;
      EXPECT_EQ(Shown(x, y), Stored(x, y)) << x << "," << y;
    }
  }
}

TEST_F(RunBatchTest, CombiningWriteModesGoRunByRun) {
  Open640x480x16();
  SetColor(14);
  const PixelRun runs[] = {{10, 5, 20, 5}, {30, 0, 30, 9}, {15, 5, 15, 5}};
  SetWriteMode(XORPut);
  DriverRuns(runs, 3);
  EXPECT_EQ(Stored(12, 5), Yellow);
  EXPECT_EQ(Stored(15, 5), 0u);  // drawn twice
  EXPECT_EQ(Stored(30, 9), Yellow);
  DriverRuns(runs, 3);
  EXPECT_EQ(Stored(12, 5), 0u);
  EXPECT_EQ(Shown(30, 9), 0u);
}

}  // namespace
