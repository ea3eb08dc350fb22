// Outlines reach the driver as batches of runs: they must land exactly where single
// pixels would, clipped the same way, on both surfaces.
#include "run_batch.h"

#include <iterator>
#include <set>
#include <utility>

#include "ellipse_outline.h"
#include "graph/shapes.h"
#include "headless_window.h"
#include "pixels.h"

namespace {

using RunBatchTest = HeadlessWindowTest;

constexpr COLORREF Yellow = RGB(252, 252, 84);

TEST_F(RunBatchTest, CircleLandsOnItsOutlineClippedToTheViewport) {
  open640x480x16();
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
      EXPECT_EQ(stored(x, y), expected.count({x, y}) ? Yellow : 0u) << x << "," << y;
      EXPECT_EQ(shown(x, y), stored(x, y)) << x << "," << y;
    }
  }
}

// Rows of equal ends one under the other (a bar's) are filled as one block; the pixels are
// those of the runs drawn one at a time, on both surfaces, whatever ClipPixels says.
TEST_F(RunBatchTest, ABatchDrawsWhatItsRunsDrawOneAtATime) {
  open640x480x16();
  const PixelRun runs[] = {{10, 5, 20, 5}, {20, 6, 10, 6},  {10, 7, 20, 7}, {12, 8, 14, 8},
                           {10, 9, 20, 9}, {30, 3, 30, 12}, {-5, 4, -1, 4}, {-5, 5, 3, 5},
                           {-5, 6, 3, 6},  {0, 40, 99, 40}, {5, 41, 5, 41}, {5, 42, 5, 42}};
  for (bool clip : {true, false}) {
    SetViewPort(20, 10, 69, 49, clip);
    SetColor(14);
    DriverRuns(runs, std::size(runs));
    const PixelSurface batched = shownPicture();
    SetViewPort(0, 0, 639, 479, true);
    ClearViewPort();
    SetViewPort(20, 10, 69, 49, clip);
    for (const PixelRun& r : runs) {
      if (r.Y1 == r.Y2) {
        DriverHLine(r.X1, r.X2, r.Y1);
      } else {
        DriverVLine(r.X1, r.Y1, r.Y2);
      }
    }
    const PixelSurface single = shownPicture();
    int differ = 0, lit = 0;
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 140; ++x) {
        differ += batched.pixel(x, y) != single.pixel(x, y);
        lit += single.pixel(x, y) == Yellow;
        EXPECT_EQ(stored(x, y), single.pixel(x, y)) << x << "," << y;
      }
    }
    EXPECT_EQ(differ, 0) << "clip " << clip;
    // Clipped: four rows of 11, one of 3, the column of 10, two rows cut to 4. Unclipped:
    // those rows whole (5, 9, 9), the long row of 100 and two single pixels as well.
    EXPECT_EQ(lit, clip ? 44 + 3 + 10 + 4 + 4 : 44 + 3 + 10 + 5 + 9 + 9 + 100 + 1 + 1)
        << "clip " << clip;
    SetViewPort(0, 0, 639, 479, true);
    ClearViewPort();
  }
}

TEST_F(RunBatchTest, CombiningWriteModesGoRunByRun) {
  open640x480x16();
  SetColor(14);
  const PixelRun runs[] = {{10, 5, 20, 5}, {30, 0, 30, 9}, {15, 5, 15, 5}};
  SetWriteMode(XORPut);
  DriverRuns(runs, 3);
  EXPECT_EQ(stored(12, 5), Yellow);
  EXPECT_EQ(stored(15, 5), 0u);  // drawn twice
  EXPECT_EQ(stored(30, 9), Yellow);
  DriverRuns(runs, 3);
  EXPECT_EQ(stored(12, 5), 0u);
  EXPECT_EQ(shown(30, 9), 0u);
}

}  // namespace
