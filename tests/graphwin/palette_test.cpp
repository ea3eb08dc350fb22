#include "palette.h"

#include <gtest/gtest.h>

#include "graph/default_palette.h"
#include "graph_state.h"

namespace {

class PaletteTest : public ::testing::Test {
 protected:
  void SetUp() override { usePalette(256); }
  void TearDown() override {
    currentPalette.clear();
    Graph.MaxColor = 0;
    Graph.DirectColor = false;
    Graph.ResultCode = grOk;
  }
  static void usePalette(int colors) {
    currentPalette.assign(DefaultPalette.begin(), DefaultPalette.begin() + colors);
    Graph.MaxColor = colors;
    Graph.DirectColor = false;
    Graph.ResultCode = grOk;
  }
  static void expectEntry(int i, int r, int g, int b) {
    EXPECT_EQ(DefaultPalette[i].Red, r) << "entry " << i;
    EXPECT_EQ(DefaultPalette[i].Green, g) << "entry " << i;
    EXPECT_EQ(DefaultPalette[i].Blue, b) << "entry " << i;
  }
};

TEST_F(PaletteTest, DefaultPaletteLandmarks) {
  expectEntry(1, 0, 0, 168);
  expectEntry(6, 168, 84, 0);
  expectEntry(14, 252, 252, 84);
  expectEntry(15, 252, 252, 252);
  expectEntry(17, 20, 20, 20);
  expectEntry(31, 252, 252, 252);
  // First ring: (lo, lo, hi), then red rises, blue falls, green rises, ...
  expectEntry(32, 0, 0, 252);
  expectEntry(33, 64, 0, 252);
  expectEntry(40, 252, 0, 0);
  expectEntry(44, 252, 252, 0);
  expectEntry(52, 0, 252, 252);
  expectEntry(55, 0, 64, 252);
  // Later rings with their own levels.
  expectEntry(56, 124, 124, 252);
  expectEntry(104 + 9, 112, 28, 0);
  expectEntry(224 + 23, 44, 48, 64);
  for (int i = 248; i < 256; ++i) expectEntry(i, 0, 0, 0);
}

TEST_F(PaletteTest, AgreesWithTheLayersDefaultColors) {
  const auto& layer = DefaultPaletteColors();
  for (int i = 0; i < 256; ++i) {
    expectEntry(i, layer[i].Red, layer[i].Green, layer[i].Blue);
  }
}

TEST_F(PaletteTest, ColorToRGBUsesTheLowBytesOfTheEntry) {
  EXPECT_EQ(ColorToRGB(14), RGB(252, 252, 84));
  EXPECT_EQ(ColorToRGB(1), 0xA80000u);
  currentPalette[3] = {0x1FF, 0x100, -1};
  EXPECT_EQ(ColorToRGB(3), RGB(0xFF, 0x00, 0xFF));
}

TEST_F(PaletteTest, NearestColorReadsBackTheFirstMatchingEntry) {
  for (int c : {1, 2, 4, 14, 15, 17, 100, 247}) {
    const COLORREF v = ColorToRGB(uint16_t(c));
    EXPECT_EQ(NearestColor(GetRValue(v), GetGValue(v), GetBValue(v)), c);
  }
  // Duplicates of earlier entries read back as the earlier one.
  EXPECT_EQ(NearestColor(0, 0, 0), 0);
  const COLORREF white = ColorToRGB(31);
  EXPECT_EQ(NearestColor(GetRValue(white), GetGValue(white), GetBValue(white)), 15);
  for (int c : {16, 248, 255}) {
    const COLORREF v = ColorToRGB(uint16_t(c));
    EXPECT_EQ(NearestColor(GetRValue(v), GetGValue(v), GetBValue(v)), 0);
  }
  // Off-palette values: smallest sum of distances, first on ties.
  usePalette(16);
  EXPECT_EQ(NearestColor(250, 250, 90), 14);
  EXPECT_EQ(NearestColor(0, 0, 84), 0);  // 84 from both 0 and 1: the first wins
}

TEST_F(PaletteTest, SetAndGetRGBPaletteCheckTheColor) {
  usePalette(16);
  int16_t r = -5, g = -5, b = -5;
  DriverSetRGBPalette(7, 300, -2, 12);
  DriverGetRGBPalette(7, r, g, b);
  EXPECT_EQ(Graph.ResultCode, grOk);
  EXPECT_EQ(r, 300);  // kept as given
  EXPECT_EQ(g, -2);
  EXPECT_EQ(b, 12);

  for (int16_t bad : {int16_t(-1), int16_t(16), int16_t(255)}) {
    Graph.ResultCode = grOk;
    DriverSetRGBPalette(bad, 1, 2, 3);
    EXPECT_EQ(Graph.ResultCode, grError) << bad;
    Graph.ResultCode = grOk;
    r = g = b = 99;
    DriverGetRGBPalette(bad, r, g, b);
    EXPECT_EQ(Graph.ResultCode, grError) << bad;
    EXPECT_EQ(r, 99);
  }
  Graph.DirectColor = true;
  Graph.ResultCode = grOk;
  DriverSetRGBPalette(2, 1, 2, 3);
  EXPECT_EQ(Graph.ResultCode, grError);
  Graph.DirectColor = false;
  DriverGetRGBPalette(2, r, g, b);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(g, 168);
  EXPECT_EQ(b, 0);
}

TEST_F(PaletteTest, SettingABasicColorDropsItsPen) {
  PenCache[5] = RGB(168, 0, 168);
  PenCache[6] = RGB(168, 84, 0);
  DriverSetRGBPalette(5, 1, 2, 3);
  EXPECT_FALSE(PenCache[5].has_value());
  EXPECT_TRUE(PenCache[6].has_value());
  PenCache.fill(std::nullopt);
}

}  // namespace
