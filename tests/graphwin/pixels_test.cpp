#include "pixels.h"

#include "graph/fill.h"
#include "headless_window.h"

namespace {

using PixelTest = HeadlessWindowTest;

constexpr COLORREF Yellow = RGB(252, 252, 84);
constexpr COLORREF Blue = RGB(0, 0, 168);
constexpr COLORREF White = RGB(252, 252, 252);

TEST_F(PixelTest, PutPixelStoresTheColourAndReadsItBack) {
  Open640x480x16();
  PutPixel(0, 0, 14);
  PutPixel(639, 479, 1);
  EXPECT_EQ(GetPixel(0, 0), 14);
  EXPECT_EQ(Stored(0, 0), Yellow);
  EXPECT_EQ(Shown(0, 0), Yellow);
  EXPECT_EQ(GetPixel(639, 479), 1);
  EXPECT_EQ(Shown(639, 479), Blue);
  EXPECT_EQ(GetPixel(1, 0), 0);
  EXPECT_EQ(GraphResult(), grOk);
}

TEST_F(PixelTest, PutPixelIsViewportRelativeAndClipped) {
  Open640x480x16();
  SetViewPort(100, 50, 199, 149, true);
  PutPixel(0, 0, 15);
  PutPixel(99, 99, 15);   // the far corner is inside
  PutPixel(100, 10, 15);  // one beyond the width
  PutPixel(10, -1, 15);   // above
  EXPECT_EQ(Stored(100, 50), White);
  EXPECT_EQ(Stored(199, 149), White);
  EXPECT_EQ(Stored(200, 60), 0u);
  EXPECT_EQ(Stored(110, 49), 0u);
  EXPECT_EQ(GetPixel(99, 99), 15);

  SetViewPort(100, 50, 199, 149, false);
  PutPixel(100, 10, 15);
  PutPixel(-100, -50, 14);  // lands on (0, 0)
  PutPixel(-200, 10, 15);   // off the drawing altogether: ignored
  EXPECT_EQ(Stored(200, 60), White);
  EXPECT_EQ(Stored(0, 0), Yellow);
}

TEST_F(PixelTest, HLineOrdersClipsAndOffsetsItsEnds) {
  Open640x480x16();
  SetColor(15);
  DriverHLine(10, 5, 0);
  EXPECT_EQ(LitInRow(0, 0, 30), Range(5, 10));
  DriverHLine(-20, 20, 1);
  EXPECT_EQ(LitInRow(1, 0, 30), Range(0, 20));
  DriverHLine(-20, -1, 2);
  DriverHLine(0, 10, -1);
  DriverHLine(0, 10, 480);
  DriverHLine(640, 700, 3);
  EXPECT_TRUE(LitInRow(2, 0, 639).empty());
  EXPECT_TRUE(LitInRow(3, 0, 639).empty());
  EXPECT_TRUE(LitInRow(479, 0, 639).empty());
  DriverHLine(630, 1000, 4);
  EXPECT_EQ(LitInRow(4, 600, 639), Range(630, 639));

  SetViewPort(100, 200, 149, 249, true);
  DriverHLine(-5, 60, 0);
  EXPECT_EQ(LitInRow(200, 0, 639), Range(100, 149));
  DriverHLine(0, 3, 49);  // the last row of the viewport
  DriverHLine(0, 3, 50);
  EXPECT_EQ(LitInRow(249, 0, 639), Range(100, 103));
  EXPECT_TRUE(LitInRow(250, 0, 639).empty());

  // Unclipped runs still stay inside the drawing.
  SetViewPort(0, 0, 639, 479, false);
  DriverHLine(-30000, 30000, 5);
  EXPECT_EQ(LitInRow(5, 0, 639), Range(0, 639));
  DriverHLine(0, 10, -3);
  DriverHLine(0, 10, 3000);
}

TEST_F(PixelTest, VLineOrdersClipsAndOffsetsItsEnds) {
  Open640x480x16();
  SetColor(14);
  DriverVLine(3, 10, 5);
  DriverVLine(4, -20, 20);
  DriverVLine(5, -20, -1);
  DriverVLine(640, 0, 10);
  DriverVLine(-1, 0, 10);
  for (int y = 0; y <= 30; ++y) {
    EXPECT_EQ(Stored(3, y) != 0, y >= 5 && y <= 10) << y;
    EXPECT_EQ(Stored(4, y) != 0, y <= 20) << y;
    EXPECT_EQ(Stored(5, y), 0u) << y;
    EXPECT_EQ(Shown(3, y), Stored(3, y));
  }
  DriverVLine(7, 470, 900);
  EXPECT_EQ(Stored(7, 479), Yellow);
  EXPECT_EQ(Stored(7, 469), 0u);
}

TEST_F(PixelTest, RunsOfAnyLengthMatchSinglePixels) {
  Open640x480x16();
  SetColor(3);
  DriverHLine(10, 11, 20);
  DriverHLine(10, 309, 21);
  DriverVLine(400, 10, 12);
  DriverVLine(401, 10, 309);
  for (int x = 10; x <= 309; ++x) PutPixel(int16_t(x), 22, 3);
  for (int y = 10; y <= 309; ++y) PutPixel(402, int16_t(y), 3);
  EXPECT_EQ(LitInRow(20, 0, 399), Range(10, 11));
  EXPECT_EQ(LitInRow(21, 0, 399), LitInRow(22, 0, 399));
  for (int x = 0; x < 640; ++x) EXPECT_EQ(Stored(x, 21), Stored(x, 22)) << x;
  for (int y = 0; y < 480; ++y) {
    EXPECT_EQ(Stored(401, y), Stored(402, y)) << y;
    EXPECT_EQ(Shown(401, y), Stored(402, y)) << y;
    EXPECT_EQ(Stored(400, y) != 0, y >= 10 && y <= 12) << y;
  }
}

TEST_F(PixelTest, WriteModesCombineRGBValues) {
  Open640x480x16();
  SetColor(15);
  SetWriteMode(XORPut);
  DriverHLine(0, 99, 0);
  EXPECT_EQ(Stored(50, 0), White);
  DriverHLine(0, 99, 0);
  EXPECT_TRUE(LitInRow(0, 0, 639).empty());

  // Blue, then green ORed in, then yellow ANDed: (0,0,168) | (0,168,0) & (252,252,84).
  SetWriteMode(NormalPut);
  SetColor(1);
  DriverHLine(0, 9, 1);
  SetWriteMode(OrPut);
  SetColor(2);
  DriverHLine(0, 9, 1);
  EXPECT_EQ(Stored(5, 1), RGB(0, 168, 168));
  SetWriteMode(AndPut);
  SetColor(14);
  DriverHLine(0, 1, 1);  // the short path
  DriverHLine(2, 9, 1);
  EXPECT_EQ(Stored(1, 1), RGB(0, 168, 168) & Yellow);
  EXPECT_EQ(Stored(9, 1), RGB(0, 168, 168) & Yellow);
  EXPECT_EQ(Shown(9, 1), Stored(9, 1));

  // A vertical run and single pixels combine the same way, pixel by pixel.
  SetWriteMode(XORPut);
  SetColor(12);
  DriverVLine(20, 0, 9);
  DriverVLine(20, 5, 9);
  DriverDirectPutPixel(21, 0);
  EXPECT_EQ(Stored(20, 0), RGB(252, 84, 84));
  EXPECT_EQ(Stored(20, 7), 0u);
  EXPECT_EQ(Stored(21, 0), RGB(252, 84, 84));

  // NotPut draws the complement colour, mirrored in the palette.
  SetWriteMode(NotPut);
  SetColor(1);
  DriverHLine(30, 40, 0);
  DriverDirectPutPixel(30, 1);
  EXPECT_EQ(GetPixel(35, 0), 14);
  EXPECT_EQ(GetPixel(30, 1), 14);
}

TEST_F(PixelTest, CombiningReadsTheBitmapWhenTheWindowLagsBehind) {
  Open640x480x16();
  DrawToWindow = false;
  PutPixel(5, 5, 15);
  EXPECT_EQ(Stored(5, 5), White);
  EXPECT_EQ(Shown(5, 5), 0u);
  DrawToWindow = true;
  SetColor(15);
  SetWriteMode(XORPut);
  DriverDirectPutPixel(5, 5);
  EXPECT_EQ(Stored(5, 5), 0u);
  EXPECT_EQ(Shown(5, 5), 0u);

  DrawToBitmap = false;
  DriverDirectPutPixel(6, 6);
  EXPECT_EQ(Stored(6, 6), 0u);
  EXPECT_EQ(Shown(6, 6), White);
}

TEST_F(PixelTest, PaletteChangesLeaveOldPixels) {
  Open640x480x16();
  SetColor(1);
  DriverHLine(0, 99, 0);
  PutPixel(0, 1, 1);
  SetRGBPalette(1, 255, 0, 0);
  DriverHLine(0, 99, 2);
  PutPixel(0, 3, 1);
  EXPECT_EQ(Stored(50, 0), Blue);
  EXPECT_EQ(Stored(0, 1), Blue);
  EXPECT_EQ(Stored(50, 2), RGB(255, 0, 0));
  EXPECT_EQ(Shown(50, 2), RGB(255, 0, 0));
  EXPECT_EQ(Stored(0, 3), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(50, 2), 1);
  EXPECT_NE(GetPixel(50, 0), 1);
  EXPECT_EQ(GetPixel(50, 0), 0);  // (0, 0, 168) is 168 from black, 168 + 255 from red
}

TEST_F(PixelTest, TwoFiftySixColoursReadBackFirstMatches) {
  Open(10, 257);
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_EQ(GetMaxColor(), 255);
  const uint16_t colours[] = {31, 248, 16, 100, 247};
  const uint16_t expected[] = {15, 0, 0, 100, 247};
  for (int i = 0; i < 5; ++i) {
    PutPixel(int16_t(i), 0, colours[i]);
    EXPECT_EQ(GetPixel(int16_t(i), 0), expected[i]) << colours[i];
  }
}

TEST_F(PixelTest, BarsAndEllipsesReachBothSurfaces) {
  Open640x480x16();
  SetFillStyle(SolidFill, 4);
  Bar(10, 10, 29, 19);
  SetColor(2);
  SetFillStyle(SolidFill, 2);
  FillEllipse(300, 200, 40, 20);
  EXPECT_EQ(GetPixel(10, 10), 4);
  EXPECT_EQ(GetPixel(29, 19), 4);
  EXPECT_EQ(GetPixel(30, 20), 0);
  EXPECT_EQ(GetPixel(300, 200), 2);
  EXPECT_EQ(Shown(300, 200), RGB(0, 168, 0));
  EXPECT_EQ(GraphResult(), grOk);
}

}  // namespace
