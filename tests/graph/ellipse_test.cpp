// Filled ellipses: outline, interior, tiny radii, clipping and the state they leave.
#include <gtest/gtest.h>

#include "graph/fill.h"
#include "graph/graph.h"
#include "test_driver.h"

using namespace testing_support;

TEST(FillEllipse, OutlineInCurrentColorInteriorInFillColor) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  FillEllipse(100, 100, 10, 5);

  EXPECT_EQ(At(90, 100), 15);
  EXPECT_EQ(At(110, 100), 15);
  EXPECT_EQ(At(89, 100), Untouched);
  EXPECT_EQ(At(111, 100), Untouched);
  EXPECT_EQ(At(100, 95), 15);
  EXPECT_EQ(At(100, 105), 15);
  // Nothing outside the bounding box.
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 479) - Count(Untouched, 90, 95, 110, 105),
            640 * 480 - 21 * 11);
  // Top and bottom rows carry outline pixels only.
  EXPECT_EQ(Count(4, 90, 95, 110, 95), 0);
  EXPECT_EQ(Count(4, 90, 105, 110, 105), 0);
  EXPECT_GT(Count(15, 90, 95, 110, 95), 0);
  // Every row between them: one run, outline at both ends, fill colour inside, mirrored.
  for (int y = 96; y <= 104; ++y) {
    int left = 90;
    while (At(left, y) == Untouched) ++left;
    int right = 110;
    while (At(right, y) == Untouched) --right;
    EXPECT_EQ(At(left, y), 15) << "row " << y;
    EXPECT_EQ(At(right, y), 15) << "row " << y;
    EXPECT_EQ(100 - left, right - 100) << "row " << y;
    EXPECT_EQ(Count(Untouched, left, y, right, y), 0) << "row " << y;
    EXPECT_GT(Count(4, left, y, right, y), 0) << "row " << y;
    for (int x = left; x <= right; ++x) {
      EXPECT_EQ(At(x, y), At(200 - x, 200 - y)) << x << "," << y;
    }
  }
  EXPECT_EQ(Count(4, 91, 100, 109, 100), 19);  // the middle row's interior
  // The whole picture, worked out by hand from the stepping rules ('#' outline, 'o' fill).
  const char* picture[] = {
      "........#########........", ".....###ooooooooo###.....", "....##ooooooooooooo##....",
      "...#ooooooooooooooooo#...", "..#ooooooooooooooooooo#..", "..#ooooooooooooooooooo#..",
      "..#ooooooooooooooooooo#..", "...#ooooooooooooooooo#...", "....##ooooooooooooo##....",
      ".....###ooooooooo###.....", "........#########........"};
  for (int row = 0; row < 11; ++row) {
    for (int col = 0; col < 25; ++col) {
      const char c = picture[row][col];
      const int want = c == '#' ? 15 : c == 'o' ? 4 : Untouched;
      EXPECT_EQ(At(88 + col, 95 + row), want) << 88 + col << "," << 95 + row;
    }
  }
  EXPECT_EQ(Graph.ArcCoords.X, 100);
  EXPECT_EQ(Graph.ArcCoords.XStart, 110);
  EXPECT_EQ(Graph.ArcCoords.YStart, 100);
  EXPECT_EQ(Graph.ArcCoords.XEnd, 110);
  EXPECT_EQ(Graph.ArcCoords.YEnd, 100);
}

TEST(FillEllipse, RadiiZeroAndOnePlotOnePixel) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  SetColor(9);
  const uint16_t radii[][2] = {{0, 0}, {1, 1}, {0, 1}, {1, 0}};
  for (const auto& r : radii) {
    ClearStore();
    Graph.ArcCoords = {};
    FillEllipse(50, 60, r[0], r[1]);
    EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 640 * 480 - 1);
    EXPECT_EQ(At(50, 60), 9);
    const ArcCoordsType& a = Graph.ArcCoords;
    EXPECT_EQ(a.X, 50);
    EXPECT_EQ(a.XStart, 50);
    EXPECT_EQ(a.XEnd, 50);
    EXPECT_EQ(a.Y, 60);
    EXPECT_EQ(a.YStart, 60);
    EXPECT_EQ(a.YEnd, 60);
  }
}

TEST(FillEllipse, NearTheEdgesDrawsOnlyTheVisiblePart) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  FillEllipse(2, 3, 30, 20);
  FillEllipse(637, 478, 30, 20);
  EXPECT_EQ(seen.outOfBounds, 0);
  EXPECT_EQ(At(0, 0), 4);
  EXPECT_EQ(At(639, 479), 4);
  EXPECT_EQ(At(32, 3), 15);

  ClearStore();
  SetViewPort(100, 100, 200, 200, true);
  FillEllipse(0, 0, 30, 30);
  // Only the quarter inside the viewport is drawn.
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 479) - Count(Untouched, 100, 100, 130, 130),
            640 * 480 - 31 * 31);
  EXPECT_EQ(At(100, 100), 4);
  EXPECT_EQ(At(99, 100), Untouched);
  EXPECT_EQ(At(100, 99), Untouched);
}

TEST(FillEllipse, LeavesColorFillAndWriteModeAlone) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetColor(2);
  SetFillStyle(XHatchFill, 5);
  SetWriteMode(OrPut);
  FillEllipse(300, 200, 40, 25);
  EXPECT_EQ(GetColor(), 2);
  EXPECT_EQ(Graph.FillSettings.Pattern, XHatchFill);
  EXPECT_EQ(Graph.FillSettings.Color, 5);
  EXPECT_EQ(Graph.WriteMode, OrPut);
  // The interior follows the pattern; the outline is the current colour.
  EXPECT_EQ(At(260, 200), 2);
  int x = 296, y = 200;  // row 200 mod 8 = 0: 0x18 sets columns 3 and 4 of each 8
  EXPECT_EQ(At(x + 3, y), 5);
  EXPECT_EQ(At(x + 5, y), 0);
}

TEST(FillEllipse, ThickLinesWidenTheOutlineByOne) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  SetLineStyle(SolidLn, 0, ThickWidth);
  FillEllipse(100, 100, 10, 5);
  EXPECT_EQ(At(111, 100), 15);
  EXPECT_EQ(At(110, 100), 15);
  EXPECT_EQ(At(89, 100), 15);
  EXPECT_EQ(At(100, 94), 15);
  EXPECT_EQ(At(112, 100), Untouched);
  EXPECT_EQ(At(100, 100), 4);
  EXPECT_EQ(Graph.LineSettings.Thickness, ThickWidth);
}

TEST(FillEllipse, LargeRadiiStayInsideTheDrawingArea) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 1);
  FillEllipse(320, 240, 1410, 1410);
  FillEllipse(32000, 240, 2000, 100);  // reaches past the 16-bit range
  EXPECT_EQ(seen.outOfBounds, 0);
  EXPECT_EQ(Count(1, 0, 0, 639, 479), 640 * 480);
}

// An angle formed as 360 - a lies just above the bound 300 for a step near 60 degrees;
// rounded to float first it would count as on the bound and leave the point out.
TEST(InternalEllipse, MirrorAnglesNearABoundAreComparedExactly) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  InternalEllipse(320, 240, 2, 12, 300, 45, PatternLine);
  // Row 250 holds that point at (321, 250): its row stops short of it, as on the rows
  // above, instead of running on to the right edge.
  EXPECT_EQ(At(321, 250), 15);
  EXPECT_EQ(Count(Untouched, 323, 250, 639, 250), 639 - 323 + 1);
  EXPECT_EQ(Count(Untouched, 323, 249, 639, 249), 639 - 323 + 1);
}
