// Text in the built-in 8 x 8 font.
#include <string>

#include "glyph_font.h"
#include "platform/console.h"
#include "text_test_support.h"

namespace {

constexpr COLORREF White = RGB(255, 255, 255);

// The pixels that text of the built-in font must set, worked out from the font's bit
// patterns alone: horizontal cells side by side from the top-left corner (x, y); vertical
// cells stacked upwards from y, each pattern turned a quarter turn anticlockwise.
PixelSet ExpectedText(const std::string& text, int x, int y, int s, bool vertical) {
  PixelSet pixels;
  for (size_t i = 0; i < text.size(); ++i) {
    const GlyphImage& p = GlyphFont[uint8_t(text[i])];
    const int cx = vertical ? x : x + 8 * s * int(i);
    const int cy = vertical ? y + 1 - 8 * s * int(i + 1) : y;
    for (int r = 0; r < 8; ++r) {
      for (int b = 0; b < 8; ++b) {
        if (!(p[r] & (0x80 >> b))) continue;
        const int px = vertical ? r : b, py = vertical ? 7 - b : r;
        for (int dy = 0; dy < s; ++dy) {
          for (int dx = 0; dx < s; ++dx) pixels.insert({cx + px * s + dx, cy + py * s + dy});
        }
      }
    }
  }
  return pixels;
}

using BuiltInTextTest = TextTest;

TEST_F(BuiltInTextTest, GlyphsArePixelExactAtSizesOneAndThreeInBothDirections) {
  const std::string text = "A\xDBg#";
  for (int s : {1, 3}) {
    for (bool vertical : {false, true}) {
      SCOPED_TRACE(testing::Message() << "size " << s << (vertical ? " vertical" : ""));
      FillBoth(0);
      SetTextStyle(DefaultFont, vertical ? VertDir : HorizDir, uint16_t(s));
      // Vertical text with TopText would have its top at y; BottomText adds no offset.
      SetTextJustify(LeftText, vertical ? BottomText : TopText);
      OutTextXY(200, 300, text);
      EXPECT_EQ(AllChangedPixels(0), ExpectedText(text, 200, 300, s, vertical));
      // Cached images for this direction.
      EXPECT_TRUE(GlyphCache[vertical ? VerticalGlyphs : HorizontalGlyphs][0x41].has_value());
    }
  }
}

TEST_F(BuiltInTextTest, VerticalTextRunsUpwardsTurnedAnticlockwise) {
  SetTextStyle(DefaultFont, VertDir, 1);
  SetTextJustify(LeftText, BottomText);
  OutTextXY(50, 100, "A");
  // The A's top row (38) becomes the left column, its leftmost bits the bottom: column 50
  // holds y 96..98 of the cell 93..100; its bar (row 4, FE) the column x = 54, y 94..100.
  const PixelSet drawn = ChangedPixels(40, 80, 70, 110, 0);
  for (int y = 93; y <= 100; ++y) {
    EXPECT_EQ(drawn.count({50, y}), size_t(y >= 96 && y <= 98)) << y;
    EXPECT_EQ(drawn.count({54, y}), size_t(y >= 94)) << y;
  }
  EXPECT_EQ(drawn.count({57, 100}), 0u);  // the A's empty last row
}

TEST_F(BuiltInTextTest, ColorFifteenIsPureWhiteAndOtherColorsUseThePalette) {
  SetColor(15);
  OutTextXY(10, 10, "\xDB");
  EXPECT_EQ(BitmapAt(12, 12), White);
  PutPixel(30, 30, 15);
  EXPECT_EQ(BitmapAt(30, 30), RGB(252, 252, 252));

  SetColor(4);
  OutTextXY(40, 10, "\xDB");
  EXPECT_EQ(BitmapAt(42, 12), RGB(168, 0, 0));
  SetColor(14);
  OutTextXY(60, 10, "\xDB");
  EXPECT_EQ(BitmapAt(67, 17), RGB(252, 252, 84));
  // A changed palette entry 15 still gives pure white text.
  SetRGBPalette(15, 10, 20, 30);
  SetColor(15);
  OutTextXY(80, 10, "\xDB");
  EXPECT_EQ(BitmapAt(80, 10), White);
  SetRGBPalette(15, 252, 252, 252);
}

TEST_F(BuiltInTextTest, PixelsOutsideTheGlyphsKeepTheirColor) {
  const COLORREF green = ColorToRGB(2);
  FillBoth(green);
  for (uint16_t color : {15, 5}) {
    SetColor(color);
    OutTextXY(100, 100, "Ag");
    const PixelSet drawn = ChangedPixels(90, 90, 130, 120, green);
    EXPECT_EQ(drawn, ExpectedText("Ag", 100, 100, 1, false));
    for (const auto& [x, y] : drawn) {
      EXPECT_EQ(BitmapAt(x, y), color == 15 ? White : ColorToRGB(color));
    }
  }
}

TEST_F(BuiltInTextTest, WriteModeIsIgnoredDuringTheTextAndKeptAfterIt) {
  const COLORREF blue = ColorToRGB(1);
  FillBoth(blue);
  SetWriteMode(XORPut);
  SetColor(4);
  OutTextXY(10, 10, "\xDB");
  EXPECT_EQ(BitmapAt(11, 11), ColorToRGB(4));
  EXPECT_EQ(Graph.WriteMode, XORPut);
}

TEST_F(BuiltInTextTest, TextIsClippedToTheViewportWhateverClipPixelsSays) {
  for (bool clip : {true, false}) {
    SCOPED_TRACE(clip ? "clip on" : "clip off");
    FillBoth(0);
    GraphDefaults();
    SetViewPort(100, 50, 120, 70, clip);  // 21 by 21 pixels
    SetTextStyle(DefaultFont, HorizDir, 2);
    OutTextXY(4, 10, "\xDB\xDB");  // a 32 by 16 block at (104, 60) absolute
    PixelSet expected;
    for (int y = 60; y <= 70; ++y) {
      for (int x = 104; x <= 120; ++x) expected.insert({x, y});
    }
    EXPECT_EQ(AllChangedPixels(0), expected);

    // Vertical text runs upwards out of the viewport's top.
    FillBoth(0);
    SetTextStyle(DefaultFont, VertDir, 2);
    SetTextJustify(LeftText, BottomText);
    OutTextXY(0, 5, "\xDB\xDB");
    expected.clear();
    for (int y = 50; y <= 55; ++y) {
      for (int x = 100; x <= 115; ++x) expected.insert({x, y});
    }
    EXPECT_EQ(AllChangedPixels(0), expected);
  }
}

TEST_F(BuiltInTextTest, StartPointOutsideTheViewportDrawsNothing) {
  SetViewPort(100, 50, 300, 200, true);
  for (bool vertical : {false, true}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    // No offsets: the start points are the ones given. Horizontal text runs right and
    // down from its start, vertical text right and up, so a start one pixel left of the
    // viewport, or above it (horizontal) or below it (vertical), would show most of the
    // text.
    SetTextStyle(DefaultFont, vertical ? VertDir : HorizDir, 1);
    SetTextJustify(LeftText, vertical ? BottomText : TopText);
    OutTextXY(-1, 20, "mostly visible text");
    OutTextXY(20, vertical ? 151 : -1, "mostly visible text");
    OutTextXY(20, vertical ? -1 : 151, "x");
    OutTextXY(201, 20, "x");
    EXPECT_TRUE(AllChangedPixels(0).empty());
    // Justification moves the start point out: centred, so 28 pixels left of 10 for
    // horizontal text and 4 left of 3 for vertical text.
    SetTextJustify(CenterText, vertical ? BottomText : TopText);
    OutTextXY(vertical ? 3 : 10, 20, "abcdefg");
    EXPECT_TRUE(AllChangedPixels(0).empty());
  }
  // The bounds themselves are inside.
  SetTextStyle(DefaultFont, HorizDir, 1);
  SetTextJustify(LeftText, TopText);
  OutTextXY(200, 150, "\xDB");
  EXPECT_EQ(AllChangedPixels(0), (PixelSet{{300, 200}}));
  SetTextStyle(DefaultFont, VertDir, 1);
  SetTextJustify(LeftText, BottomText);
  OutTextXY(0, 0, "\xDB");  // only the block's bottom row is inside
  PixelSet expected = {{300, 200}};
  for (int x = 100; x < 108; ++x) expected.insert({x, 50});
  EXPECT_EQ(AllChangedPixels(0), expected);
}

TEST_F(BuiltInTextTest, JustificationMovesTheStartPoint) {
  // "AB" at size 2: W = 32, H = 16; "ABC": W = 48.
  struct Case {
    uint16_t direction, horiz, vert;
    const char* text;
    int x, y;  // where the text goes with LeftText, TopText
  };
  const Case cases[] = {
      {HorizDir, CenterText, TopText, "AB", 400 - 16, 300},
      {HorizDir, RightText, TopText, "AB", 400 - 32, 300},
      {HorizDir, LeftText, BottomText, "AB", 400, 300 - 16},
      {HorizDir, RightText, 1, "AB", 400 - 32, 300 - 8},
      {VertDir, CenterText, TopText, "AB", 400 - 8, 300 + 32},
      {VertDir, RightText, BottomText, "AB", 400 - 16, 300},
      {VertDir, LeftText, 1, "ABC", 400, 300 + 24},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.direction << " " << c.horiz << " " << c.vert);
    FillBoth(0);
    SetTextStyle(DefaultFont, c.direction, 2);
    SetTextJustify(c.horiz, c.vert);
    OutTextXY(400, 300, c.text);
    EXPECT_EQ(AllChangedPixels(0), ExpectedText(c.text, c.x, c.y, 2, c.direction == VertDir));
  }
}

