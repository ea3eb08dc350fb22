// Rectangles, 3-D bars, polygons (even-odd fill), relative moves and clearing.
#include <gtest/gtest.h>

#include <vector>

#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/shapes.h"
#include "test_driver.h"

using namespace testing_support;

TEST(Rectangle, DrawsEachEdgePixelOnceSoXorTwiceErasesIt) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  Rectangle(30, 20, 10, 10);  // corners in any order
  EXPECT_EQ(Count(15, 0, 0, 639, 479), 2 * (21 + 11) - 4);
  EXPECT_EQ(Count(15, 11, 11, 29, 19), 0);
  for (auto [x, y] : {std::pair{10, 10}, {30, 10}, {10, 20}, {30, 20}}) EXPECT_EQ(At(x, y), 15);

  SetWriteMode(XORPut);
  Rectangle(10, 10, 30, 20);
  EXPECT_EQ(Count(15, 0, 0, 639, 479), 0);
}

TEST(Bar3D, FrontFaceFilledSideAndTopRecedeThreeQuartersUp) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  Bar3D(100, 100, 120, 150, 8, true);  // back offset (8, -6)
  EXPECT_EQ(At(110, 120), 4);
  EXPECT_EQ(At(100, 100), 15);
  EXPECT_EQ(At(128, 144), 15);  // back of the bottom edge
  EXPECT_EQ(At(108, 94), 15);   // back top left
  ClearStore();
  Bar3D(100, 100, 120, 150, 8, false);  // for stacking: no top face
  EXPECT_EQ(At(128, 94), 15);
  EXPECT_EQ(At(108, 94), Untouched);
  EXPECT_EQ(At(118, 94), Untouched);
}

TEST(FillPoly, ConcaveShapeLeavesItsNotchEmpty) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  // A U: arms 10 wide, notch from x 20 to 40 down to y 40.
  const PointType u[] = {{10, 10}, {20, 10}, {20, 40}, {40, 40},
                         {40, 10}, {50, 10}, {50, 60}, {10, 60}};
  FillPoly(8, u);
  EXPECT_EQ(Count(4, 11, 11, 19, 59), 9 * 49);  // left arm inside the outline
  EXPECT_EQ(Count(4, 41, 11, 49, 59), 9 * 49);
  EXPECT_EQ(Count(4, 21, 41, 39, 59), 19 * 19);
  EXPECT_EQ(Count(Untouched, 21, 10, 39, 39), 19 * 30);  // the notch
  EXPECT_EQ(At(30, 40), 15);                             // its floor is outline
  EXPECT_EQ(Count(4, 0, 0, 639, 9) + Count(4, 0, 61, 639, 479), 0);
}

TEST(FillPoly, SelfCrossingStarKeepsItsCentreEmptyByTheEvenOddRule) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  // A five-pointed star drawn as one self-crossing line through every second tip.
  const int star[] = {100, 20, 147, 165, 24, 75, 176, 75, 53, 165};
  FillPoly(5, star);
  EXPECT_EQ(At(100, 100), Untouched);  // the pentagon in the middle is crossed twice
  EXPECT_EQ(At(100, 40), 4);           // the top tip
  EXPECT_EQ(At(40, 78), 4);            // the left tip
  EXPECT_EQ(At(140, 150), 4);          // the lower right tip
  EXPECT_EQ(seen.outOfBounds, 0);
}

TEST(FillPoly, TooFewPointsAreRefusedAndManyAreDrawn) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  const PointType two[] = {{1, 1}, {50, 50}};
  DrawPoly(0, two);
  EXPECT_EQ(GraphResult(), grError);
  DrawPoly(1, two);
  EXPECT_EQ(GraphResult(), grError);
  FillPoly(2, two);
  EXPECT_EQ(GraphResult(), grError);
  FillPoly(3, static_cast<const PointType*>(nullptr));
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 640 * 480);
  DrawPoly(2, two);
  EXPECT_EQ(Count(15, 0, 0, 639, 479), 50);

  // 16,384 points: a zigzag comb far beyond the screen on both sides.
  std::vector<PointType> comb;
  for (int i = 0; i < 16384; ++i) {
    comb.push_back({static_cast<int16_t>(i % 2 ? 20000 : -20000), static_cast<int16_t>(i / 20)});
  }
  SetFillStyle(SolidFill, 4);
  FillPoly(static_cast<int32_t>(comb.size()), comb.data());
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_GT(Count(4, 0, 0, 639, 479) + Count(15, 0, 0, 639, 479), 0);
  EXPECT_EQ(seen.outOfBounds, 0);
}

TEST(ClearDevice, ClearsTheWholeScreenButKeepsTheViewport) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetViewPort(10, 10, 20, 20, true);
  MoveTo(3, 3);
  ClearDevice();
  EXPECT_EQ(Count(0, 0, 0, 639, 479), 640 * 480);
  EXPECT_EQ(Graph.ViewPort.X1, 10);
  EXPECT_EQ(Graph.ViewPort.Width, 10);
  EXPECT_EQ(GetX(), 0);
}
