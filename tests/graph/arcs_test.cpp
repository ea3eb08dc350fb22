// Circles, arcs, ellipse outlines and pie slices: pixel pictures worked out by hand from
// the stepping rule, symmetry, closed outlines, arc ends and bad radii.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/shapes.h"
#include "test_driver.h"

using namespace testing_support;

namespace {

// '#' CurrentColor 15, 'o' colour 4, '.' untouched; top-left corner at (x0, y0).
void ExpectPicture(int x0, int y0, const std::vector<std::string>& rows) {
  for (size_t r = 0; r < rows.size(); ++r) {
    for (size_t c = 0; c < rows[r].size(); ++c) {
      const char ch = rows[r][c];
      const uint16_t want = ch == '#' ? 15 : ch == 'o' ? 4 : Untouched;
      EXPECT_EQ(At(x0 + int(c), y0 + int(r)), want) << x0 + int(c) << "," << y0 + int(r);
    }
  }
}

}  // namespace

TEST(Circle, RadiusFiveMatchesTheRoundedHeights) {
  // Heights round(sqrt(25 - dx^2)) for dx = 0..3 are 5, 5, 5, 4; the rest by symmetry.
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  Circle(20, 20, 5);
  ExpectPicture(
      14, 14,
      {".............", "....#####....", "...#.....#...", "..#.......#..", ".#.........#.",
       ".#.........#.", ".#.........#.", ".#.........#.", ".#.........#.", "..#.......#..",
       "...#.....#...", "....#####....", "............."});
  ArcCoordsType a;
  GetArcCoords(a);
  EXPECT_EQ(a.X, 20);
  EXPECT_EQ(a.XStart, 25);
  EXPECT_EQ(a.YStart, 20);
  EXPECT_EQ(a.XEnd, 25);
  EXPECT_EQ(a.YEnd, 20);
}

TEST(Circle, EveryRadiusIsSymmetricClosedAndWithinHalfAPixel) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  for (int r = 1; r <= 60; ++r) {
    ClearStore();
    Circle(100, 100, r);
    for (int dy = -r - 1; dy <= r + 1; ++dy) {
      for (int dx = -r - 1; dx <= r + 1; ++dx) {
        const bool lit = At(100 + dx, 100 + dy) == 15;
        // Mirrors and the diagonal swap give the same answer.
        ASSERT_EQ(lit, At(100 - dx, 100 + dy) == 15) << r << ": " << dx << "," << dy;
        ASSERT_EQ(lit, At(100 + dy, 100 + dx) == 15) << r << ": " << dx << "," << dy;
        if (!lit) continue;
        EXPECT_LT(std::abs(std::hypot(dx, dy) - r), 0.75) << r << ": " << dx << "," << dy;
        int neighbours = 0;
        for (int ny = -1; ny <= 1; ++ny) {
          for (int nx = -1; nx <= 1; ++nx)
            neighbours += (nx || ny) && At(100 + dx + nx, 100 + dy + ny) == 15;
        }
        EXPECT_GE(neighbours, 2) << "gap next to " << dx << "," << dy << " of radius " << r;
      }
    }
  }
}

TEST(Circle, StaysRoundOnTheModesAspectRatio) {
  ASSERT_EQ(StartGraphics(9, 0), grOk);  // 640 x 200, XAspect 4500
  uint16_t xa = 0, ya = 0;
  GetAspectRatio(xa, ya);
  EXPECT_EQ(xa, 4500);
  EXPECT_EQ(ya, 10000);
  Circle(100, 100, 20);  // vertical radius round(20 * 0.45) = 9
  EXPECT_EQ(At(120, 100), 15);
  EXPECT_EQ(At(100, 91), 15);
  EXPECT_EQ(Count(15, 0, 0, 639, 90), 0);
  EXPECT_EQ(Count(15, 0, 110, 639, 199), 0);
  SetAspectRatio(0, 10000);
  EXPECT_EQ(GraphResult(), grError);
}