TEST_F(BuiltInTextTest, TextOf255CharactersIsDrawnToTheDrawingsEdge) {
  const std::string text(255, '\xDB');
  OutTextXY(0, 0, text);
  const int width = GetMaxX() + 1;
  const int drawnCells = std::min(255, (width + 7) / 8);
  PixelSet expected;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < std::min(width, 8 * drawnCells); ++x) expected.insert({x, y});
  }
  EXPECT_EQ(AllChangedPixels(0), expected);

  FillBoth(0);
  SetTextStyle(DefaultFont, VertDir, 1);
  SetTextJustify(LeftText, BottomText);
  OutTextXY(0, GetMaxY(), text);
  expected.clear();
  for (int y = std::max(0, GetMaxY() + 1 - 8 * 255); y <= GetMaxY(); ++y) {
    for (int x = 0; x < 8; ++x) expected.insert({x, y});
  }
  EXPECT_EQ(AllChangedPixels(0), expected);
}

std::optional<std::array<uint8_t, 8>> NoImageForB(uint8_t code, int direction) {
  if (code == 'B') return std::nullopt;
  return MakeGlyphImageFromFont(code, direction);
}

std::string consoleOut;
bool CaptureConsole(std::string_view text, bool toStandardError) {
  if (!toStandardError) consoleOut += text;
  return true;
}

