// Lines: runs through the slots, styles, thickness, clipping and the current position.
#include <gtest/gtest.h>

#include "graph/graph.h"
#include "test_driver.h"

using namespace testing_support;

TEST(Line, StraightLinesGoThroughTheRunSlots) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  Line(20, 5, 10, 5);
  EXPECT_EQ(seen.hLineCalls, 1);
  EXPECT_EQ(Count(15, 10, 5, 20, 5), 11);
  Line(7, 30, 7, 40);
  EXPECT_EQ(seen.vLineCalls, 1);
  EXPECT_EQ(Count(15, 7, 30, 7, 40), 11);
  EXPECT_EQ(Count(15, 0, 0, 639, 479), 22);
  EXPECT_EQ(seen.directCalls, 0);
}

TEST(Line, DiagonalsHaveOnePixelPerStepAndBothEnds) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetColor(3);
  Line(0, 0, 10, 4);
  EXPECT_EQ(Count(3, 0, 0, 639, 479), 11);
  for (int x = 0; x <= 10; ++x) EXPECT_EQ(Count(3, x, 0, x, 4), 1) << x;
  EXPECT_EQ(At(0, 0), 3);
  EXPECT_EQ(At(10, 4), 3);
  EXPECT_EQ(At(5, 2), 3);  // the midpoint lies exactly on the line

  ClearStore();
  Line(50, 50, 40, 80);  // steep, leftwards
  EXPECT_EQ(Count(3, 0, 0, 639, 479), 31);
  for (int y = 50; y <= 80; ++y) EXPECT_EQ(Count(3, 40, y, 50, y), 1) << y;
  EXPECT_EQ(At(40, 80), 3);

  ClearStore();
  Line(100, 100, 110, 90);
  for (int i = 0; i <= 10; ++i) EXPECT_EQ(At(100 + i, 100 - i), 3) << i;
}

TEST(Line, StylesRepeatEverySixteenPixelsFromTheStart) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  struct {
    uint16_t style, pattern, bits;
  } cases[] = {{DottedLn, 0, 0xCCCC},
               {CenterLn, 0, 0xFC78},
               {DashedLn, 0, 0xF8F8},
               {UserBitLn, 0x8001, 0x8001},
               {SolidLn, 0x1234, 0xFFFF}};
  for (const auto& c : cases) {
    ClearStore();
    SetLineStyle(c.style, c.pattern, NormWidth);
    ASSERT_EQ(GraphResult(), grOk);
    Line(10, 20, 50, 20);
    for (int i = 0; i <= 40; ++i) {
      bool on = c.bits & (0x8000 >> (i % 16));
      EXPECT_EQ(At(10 + i, 20), on ? 15 : Untouched) << "style " << c.style << " step " << i;
    }
  }
}

TEST(Line, ClippingKeepsThePatternPhaseAndTheScreen) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetLineStyle(DottedLn, 0, NormWidth);
  Line(-3, 5, 20, 5);
  for (int x = 0; x <= 20; ++x) {
    EXPECT_EQ(At(x, 5), (x + 3) % 4 < 2 ? 15 : Untouched) << x;
  }
  SetLineStyle(SolidLn, 0, NormWidth);
  for (bool clip : {true, false}) {
    ClearStore();
    SetViewPort(0, 0, 639, 479, clip);
    Line(-10, 7, 700, 7);
    Line(-100, -50, 800, 600);
    Line(700, 0, 800, 100);  // wholly outside
    EXPECT_EQ(seen.outOfBounds, 0);
    EXPECT_EQ(Count(15, 0, 7, 639, 7), 640);
  }
}

TEST(Line, ACutAcrossTheMinorAxisKeepsEveryVisiblePixel) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  // The same shallow and steep lines, once cut by the top (left) edge and once whole, ten
  // rows (columns) further in: the visible rows (columns) must match pixel for pixel.
  Line(0, -1, 100, 1);
  Line(-1, 200, 1, 300);
  Line(0, 9, 100, 11);
  Line(9, 200, 11, 300);
  for (int x = 0; x <= 100; ++x) {
    for (int y = 0; y <= 1; ++y) EXPECT_EQ(At(x, y), At(x, y + 10)) << x << "," << y;
  }
  for (int y = 200; y <= 300; ++y) {
    for (int x = 0; x <= 1; ++x) EXPECT_EQ(At(x, y), At(x + 10, y)) << x << "," << y;
  }
  EXPECT_EQ(Count(15, 0, 0, 100, 1), Count(15, 0, 10, 100, 11));
  EXPECT_GT(Count(15, 0, 0, 100, 1), 70);
}

TEST(Line, ViewportRelativeAndClippedToTheViewport) {
  Options o;
  o.fillHLine = o.fillVLine = false;  // the generic runs
  ASSERT_EQ(StartGraphics(13, 30009, Screen{}, o), grOk);
  SetViewPort(10, 10, 50, 50, true);
  Line(0, 0, 100, 0);
  Line(-5, -5, 100, 100);
  EXPECT_EQ(Count(15, 10, 10, 50, 10), 41);
  EXPECT_EQ(At(51, 10), Untouched);
  for (int i = 0; i <= 40; ++i) EXPECT_EQ(At(10 + i, 10 + i), 15) << i;
  EXPECT_EQ(At(51, 51), Untouched);
  EXPECT_EQ(Count(15, 0, 0, 639, 479), 41 + 40);
}

TEST(Line, ThickLinesAreThreePixelsAcrossTheMajorAxis) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetLineStyle(SolidLn, 0, ThickWidth);
  Line(10, 10, 30, 10);
  EXPECT_EQ(Count(15, 10, 9, 30, 11), 63);
  EXPECT_EQ(Count(15, 0, 0, 639, 479), 63);
  ClearStore();
  Line(100, 10, 103, 40);
  for (int y = 10; y <= 40; ++y) EXPECT_EQ(Count(15, 90, y, 120, y), 3) << y;
}

TEST(Line, WriteModeAppliesAndBadStylesAreRefused) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetWriteMode(XORPut);
  Line(0, 0, 9, 3);
  Line(0, 0, 9, 3);
  EXPECT_EQ(Count(0, 0, 0, 9, 3), 10);

  SetLineStyle(DashedLn, 0, NormWidth);
  SetLineStyle(5, 0, NormWidth);
  EXPECT_EQ(GraphResult(), grError);
  SetLineStyle(SolidLn, 0, 2);
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(Graph.LineSettings.LineStyle, DashedLn);
  SetWriteMode(5);
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(Graph.WriteMode, XORPut);
}

TEST(Line, LineToDrawsFromAndMovesTheCurrentPosition) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  MoveTo(5, 5);
  LineTo(15, 5);
  LineTo(15, 9);
  EXPECT_EQ(GetX(), 15);
  EXPECT_EQ(GetY(), 9);
  EXPECT_EQ(Count(15, 5, 5, 15, 5), 11);
  EXPECT_EQ(Count(15, 15, 5, 15, 9), 5);
}

TEST(ClearViewPort, FillsTheViewportWithTheBackground) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetViewPort(10, 10, 19, 19, false);
  SetBkColor(6);
  MoveTo(3, 3);
  ClearViewPort();
  EXPECT_EQ(Count(6, 10, 10, 19, 19), 100);
  EXPECT_EQ(Count(6, 0, 0, 639, 479), 100);
  EXPECT_EQ(GetX(), 0);
  EXPECT_FALSE(Graph.ViewPort.ClipPixels);
  EXPECT_EQ(ImageSize(0, 0, 1, 1), 4 + 4 * 4);
  EXPECT_EQ(GraphResult(), grOk);
}
