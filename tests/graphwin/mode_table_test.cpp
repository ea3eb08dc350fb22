#include "mode_table.h"

#include "headless_window.h"

namespace {

class ModeTableTest : public HeadlessWindowTest {
 protected:
  void TearDown() override {
    HeadlessWindowTest::TearDown();
    headless::SetMetrics(headless::DefaultMetrics());
    StartGraphWindowDriver();
  }
  // Starts the driver again on a screen with these metrics.
  static void useScreen(int width, int height, int workWidth, int workHeight, int frame,
                        int caption) {
    platform::ScreenMetrics m = headless::DefaultMetrics();
    m.screenWidth = width;
    m.screenHeight = height;
    m.workWidth = workWidth;
    m.workHeight = workHeight;
    m.frameX = m.frameY = frame;
    m.caption = caption;
    headless::SetMetrics(m);
    StartGraphWindowDriver();
  }
  static int16_t highestMode(int16_t depthDriver) {
    int16_t lowest, highest;
    GetModeRange(depthDriver, lowest, highest);
    return highest;
  }
  static bool registered(int16_t driver, int16_t mode) {
    openMode(driver, mode);
    const bool ok = GraphResult() == grOk;
    if (ok) CloseGraph();
    return ok;
  }
};

TEST_F(ModeTableTest, DetectionPicksTheMaximisedWindowOnAFullHDScreen) {
  useScreen(1920, 1080, 1920, 1040, 4, 23);
  EXPECT_EQ(highestMode(15), 7);  // all five fixed 256-colour modes fit, plus the two windows
  EXPECT_EQ(highestMode(13), 8);
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_EQ(driver, 15);
  EXPECT_EQ(mode, 7);
  EXPECT_EQ(GetMaxX(), 1919);
  EXPECT_EQ(GetMaxY(), 1016);
  EXPECT_EQ(GetMaxColor(), 255);
  EXPECT_EQ(Graph.CurrentMode, 246);
  EXPECT_TRUE(headless::Info(graphWindow)->maximised);
}

TEST_F(ModeTableTest, ASmallScreenDropsTheModesThatDoNotFit) {
  useScreen(1024, 768, 1024, 738, 4, 19);  // W = 1016, H = 741
  EXPECT_FALSE(registered(10, 260));
  EXPECT_FALSE(registered(10, 263));
  EXPECT_TRUE(registered(10, 258));
  EXPECT_TRUE(registered(10, 259));
  EXPECT_TRUE(registered(9, 0));
  EXPECT_EQ(highestMode(15), 5);
  EXPECT_EQ(highestMode(13), 6);
  openMode(10, 240);
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_EQ(GetMaxX(), 1015);
  EXPECT_EQ(GetMaxY(), 740);
  EXPECT_EQ(GetMaxColor(), 15);
  EXPECT_EQ(Graph.XAspect, 10000);
  EXPECT_EQ(headless::Info(graphWindow)->width, 1016);
}

TEST_F(ModeTableTest, FixedModesCarryTheirAspectAndColors) {
  useScreen(1920, 1080, 1920, 1040, 4, 23);
  openMode(9, 0);
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_EQ(Graph.XAspect, 4500);
  EXPECT_EQ(Graph.YAspect, 10000);
  EXPECT_EQ(GetMaxY(), 199);
  EXPECT_EQ(Graph.MaxColor, 16);
  EXPECT_EQ(Graph.PaletteSize, 16);
  CloseGraph();
  openMode(10, 256);
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_EQ(Graph.XAspect, 8333);
  EXPECT_EQ(GetMaxColor(), 255);
}

TEST_F(ModeTableTest, ATaskBarAtTheSideLeavesTheLargestWindow) {
  useScreen(1920, 1080, 1850, 1080, 4, 23);  // SM_CXFULLSCREEN 1850 < W 1912
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_EQ(Graph.CurrentMode, 241);
  EXPECT_EQ(GetMaxX(), 1911);
  EXPECT_EQ(GetMaxY(), 1080 - 8 - 23 - 1);
  const auto info = headless::Info(graphWindow);
  EXPECT_FALSE(info->maximised);
  EXPECT_EQ(info->width, 1912);
  EXPECT_EQ(info->height, 1049);
}

TEST_F(ModeTableTest, RegisteringAgainAddsNothing) {
  useScreen(1920, 1080, 1920, 1040, 4, 23);
  RegisterDriverModes();
  EXPECT_EQ(highestMode(15), 7);
  EXPECT_EQ(highestMode(13), 8);
}

}  // namespace
