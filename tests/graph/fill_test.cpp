// Fill settings, bars, pattern rows and row clipping.
#include <gtest/gtest.h>

#include <vector>

#include "graph/fill.h"
#include "graph/graph.h"
#include "test_driver.h"

using namespace testing_support;

namespace {

// Colour the pattern table gives absolute pixel (x, y).
uint16_t Expected(uint16_t pattern, uint16_t fill, int x, int y) {
  return FillPatternTable[pattern][y % 8] & (0x80 >> (x % 8)) ? fill : Graph.BkColor;
}

}  // namespace

TEST(SetFillStyle, RangeChecksKeepThePreviousFill) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);  // 16 colours
  SetFillStyle(HatchFill, 3);
  SetFillStyle(13, 1);
  EXPECT_EQ(GraphResult(), grError);
  SetFillStyle(SolidFill, 16);
  EXPECT_EQ(GraphResult(), grError);
  SetFillStyle(static_cast<uint16_t>(-1), 1);
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(Graph.FillSettings.Pattern, HatchFill);
  EXPECT_EQ(Graph.FillSettings.Color, 3);

  ASSERT_EQ(StartGraphics(), grOk);  // 256 colours
  SetFillStyle(SolidFill, 255);
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(Graph.FillSettings.Color, 255);
}

TEST(Bar, CornersInAnyOrderAndSinglePixels) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 4);
  Bar(10, 10, 5, 5);
  EXPECT_EQ(Count(4, 0, 0, 639, 479), 36);
  EXPECT_EQ(Count(4, 5, 5, 10, 10), 36);
  EXPECT_EQ(seen.hLineCalls, 6);  // one run per row

  ClearStore();
  Bar(5, 10, 10, 5);
  EXPECT_EQ(Count(4, 5, 5, 10, 10), 36);
  ClearStore();
  Bar(3, 4, 3, 4);
  EXPECT_EQ(Count(4, 0, 0, 639, 479), 1);
  EXPECT_EQ(At(3, 4), 4);
}

TEST(Bar, LeavesColorLineSettingsAndWriteModeAsTheyWere) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetColor(9);
  SetLineStyle(DashedLn, 0, ThickWidth);
  SetWriteMode(XORPut);
  SetFillStyle(LineFill, 2);
  Bar(0, 0, 20, 20);
  EXPECT_EQ(GetColor(), 9);
  EXPECT_EQ(Graph.LineSettings.LineStyle, DashedLn);
  EXPECT_EQ(Graph.LineSettings.Thickness, ThickWidth);
  EXPECT_EQ(Graph.WriteMode, XORPut);
  // Drawn in NormalPut whatever the write mode: a second bar gives the same pixels.
  Bar(0, 0, 20, 20);
  EXPECT_EQ(At(0, 0), 2);
}

TEST(Bar, LineFillPaintsRowsByAbsoluteYModFour) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetViewPort(3, 5, 200, 200, true);
  SetFillStyle(LineFill, 6);
  Bar(0, 0, 9, 9);
  for (int y = 5; y <= 14; ++y) {
    uint16_t want = y % 4 < 2 ? 6 : 0;
    EXPECT_EQ(Count(want, 3, y, 12, y), 10) << "row " << y;
  }
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 640 * 480 - 100);
}

TEST(Bar, EmptyFillPaintsTheBackgroundColor) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(EmptyFill, 12);
  Bar(0, 0, 9, 9);
  EXPECT_EQ(Count(0, 0, 0, 9, 9), 100);
  SetBkColor(5);
  Bar(0, 0, 9, 9);
  EXPECT_EQ(Count(5, 0, 0, 9, 9), 100);
}

TEST(Bar, EveryPatternIsAnchoredToTheWindowGrid) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  uint8_t user[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
  for (uint16_t p = 0; p <= UserFill; ++p) {
    ClearStore();
    SetViewPort(5, 3, 639, 479, true);
    if (p == UserFill) {
      SetFillPattern(user, 11);
    } else {
      SetFillStyle(p, 11);
    }
    Bar(0, 0, 20, 17);
    int wrong = 0;
    for (int y = 3; y <= 20; ++y) {
      for (int x = 5; x <= 25; ++x) wrong += At(x, y) != Expected(p, 11, x, y);
    }
    EXPECT_EQ(wrong, 0) << "pattern " << p;
    EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 640 * 480 - 21 * 18) << "pattern " << p;
  }
}

TEST(Bar, IsClippedToTheViewportAndTheScreen) {
  for (bool hLineSlot : {true, false}) {
    Options o;
    o.fillHLine = hLineSlot;
    ASSERT_EQ(StartGraphics(13, 30009, Screen{}, o), grOk);
    for (uint16_t pattern : {SolidFill, SlashFill}) {
      ClearStore();
      SetFillStyle(pattern, 7);
      SetViewPort(10, 10, 20, 20, true);
      Bar(-5, -5, 5, 5);
      EXPECT_EQ(Count(Untouched, 10, 10, 15, 15), 0);
      EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 640 * 480 - 36);
      ClearStore();
      SetViewPort(0, 0, 639, 479, true);
      Bar(630, 470, 700, 500);
      EXPECT_EQ(Count(Untouched, 630, 470, 639, 479), 0);
      EXPECT_EQ(seen.outOfBounds, 0);
    }
  }
}

