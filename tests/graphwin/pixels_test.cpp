#include "pixels.h"

#include "graph/fill.h"
#include "headless_window.h"

namespace {

using PixelTest = HeadlessWindowTest;

constexpr COLORREF Yellow = RGB(252, 252, 84);
constexpr COLORREF Blue = RGB(0, 0, 168);
constexpr COLORREF White = RGB(252, 252, 252);

TEST_F(PixelTest, PutPixelStoresTheColorAndReadsItBack) {
  open640x480x16();
  PutPixel(0, 0, 14);
  PutPixel(639, 479, 1);
  EXPECT_EQ(GetPixel(0, 0), 14);
  EXPECT_EQ(stored(0, 0), Yellow);
  EXPECT_EQ(shown(0, 0), Yellow);
  EXPECT_EQ(GetPixel(639, 479), 1);
  EXPECT_EQ(shown(639, 479), Blue);
  EXPECT_EQ(GetPixel(1, 0), 0);
  EXPECT_EQ(GraphResult(), grOk);
}

TEST_F(PixelTest, PutPixelIsViewportRelativeAndClipped) {
  open640x480x16();
  SetViewPort(100, 50, 199, 149, true);
  PutPixel(0, 0, 15);
  PutPixel(99, 99, 15);   // the far corner is inside
  PutPixel(100, 10, 15);  // one beyond the width
  PutPixel(10, -1, 15);   // above
  EXPECT_EQ(stored(100, 50), White);
  EXPECT_EQ(stored(199, 149), White);
  EXPECT_EQ(stored(200, 60), 0u);
  EXPECT_EQ(stored(110, 49), 0u);
  EXPECT_EQ(GetPixel(99, 99), 15);

  SetViewPort(100, 50, 199, 149, false);
  PutPixel(100, 10, 15);
  PutPixel(-100, -50, 14);  // lands on (0, 0)
  PutPixel(-200, 10, 15);   // off the drawing altogether: ignored
  EXPECT_EQ(stored(200, 60), White);
  EXPECT_EQ(stored(0, 0), Yellow);
}

TEST_F(PixelTest, HLineOrdersClipsAndOffsetsItsEnds) {
  open640x480x16();
  SetColor(15);
  DriverHLine(10, 5, 0);
  EXPECT_EQ(litInRow(0, 0, 30), rangeOf(5, 10));
  DriverHLine(-20, 20, 1);
  EXPECT_EQ(litInRow(1, 0, 30), rangeOf(0, 20));
  DriverHLine(-20, -1, 2);
  DriverHLine(0, 10, -1);
  DriverHLine(0, 10, 480);
  DriverHLine(640, 700, 3);
  EXPECT_TRUE(litInRow(2, 0, 639).empty());
  EXPECT_TRUE(litInRow(3, 0, 639).empty());
  EXPECT_TRUE(litInRow(479, 0, 639).empty());
  DriverHLine(630, 1000, 4);
  EXPECT_EQ(litInRow(4, 600, 639), rangeOf(630, 639));

  SetViewPort(100, 200, 149, 249, true);
  DriverHLine(-5, 60, 0);
  EXPECT_EQ(litInRow(200, 0, 639), rangeOf(100, 149));
  DriverHLine(0, 3, 49);  // the last row of the viewport
  DriverHLine(0, 3, 50);
  EXPECT_EQ(litInRow(249, 0, 639), rangeOf(100, 103));
  EXPECT_TRUE(litInRow(250, 0, 639).empty());

  // Unclipped runs still stay inside the drawing.
  SetViewPort(0, 0, 639, 479, false);
  DriverHLine(-30000, 30000, 5);
  EXPECT_EQ(litInRow(5, 0, 639), rangeOf(0, 639));
  DriverHLine(0, 10, -3);
  DriverHLine(0, 10, 3000);
}

TEST_F(PixelTest, VLineOrdersClipsAndOffsetsItsEnds) {
  open640x480x16();
  SetColor(14);
  DriverVLine(3, 10, 5);
  DriverVLine(4, -20, 20);
  DriverVLine(5, -20, -1);
  DriverVLine(640, 0, 10);
  DriverVLine(-1, 0, 10);
  for (int y = 0; y <= 30; ++y) {
    EXPECT_EQ(stored(3, y) != 0, y >= 5 && y <= 10) << y;
    EXPECT_EQ(stored(4, y) != 0, y <= 20) << y;
    EXPECT_EQ(stored(5, y), 0u) << y;
    EXPECT_EQ(shown(3, y), stored(3, y));
  }
  DriverVLine(7, 470, 900);
  EXPECT_EQ(stored(7, 479), Yellow);
  EXPECT_EQ(stored(7, 469), 0u);
}

TEST_F(PixelTest, RunsOfAnyLengthMatchSinglePixels) {
  open640x480x16();
  SetColor(3);
  DriverHLine(10, 11, 20);
  DriverHLine(10, 309, 21);
  DriverVLine(400, 10, 12);
  DriverVLine(401, 10, 309);
  for (int x = 10; x <= 309; ++x) PutPixel(int16_t(x), 22, 3);
  for (int y = 10; y <= 309; ++y) PutPixel(402, int16_t(y), 3);
  EXPECT_EQ(litInRow(20, 0, 399), rangeOf(10, 11));
  EXPECT_EQ(litInRow(21, 0, 399), litInRow(22, 0, 399));
  for (int x = 0; x < 640; ++x) EXPECT_EQ(stored(x, 21), stored(x, 22)) << x;
  for (int y = 0; y < 480; ++y) {
    EXPECT_EQ(stored(401, y), stored(402, y)) << y;
    EXPECT_EQ(shown(401, y), stored(402, y)) << y;
    EXPECT_EQ(stored(400, y) != 0, y >= 10 && y <= 12) << y;
  }
}

TEST_F(PixelTest, WriteModesCombineRGBValues) {
  open640x480x16();
  SetColor(15);
  SetWriteMode(XORPut);
  DriverHLine(0, 99, 0);
  EXPECT_EQ(stored(50, 0), White);
  DriverHLine(0, 99, 0);
  EXPECT_TRUE(litInRow(0, 0, 639).empty());

  // Blue, then green ORed in, then yellow ANDed: (0,0,168) | (0,168,0) & (252,252,84).
  SetWriteMode(NormalPut);
  SetColor(1);
  DriverHLine(0, 9, 1);
  SetWriteMode(OrPut);
  SetColor(2);
  DriverHLine(0, 9, 1);
  EXPECT_EQ(stored(5, 1), RGB(0, 168, 168));
  SetWriteMode(AndPut);
  SetColor(14);
  DriverHLine(0, 1, 1);  // the short path
  DriverHLine(2, 9, 1);
  EXPECT_EQ(stored(1, 1), RGB(0, 168, 168) & Yellow);
  EXPECT_EQ(stored(9, 1), RGB(0, 168, 168) & Yellow);
  EXPECT_EQ(shown(9, 1), stored(9, 1));

  // A vertical run and single pixels combine the same way, pixel by pixel.
  SetWriteMode(XORPut);
  SetColor(12);
  DriverVLine(20, 0, 9);
  DriverVLine(20, 5, 9);
  DriverDirectPutPixel(21, 0);
  EXPECT_EQ(stored(20, 0), RGB(252, 84, 84));
  EXPECT_EQ(stored(20, 7), 0u);
  EXPECT_EQ(stored(21, 0), RGB(252, 84, 84));

  // NotPut draws the complement colour, mirrored in the palette.
  SetWriteMode(NotPut);
  SetColor(1);
  DriverHLine(30, 40, 0);
  DriverDirectPutPixel(30, 1);
  EXPECT_EQ(GetPixel(35, 0), 14);
  EXPECT_EQ(GetPixel(30, 1), 14);
}

TEST_F(PixelTest, CombiningReadsTheBitmapWhenTheWindowLagsBehind) {
  open640x480x16();
  DrawToWindow = false;
  PutPixel(5, 5, 15);
  EXPECT_EQ(stored(5, 5), White);
  EXPECT_EQ(shown(5, 5), 0u);
  DrawToWindow = true;
  SetColor(15);
  SetWriteMode(XORPut);
  DriverDirectPutPixel(5, 5);
  EXPECT_EQ(stored(5, 5), 0u);
  EXPECT_EQ(shown(5, 5), 0u);

  DrawToBitmap = false;
  DriverDirectPutPixel(6, 6);
  EXPECT_EQ(stored(6, 6), 0u);
  EXPECT_EQ(shown(6, 6), White);
}

TEST_F(PixelTest, PaletteChangesLeaveOldPixels) {
  open640x480x16();
  SetColor(1);
  DriverHLine(0, 99, 0);
  PutPixel(0, 1, 1);
  SetRGBPalette(1, 255, 0, 0);
  DriverHLine(0, 99, 2);
  PutPixel(0, 3, 1);
  EXPECT_EQ(stored(50, 0), Blue);
  EXPECT_EQ(stored(0, 1), Blue);
  EXPECT_EQ(stored(50, 2), RGB(255, 0, 0));
  EXPECT_EQ(shown(50, 2), RGB(255, 0, 0));
  EXPECT_EQ(stored(0, 3), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(50, 2), 1);
  EXPECT_NE(GetPixel(50, 0), 1);
  EXPECT_EQ(GetPixel(50, 0), 0);  // (0, 0, 168) is 168 from black, 168 + 255 from red
}

TEST_F(PixelTest, TwoFiftySixColorsReadBackFirstMatches) {
  openMode(10, 257);
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_EQ(GetMaxColor(), 255);
  const uint16_t colors[] = {31, 248, 16, 100, 247};
  const uint16_t expected[] = {15, 0, 0, 100, 247};
  for (int i = 0; i < 5; ++i) {
    PutPixel(int16_t(i), 0, colors[i]);
    EXPECT_EQ(GetPixel(int16_t(i), 0), expected[i]) << colors[i];
  }
}

TEST_F(PixelTest, BarsAndEllipsesReachBothSurfaces) {
  open640x480x16();
  SetFillStyle(SolidFill, 4);
  Bar(10, 10, 29, 19);
  SetColor(2);
  SetFillStyle(SolidFill, 2);
  FillEllipse(300, 200, 40, 20);
  EXPECT_EQ(GetPixel(10, 10), 4);
  EXPECT_EQ(GetPixel(29, 19), 4);
  EXPECT_EQ(GetPixel(30, 20), 0);
  EXPECT_EQ(GetPixel(300, 200), 2);
  EXPECT_EQ(shown(300, 200), RGB(0, 168, 0));
  EXPECT_EQ(GraphResult(), grOk);
}

}  // namespace
