// Text metrics, justification and the text entry points.
#include <gtest/gtest.h>

#include <cfenv>
#include <filesystem>

#include "graph/graph.h"
#include "graph/text.h"
#include "test_driver.h"
#include "testing/test_font.h"

using namespace testing_support;

namespace {

// A started layer with the test font loaded as font 1.
void StartWithStrokedFont(const testing_support::FontSpec& font) {
  StartLayer();
  std::string dir = testing_support::TempDir();
  testing_support::WriteFile(dir + "TRIP.CHR", testing_support::BuildFont(font));
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, dir);
  ASSERT_EQ(GraphResult(), grOk);
  SetTextStyle(TriplexFont, HorizDir, 4);
  ASSERT_EQ(GraphResult(), grOk);
  std::filesystem::remove_all(dir);
}

}  // namespace

TEST(TextMetrics, BuiltInFontIsEightPixelsPerCharacterAndSize) {
  ASSERT_EQ(StartGraphics(), grOk);
  EXPECT_EQ(TextWidth("abc"), 24);
  EXPECT_EQ(TextHeight("abc"), 8);
  SetTextStyle(DefaultFont, VertDir, 3);
  EXPECT_EQ(TextWidth("abc"), 72);
  EXPECT_EQ(TextHeight(""), 24);
  EXPECT_EQ(TextWidth(""), 0);
}

TEST(TextMetrics, StrokedFontSumsTheWidthsOfCharactersItHas) {
  StartWithStrokedFont({'A', 3, 10, -3});  // widths A 4, B 5, C 6
  EXPECT_EQ(TextWidth("ABC"), 15);
  EXPECT_EQ(TextWidth("AxC?"), 10);  // characters outside the font count nothing
  EXPECT_EQ(TextHeight("A"), 13);
  SetTextStyle(TriplexFont, HorizDir, 2);   // 0.65
  EXPECT_EQ(TextWidth("ABC"), 10);          // 9.75 rounds to 10
  EXPECT_EQ(TextWidth("A"), 3);             // 2.6
  EXPECT_EQ(TextHeight("A"), 8);            // 8.45 truncated
  SetTextStyle(TriplexFont, HorizDir, 10);  // 4.0
  EXPECT_EQ(TextWidth("CC"), 48);
  EXPECT_EQ(TextHeight("A"), 52);
}

TEST(TextMetrics, StrokedWidthsRoundToTheNearestWithHalvesDown) {
  StartWithStrokedFont({'A', 3, 10, -3});
  SetTextStyle(TriplexFont, HorizDir, 8);  // 2.5
  EXPECT_EQ(TextWidth("B"), 12);           // 12.5, halves down
  EXPECT_EQ(TextWidth("BC"), 27);          // 27.5: down, not to the even 28
  EXPECT_EQ(TextWidth("BB"), 25);
  EXPECT_EQ(TextWidth("C"), 15);
  SetTextStyle(TriplexFont, HorizDir, 2);  // 0.65
  EXPECT_EQ(TextWidth("C"), 4);            // 3.9 up to the nearest
  // The floating-point rounding mode plays no part.
  const int kept = std::fegetround();
  std::fesetround(FE_UPWARD);
  SetTextStyle(TriplexFont, HorizDir, 8);
  const int16_t upward = TextWidth("BC");
  std::fesetround(kept);
  EXPECT_EQ(upward, 27);
}

TEST(SetTextJustify, RangeChecked) {
  ASSERT_EQ(StartGraphics(), grOk);
  SetTextJustify(RightText, BottomText);
  EXPECT_EQ(GraphResult(), grOk);
  SetTextJustify(3, TopText);
  EXPECT_EQ(GraphResult(), grError);
  SetTextJustify(LeftText, 3);
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(Graph.TextSettings.Horiz, RightText);
  EXPECT_EQ(Graph.TextSettings.Vert, BottomText);
}

TEST(OutText, GoesToTheSlotAndMovesOnlyLeftJustifiedHorizontalText) {
  ASSERT_EQ(StartGraphics(), grOk);
  MoveTo(10, 20);
  OutText("abcd");
  ASSERT_EQ(seen.texts.size(), 1u);
  EXPECT_EQ(seen.texts[0].x, 10);
  EXPECT_EQ(seen.texts[0].y, 20);
  EXPECT_EQ(seen.texts[0].text, "abcd");
  EXPECT_EQ(GetX(), 42);
  SetTextJustify(CenterText, TopText);
  OutText("ab");
  EXPECT_EQ(GetX(), 42);
  SetTextJustify(LeftText, TopText);
  SetTextStyle(DefaultFont, VertDir, 1);
  OutText("ab");
  EXPECT_EQ(GetX(), 42);
  OutTextXY(1, 2, std::string(300, 'x'));
  EXPECT_EQ(seen.texts.back().text.size(), 255u);
}

TEST(OutTextDeathTest, TextBeforeInitGraphStopsWithExitCode1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const char* line =
      "Error: Not in graphics mode \\(use InitGraph and test GraphResult afterwards\\)";
  EXPECT_EXIT(
      {
        StartLayer();
        OutTextXY(10, 10, "x");
      },
      ::testing::ExitedWithCode(1), line);
  EXPECT_EXIT(
      {
        StartLayer();
        OutText("x");
      },
      ::testing::ExitedWithCode(1), line);
  // A stroked font may already be loaded before graphics start.
  EXPECT_EXIT(
      {
        StartLayer();
        Fonts[TriplexFont].Header[0] = '+';
        Fonts[TriplexFont].Data.assign(2, 0);
        SetTextStyle(TriplexFont, HorizDir, 4);
        OutTextXY(10, 10, "x");
      },
      ::testing::ExitedWithCode(1), line);
}

TEST(OutText, WithoutADriverRoutineReportsAnError) {
  Options o;
  o.fillOutText = false;
  ASSERT_EQ(StartGraphics(Detect, 0, Screen{}, o), grOk);
  OutTextXY(0, 0, "x");
  EXPECT_EQ(GraphResult(), grError);
}