// A driver with a Runs slot gets a bar's rows in one batch (two in a pattern: the fill, then
// the background), so that it takes its lock once; the pixels are those of a row at a time.
TEST(Bar, ReachesADriverWithRunsInOneBatchOrTwoWithTheSamePixels) {
  uint8_t user[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
  for (uint16_t pattern : {SolidFill, EmptyFill, LineFill, SlashFill, UserFill}) {
    std::vector<uint16_t> byRows;
    for (bool runsSlot : {false, true}) {
      Options o;
      o.fillRuns = runsSlot;
      ASSERT_EQ(StartGraphics(13, 30009, Screen{}, o), grOk);
      SetBkColor(5);
      SetViewPort(3, 2, 600, 400, true);
      if (pattern == UserFill) {
        SetFillPattern(user, 11);
      } else {
        SetFillStyle(pattern, 11);
      }
      Bar(-4, 30, 40, 7);  // crosses the viewport's left edge
      if (!runsSlot) {
        byRows = seen.pixels;
        continue;
      }
      EXPECT_EQ(seen.pixels, byRows) << "pattern " << pattern;
      EXPECT_EQ(seen.runsCalls, pattern == SolidFill || pattern == EmptyFill ? 1 : 2)
          << "pattern " << pattern;
      EXPECT_EQ(seen.directCalls, 0) << "pattern " << pattern;
    }
    EXPECT_EQ(Count(Untouched, 3, 9, 43, 32), 0) << "pattern " << pattern;
  }
}

TEST(Bar, GenericRunsStayOnScreenWithClippingOff) {
  Options o;
  o.fillHLine = false;
  ASSERT_EQ(StartGraphics(13, 30009, Screen{}, o), grOk);
  SetViewPort(600, 0, 639, 479, false);
  Bar(0, -10, 100, 5);  // reaches past the right and top edges of the screen
  EXPECT_EQ(seen.outOfBounds, 0);
  EXPECT_EQ(Count(15, 600, 0, 639, 5), 40 * 6);
}

TEST(PatternLine, ClipsWhateverClipPixelsSays) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetViewPort(10, 10, 20, 20, false);
  SetFillStyle(InterleaveFill, 3);
  PatternLine(-100, 100, 0);
  PatternLine(0, 5, -1);
  PatternLine(0, 5, 11);
  EXPECT_EQ(Count(Untouched, 10, 10, 20, 10), 0);
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 640 * 480 - 11);
  // Rows given right to left are drawn too.
  PatternLine(5, 2, 3);
  EXPECT_EQ(Count(Untouched, 12, 13, 15, 13), 0);
}

TEST(LineClip, CohenSutherland) {
  int16_t x1 = -10, y1 = 5, x2 = 30, y2 = 5;
  EXPECT_TRUE(LineClip(x1, y1, x2, y2, 0, 0, 20, 10));
  EXPECT_EQ(x1, 0);
  EXPECT_EQ(x2, 20);
  x1 = 5, y1 = 11, x2 = 8, y2 = 11;
  EXPECT_FALSE(LineClip(x1, y1, x2, y2, 0, 0, 20, 10));
  x1 = -5, y1 = 3, x2 = -1, y2 = 3;
  EXPECT_FALSE(LineClip(x1, y1, x2, y2, 0, 0, 20, 10));
  // Diagonals: the other coordinate by division truncating toward zero.
  x1 = 0, y1 = 0, x2 = 10, y2 = 3;
  EXPECT_TRUE(LineClip(x1, y1, x2, y2, 0, 0, 5, 10));
  EXPECT_EQ(x2, 5);
  EXPECT_EQ(y2, 1);
  x1 = -10, y1 = -10, x2 = 10, y2 = 10;
  EXPECT_TRUE(LineClip(x1, y1, x2, y2, 0, 0, 5, 5));
  EXPECT_EQ(x1, 0);
  EXPECT_EQ(y1, 0);
  EXPECT_EQ(x2, 5);
  EXPECT_EQ(y2, 5);
  // Corner to corner across the whole 16-bit range does not overflow.
  x1 = -32768, y1 = -32768, x2 = 32767, y2 = 32767;
  EXPECT_TRUE(LineClip(x1, y1, x2, y2, 0, 0, 100, 100));
  EXPECT_EQ(x1, 0);
  EXPECT_EQ(y1, 0);
  EXPECT_EQ(x2, 100);
  EXPECT_EQ(y2, 100);
}
