// Queries of the drawing state, palette routines, names, messages, leaving graphics and
// coming back, user character sizes and fonts registered from memory.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/settings.h"
#include "graph/text.h"
#include "test_driver.h"
#include "testing/test_font.h"

using namespace testing_support;

TEST(GraphErrorMsg, EveryCodeHasItsOwnLine) {
  std::set<std::string> texts;
  for (int16_t code : {0, -1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -11, -12, -13, -14, -15, -18}) {
    const std::string text = GraphErrorMsg(code);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find('\n'), std::string::npos);
    texts.insert(text);
  }
  EXPECT_EQ(texts.size(), 17u);
  EXPECT_EQ(std::string(GraphErrorMsg(0)), "No error");
  EXPECT_EQ(texts.count(GraphErrorMsg(-16)), 0u);
}

TEST(Settings, ViewSettingsGiveTheFarCornerNotTheSize) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetViewPort(10, 20, 110, 220, false);
  ViewPortType vp;
  GetViewSettings(vp);
  EXPECT_EQ(vp.X2, 110);
  EXPECT_EQ(vp.Y2, 220);
  EXPECT_FALSE(vp.Clip);
}

TEST(Palette, SetPaletteTakesDefaultColorsAndGetPaletteReadsThemBack) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  EXPECT_EQ(GetPaletteSize(), 16);
  SetPalette(1, 4);  // entry 1 becomes default red (168, 0, 0)
  PaletteType palette;
  GetPalette(palette);
  EXPECT_EQ(palette.Size, 16);
  EXPECT_EQ(palette.Colors[1].Red, 168);
  EXPECT_EQ(palette.Colors[1].Blue, 0);
  SetPalette(16, 1);  // no entry 16 in 16 colours
  EXPECT_EQ(GraphResult(), grError);
  SetPalette(1, 256);
  EXPECT_EQ(GraphResult(), grError);

  GetDefaultPalette(palette);
  EXPECT_EQ(palette.Size, 16);
  EXPECT_EQ(palette.Colors[14].Red, 252);
  EXPECT_EQ(palette.Colors[14].Blue, 84);
}

TEST(ModeQueries, NamesAndNumbersOfTheCurrentDriver) {
  ASSERT_EQ(StartGraphics(), grOk);
  EXPECT_EQ(std::string(GetDriverName()), "WIN32GUI");
  EXPECT_EQ(GetGraphMode(), 246);
  EXPECT_EQ(std::string(GetModeName(246)), "Maximized Window x 256");
  EXPECT_EQ(GetMaxMode(), 263);
  EXPECT_EQ(std::string(GetModeName(7)), "");
  EXPECT_EQ(GraphResult(), grInvalidMode);
}

TEST(RestoreCrtMode, LeavesGraphicsAndSetGraphModeComesBack) {
  ASSERT_EQ(StartGraphics(9, 2), grOk);
  RestoreCrtMode();
  EXPECT_FALSE(Graph.IsGraphMode);
  EXPECT_EQ(seen.closeCalls, 1);
  SetGraphMode(GetGraphMode());
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_TRUE(Graph.IsGraphMode);
  EXPECT_EQ(seen.initModeCalls, 2);
  EXPECT_EQ(GetMaxX(), 639);
}

TEST(SetUserCharSize, ScalesStrokedFonts) {
  StartLayer();
  const std::vector<uint8_t> file = testing_support::BuildFont();  // widths 4, 5, 6 for A, B, C
  EXPECT_EQ(RegisterBGIfont(file), NumFonts);  // its name is no standard one: a new entry
  const uint16_t font = uint16_t(NumFonts);
  int16_t driver = 13, mode = 30009;
  InitGraph(driver, mode, "");
  SetTextStyle(font, HorizDir, 4);
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(TextWidth("ABC"), 15);
  SetUserCharSize(2, 1, 3, 1);
  EXPECT_EQ(TextWidth("ABC"), 30);
  SetUserCharSize(1, 0, 1, 1);
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(TextWidth("ABC"), 30);
}

TEST(RegisterBGIfont, ReplacesTheEntryOfTheSameNameAndRefusesBrokenFiles) {
  StartLayer();
  std::vector<uint8_t> file = testing_support::BuildFont();
  const char name[] = "GOTH";
  std::copy(name, name + 4, file.begin() + 23);  // after 0x1A and the header size
  EXPECT_EQ(RegisterBGIfont(file), GothicFont);
  EXPECT_FALSE(Fonts[GothicFont].Data.empty());
  EXPECT_EQ(NumFonts, 10);

  file[0] = 'X';
  EXPECT_EQ(RegisterBGIfont(file), grInvalidFont);
  EXPECT_EQ(GraphResult(), grInvalidFont);
}
