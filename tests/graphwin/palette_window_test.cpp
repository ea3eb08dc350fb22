// Palette windows beside the game's windows: what each keeps, and that the game's path is
// untouched by the other.
#include "graph/fill.h"
#include "headless_window.h"
#include "page_planes.h"
#include "pixels.h"

namespace {

class PaletteWindowTest : public HeadlessWindowTest {
 protected:
  void TearDown() override {
    HeadlessWindowTest::TearDown();
    UsePaletteWindows(false);
  }
};

TEST_F(PaletteWindowTest, TheGamesWindowKeepsDrawnColorsAndIgnoresPages) {
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  ASSERT_EQ(GraphResult(), grOk);
  ASSERT_EQ(GetMaxColor(), 255);
  SetFillStyle(SolidFill, 40);
  Bar(0, 0, 9, 9);
  const COLORREF drawn = shown(5, 5);
  SetRGBPalette(40, 1, 2, 3);
  SetBkColor(1);
  EXPECT_EQ(shown(5, 5), drawn);
  EXPECT_EQ(shown(100, 100), 0u);

  SetActivePage(1);
  SetVisualPage(7);
  EXPECT_EQ(GraphResult(), grOk);
  Bar(20, 0, 29, 9);  // drawn where it shows, as before
  EXPECT_EQ(shown(25, 5), RGB(1, 2, 3));
  std::lock_guard lock(graphLock);
  EXPECT_FALSE(pagePlanes.inUse());
}

TEST_F(PaletteWindowTest, WriteModesCombineColorNumbersInAPaletteWindow) {
  UsePaletteWindows(true);
  open640x480x16();
  SetColor(5);
  Line(0, 0, 99, 0);
  SetColor(3);
  SetWriteMode(XORPut);
  Line(0, 0, 99, 0);
  EXPECT_EQ(GetPixel(50, 0), 5 ^ 3);
  EXPECT_EQ(shown(50, 0), ColorToRGB(5 ^ 3));
  PutPixel(50, 1, 9);
  DriverDirectPutPixel(50, 1);
  EXPECT_EQ(GetPixel(50, 1), 9 ^ 3);
  Line(0, 0, 99, 0);
  EXPECT_EQ(GetPixel(50, 0), 5);
  SetWriteMode(OrPut);
  SetColor(2);
  Line(0, 0, 99, 0);
  EXPECT_EQ(GetPixel(50, 0), 5 | 2);
  SetWriteMode(AndPut);
  SetColor(12);
  Line(0, 0, 99, 0);
  EXPECT_EQ(GetPixel(50, 0), (5 | 2) & 12);
}

TEST_F(PaletteWindowTest, PagesComeWithTheWindowAndGoWithIt) {
  UsePaletteWindows(true);
  open640x480x16();
  {
    std::lock_guard lock(graphLock);
    ASSERT_TRUE(pagePlanes.inUse());
    EXPECT_EQ(int(pagePlanes.planes.size()), PalettePages);
  }
  CloseGraph();
  {
    std::lock_guard lock(graphLock);
    EXPECT_FALSE(pagePlanes.inUse());
  }
  UsePaletteWindows(false);  // the game's windows again, with their page routines
  open640x480x16();
  SetVisualPage(1);
  EXPECT_EQ(GraphResult(), grOk);
  std::lock_guard lock(graphLock);
  EXPECT_FALSE(pagePlanes.inUse());
}

TEST_F(PaletteWindowTest, APaletteChangeRecolorsTheWindowsWholePictureAtOnce) {
  UsePaletteWindows(true);
  open640x480x16();
  SetFillStyle(SolidFill, 4);
  Bar(0, 0, 639, 239);
  PaletteType palette;
  palette.Size = 16;
  for (int i = 0; i < 16; ++i) palette.Colors[i] = {uint8_t(i), uint8_t(i), uint8_t(i)};
  SetAllPalette(palette);
  EXPECT_EQ(shown(639, 0), RGB(4, 4, 4));
  EXPECT_EQ(shown(0, 479), RGB(0, 0, 0));
  EXPECT_EQ(stored(0, 0), RGB(4, 4, 4));  // a repaint shows the same
  palette.Size = 17;
  SetAllPalette(palette);
  EXPECT_EQ(GraphResult(), grError);
}

}  // namespace