TEST(Circle, IgnoresWriteModeAndLineStyleButNotThickness) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetWriteMode(XORPut);
  SetLineStyle(DottedLn, 0, NormWidth);
  Circle(50, 50, 10);
  Circle(50, 50, 10);                                // copy mode: drawing twice leaves it standing
  EXPECT_EQ(Count(15, 0, 0, 639, 479), 4 * 15 - 4);  // 15 a quadrant, axis points shared
  EXPECT_EQ(Graph.WriteMode, XORPut);

  SetWriteMode(NormalPut);
  SetLineStyle(SolidLn, 0, ThickWidth);
  ClearStore();
  Circle(50, 50, 10);
  EXPECT_EQ(Count(15, 59, 50, 61, 50), 3);
  EXPECT_EQ(Count(15, 50, 39, 50, 41), 3);
}

TEST(Circle, BadRadiiDrawNothing) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  for (int32_t r : {-1, -32768, 32768, 100000}) {
    Circle(50, 50, r);
    EXPECT_EQ(GraphResult(), grError) << r;
    Ellipse(50, 50, 0, 360, 10, r);
    EXPECT_EQ(GraphResult(), grError) << r;
    PieSlice(50, 50, 0, 90, r);
    EXPECT_EQ(GraphResult(), grError) << r;
  }
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 640 * 480);
  Circle(50, 50, 0);  // one pixel
  EXPECT_EQ(Count(15, 0, 0, 639, 479), 1);
  // A huge circle round a point off screen draws only what is visible, nothing outside.
  Circle(-20000, 240, 20200);
  EXPECT_GT(Count(15, 0, 0, 639, 479), 0);
  EXPECT_EQ(seen.outOfBounds, 0);
}

TEST(Arc, DrawsOnlyItsAnglesAndReportsEndsOnTheOutline) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  Arc(100, 100, 0, 90, 10);
  EXPECT_EQ(Count(15, 0, 0, 99, 479) + Count(15, 0, 101, 639, 479), 0);
  ArcCoordsType a;
  GetArcCoords(a);
  EXPECT_EQ(a.XStart, 110);
  EXPECT_EQ(a.YStart, 100);
  EXPECT_EQ(a.XEnd, 100);
  EXPECT_EQ(a.YEnd, 90);

  ClearStore();
  Arc(100, 100, 270, 90, 10);  // wraps through 0: the right half
  EXPECT_EQ(Count(15, 0, 0, 99, 479), 0);
  EXPECT_EQ(At(100, 90), 15);
  EXPECT_EQ(At(100, 110), 15);

  // For any angles, both reported ends are drawn pixels near the exact points.
  for (int start = 0; start < 360; start += 37) {
    for (int end : {start + 5, start + 100, start + 300}) {
      ClearStore();
      Ellipse(200, 200, start, end, 30, 18);
      GetArcCoords(a);
      EXPECT_EQ(At(a.XStart, a.YStart), 15) << start << "-" << end;
      EXPECT_EQ(At(a.XEnd, a.YEnd), 15) << start << "-" << end;
      const double s = start * std::numbers::pi / 180, e = end * std::numbers::pi / 180;
      EXPECT_LE(
          std::hypot(a.XStart - (200 + 30 * std::cos(s)), a.YStart - (200 - 18 * std::sin(s))),
          1.5);
      EXPECT_LE(std::hypot(a.XEnd - (200 + 30 * std::cos(e)), a.YEnd - (200 - 18 * std::sin(e))),
                1.5);
    }
  }
}

TEST(PieSlice, FillsItsWedgeAndOutlinesArcAndRadii) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  PieSlice(20, 20, 0, 90, 5);
  // The quarter of the radius-5 circle above right of the centre (outline pixels (5, 0),
  // (5, 1), (5, 2), (4, 3), (3, 4), (2, 5), (1, 5), (0, 5)), radii along the axes; each row
  // filled from the centre to just inside the outline.
  ExpectPicture(19, 14,
                {"........", ".###....", ".#oo#...", ".#ooo#..", ".#oooo#.", ".#oooo#.", ".######.",
                 "........"});
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 640 * 480 - 30);
}

TEST(Sector, WrappingWedgeOfAnEllipseLeavesTheRestAlone) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  Sector(100, 100, 315, 45, 40, 20);  // a wedge round the positive x axis
  EXPECT_EQ(At(130, 95), 4);
  EXPECT_EQ(At(110, 85), Untouched);  // above the 45-degree radius
  EXPECT_EQ(At(140, 100), 15);
  EXPECT_EQ(Count(4, 0, 0, 99, 479), 0);
}