TEST_F(BuiltInTextTest, CharacterWithoutImageIsReportedAndTheTextGoesOn) {
  GlyphCache[HorizontalGlyphs]['B'].reset();
  MakeGlyphImage = NoImageForB;
  consoleOut.clear();
  platform::SetConsoleWriter(CaptureConsole);
  OutTextXY(10, 10, "ABAB");
  platform::SetConsoleWriter(nullptr);
  EXPECT_EQ(consoleOut,
            std::string(GlyphImageFailureLine) + "\n" + std::string(GlyphImageFailureLine) + "\n");
  PixelSet expected = ExpectedText("A", 10, 10, 1, false);
  expected.merge(ExpectedText("A", 26, 10, 1, false));
  EXPECT_EQ(AllChangedPixels(0), expected);
  EXPECT_FALSE(GlyphCache[HorizontalGlyphs]['B'].has_value());

  // Once an image can be made, the character appears.
  MakeGlyphImage = MakeGlyphImageFromFont;
  FillBoth(0);
  OutTextXY(10, 10, "B");
  EXPECT_EQ(AllChangedPixels(0), ExpectedText("B", 10, 10, 1, false));
}

TEST_F(BuiltInTextTest, NothingIsDrawnWhileTheWindowIsNotReady) {
  windowReady = false;
  OutTextXY(10, 10, "\xDB");
  windowReady = true;
  EXPECT_TRUE(AllChangedPixels(0).empty());
}

TEST_F(BuiltInTextTest, OnlyTheEnabledSurfacesAreDrawnOn) {
  DrawToBitmap = false;
  OutTextXY(10, 10, "\xDB");
  DrawToBitmap = true;
  {
    std::lock_guard lock(graphLock);
    EXPECT_EQ(windowSurface->pixels().pixel(10, 10), White);
    EXPECT_EQ(backingBitmap->pixel(10, 10), 0u);
  }
  DrawToWindow = false;
  OutTextXY(30, 10, "\xDB");
  DrawToWindow = true;
  std::lock_guard lock(graphLock);
  EXPECT_EQ(windowSurface->pixels().pixel(30, 10), 0u);
  EXPECT_EQ(backingBitmap->pixel(30, 10), White);
}

// The window's pixels under a surface of its own that counts what it is asked to show.
class CountingSurface : public WindowSurface {
 public:
  explicit CountingSurface(WindowSurface* inner)
      : WindowSurface(PixelSurface(inner->width(), inner->height(), inner->pixels().row(0),
                                   inner->pixels().stride(), inner->pixels().order())),
        inner_(inner) {}
  void drawUnder(std::recursive_timed_mutex&) override {}
  int presents = 0;

 private:
  void presentBlock(int x, int y, int w, int h) override {
    ++presents;
    inner_->present(x, y, w, h);
  }

  WindowSurface* inner_;
};

TEST_F(BuiltInTextTest, TheWindowGetsBlocksNotSinglePixels) {
  WindowSurface* real = nullptr;
  {
    std::lock_guard lock(graphLock);
    real = windowSurface;
  }
  CountingSurface counting(real);
  {
    std::lock_guard lock(graphLock);
    windowSurface = &counting;
  }
  SetTextStyle(DefaultFont, HorizDir, 3);
  // Two full blocks of 576 pixels each, and an H: two runs in rows 0 to 2 and 4 to 6, one
  // in row 3.
  OutTextXY(10, 10, "\xDB\xDBH");
  {
    std::lock_guard lock(graphLock);
    windowSurface = real;
  }
  EXPECT_LE(counting.presents, 1 + 1 + 5);
  EXPECT_EQ(ChangedPixels(0, 0, 100, 50, 0), ExpectedText("\xDB\xDBH", 10, 10, 3, false));
}

}  // namespace
