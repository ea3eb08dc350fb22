// Mode registry, detection, start of graphics mode, defaults and the layer's life cycle.
#include <gtest/gtest.h>

#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/text.h"
#include "reset_for_tests.h"
#include "runtime/exit_chain.h"
#include "test_driver.h"

using namespace testing_support;

namespace {

ModeRecord Sized(int16_t driver, int16_t mode, int colors, int maxX, int maxY) {
  ModeRecord r;
  r.DriverNumber = driver;
  r.ModeNumber = mode;
  r.MaxColor = r.PaletteSize = colors;
  r.MaxX = static_cast<uint16_t>(maxX);
  r.MaxY = static_cast<uint16_t>(maxY);
  return r;
}

int CountRecords() {
  int n = 0;
  for (const ModeRecord* r = ModeList; r; r = r->Next) ++n;
  return n;
}

}  // namespace

TEST(ModeRegistry, DepthListsSortBySizeReplaceTiesAndNumberFromOne) {
  ResetGraphLayerForTests();
  AddMode(Sized(10, 1, 256, 799, 599));
  AddMode(Sized(10, 2, 256, 639, 479));
  AddMode(Sized(10, 3, 256, 639, 399));
  AddMode(Sized(10, 4, 256, 799, 599));  // same size as mode 1: replaces it
  AddMode(Sized(10, 5, 16, 639, 479));
  AddMode(Sized(10, 6, 3, 100, 100));  // no depth driver

  EXPECT_EQ(CountRecords(), 6);  // every record stays in the list
  EXPECT_EQ(DepthModeRange[15 - 11].Lowest, 1);
  EXPECT_EQ(DepthModeRange[15 - 11].Highest, 3);
  EXPECT_EQ(DepthModeRange[13 - 11].Highest, 1);
  EXPECT_EQ(DepthModeRange[11 - 11].Highest, -1);

  int16_t lowest, highest;
  GetModeRange(15, lowest, highest);
  EXPECT_EQ(lowest, 1);
  EXPECT_EQ(highest, 3);
  GetModeRange(12, lowest, highest);
  EXPECT_EQ(lowest, -1);
  EXPECT_EQ(highest, -1);
  // Drivers outside the depth range: their smallest and largest own mode numbers.
  GetModeRange(10, lowest, highest);
  EXPECT_EQ(lowest, 1);
  EXPECT_EQ(highest, 6);
  GetModeRange(9, lowest, highest);
  EXPECT_EQ(lowest, -1);
  EXPECT_EQ(highest, -1);
}

TEST(ModeRegistry, SortComparesWidthBeforeHeightUnsigned) {
  ResetGraphLayerForTests();
  AddMode(Sized(10, 1, 16, 40000, 10));
  AddMode(Sized(10, 2, 16, 639, 479));
  AddMode(Sized(10, 3, 16, 639, 199));
  AddMode(Sized(10, 4, 16, 1023, 100));
  // Sorted: 639x199, 639x479, 1023x100, 40000x10. Detection takes the last.
  int16_t driver = 0, mode = 0;
  DetectGraph(driver, mode);
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(driver, 13);
  EXPECT_EQ(mode, 4);
}

TEST(Detection, EmptyRegistryIsNotDetected) {
  ResetGraphLayerForTests();
  int16_t driver = 0, mode = 0;
  DetectGraph(driver, mode);
  EXPECT_EQ(GraphResult(), grNotDetected);
  EXPECT_EQ(driver, 21);
  EXPECT_EQ(GraphResult(), grOk);  // read and cleared
}

TEST(Detection, LastDepthDriverWithModesWinsWithItsHighestMode) {
  ResetGraphLayerForTests();
  AddMode(Sized(10, 1, 65536, 319, 199));
  AddMode(Sized(10, 2, 256, 1919, 1079));
  AddMode(Sized(10, 3, 2, 2047, 1535));
  int16_t driver = 0, mode = 0;
  DetectGraph(driver, mode);
  EXPECT_EQ(driver, 18);
  EXPECT_EQ(mode, 1);
}

struct DetectCase {
  const char* what;
  Screen screen;
  int16_t expectMode;  // depth mode number detection returns
  int16_t maxX, maxY;
  int16_t driverMode;  // the window driver's own mode number
};

class DetectOnScreen : public ::testing::TestWithParam<DetectCase> {};

TEST_P(DetectOnScreen, PicksTheLargerWindowMode) {
  const DetectCase& c = GetParam();
  StartLayer(c.screen);
  int16_t driver = Detect, mode = 123;
  InitGraph(driver, mode, "");
  ASSERT_EQ(GraphResult(), grOk) << c.what;
  EXPECT_EQ(driver, 15);
  EXPECT_EQ(mode, c.expectMode);
  EXPECT_EQ(GetMaxX(), c.maxX);
  EXPECT_EQ(GetMaxY(), c.maxY);
  EXPECT_EQ(GetMaxColor(), 255);
  EXPECT_EQ(Graph.CurrentMode, c.driverMode);
  EXPECT_EQ(Graph.CurrentDriver, 10);
  EXPECT_EQ(Graph.CurrentDepthDriver, 15);
  EXPECT_TRUE(Graph.IsGraphMode);
  EXPECT_EQ(Graph.DriverName, "WIN32GUI");
  EXPECT_EQ(seen.initModeCalls, 1);
  EXPECT_EQ(seen.width, c.maxX + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, DetectOnScreen,
    ::testing::Values(
        // Task bar at the bottom: the maximised client area, seven 256-colour sizes.
        DetectCase{"1920x1080", {1920, 1080, 4, 4, 23, 1920, 1017}, 7, 1919, 1016, 246},
        // Task bar at the left: the full-screen width is smaller than the largest window.
        DetectCase{"left bar", {1920, 1080, 4, 4, 23, 1860, 1050}, 7, 1911, 1048, 241},
        // Equal sizes: the maximised mode, registered later, replaces the largest one.
        DetectCase{"tie", {1920, 1080, 4, 4, 23, 1912, 1049}, 6, 1911, 1048, 246},
        // 1024x768: neither 1024x768 nor 1280x1024 fits a framed window.
        DetectCase{"1024x768", {1024, 768, 4, 4, 19, 1024, 728}, 5, 1023, 727, 246},
        // A screen too small for any fixed mode.
        DetectCase{"600x400", {600, 400, 4, 4, 19, 600, 370}, 2, 599, 369, 246}),
    [](const auto& info) {
      std::string name = info.param.what;
      for (char& ch : name) {
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

TEST(Detection, SmallScreenRegistersTheSixteenColorLargestWindow) {
  StartLayer({1024, 768, 4, 4, 19, 1024, 728});
  int16_t lowest, highest;
  GetModeRange(13, lowest, highest);
  EXPECT_EQ(lowest, 1);
  EXPECT_EQ(highest, 6);  // four fixed sizes and the two window sizes
  int16_t driver = 13, mode = LowestMode;
  InitGraph(driver, mode, "");
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(mode, 1);
  EXPECT_EQ(GetMaxX(), 639);
  EXPECT_EQ(GetMaxY(), 199);
  EXPECT_EQ(GetMaxColor(), 15);
}

TEST(InitGraph, HighestModeOfAGivenDepthDriver) {
  ASSERT_EQ(StartGraphics(15, HighestModeOfDriver), grOk);
  EXPECT_EQ(GetMaxX(), 1919);
  EXPECT_EQ(GetMaxColor(), 255);

  ASSERT_EQ(StartGraphics(13, HighestModeOfDriver), grOk);
  EXPECT_EQ(GetMaxX(), 1919);
  EXPECT_EQ(GetMaxColor(), 15);
  EXPECT_EQ(Graph.CurrentMode, 245);
}

TEST(InitGraph, ResolutionCodes) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  EXPECT_EQ(GetMaxX(), 639);
  EXPECT_EQ(GetMaxY(), 479);
  EXPECT_EQ(Graph.CurrentMode, 2);
  EXPECT_EQ(Graph.CurrentDriver, 9);

  ASSERT_EQ(StartGraphics(15, 30012), grOk);  // 1024 x 768
  EXPECT_EQ(Graph.CurrentMode, 261);

  // 640 x 480 does not fit a framed window on a 640 x 480 screen.
  EXPECT_EQ(StartGraphics(13, 30009, {640, 480, 4, 4, 19, 640, 450}), grInvalidMode);
  EXPECT_FALSE(Graph.IsGraphMode);
  EXPECT_EQ(StartGraphics(13, 30001), grInvalidMode);  // 320 x 200 is never registered
}

TEST(InitGraph, ExplicitDriverAndModePairs) {
  ASSERT_EQ(StartGraphics(9, 1), grOk);
  EXPECT_EQ(GetMaxY(), 349);
  EXPECT_EQ(Graph.XAspect, 7750);
  EXPECT_EQ(Graph.CurrentDepthDriver, 13);

  EXPECT_EQ(StartGraphics(10, 999), grInvalidMode);
  EXPECT_EQ(seen.initModeCalls, 0);
  EXPECT_EQ(StartGraphics(15, 99), grInvalidMode);
  EXPECT_EQ(StartGraphics(7, 0), grInvalidMode);
}

TEST(InitGraph, StartHookRunsOnlyOnce) {
  StartLayer();
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  driver = Detect;
  InitGraph(driver, mode, "");
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(seen.startHookCalls, 1);
  EXPECT_EQ(seen.initModeCalls, 2);
}

TEST(InitGraph, DriverPathGetsOneTrailingSlash) {
  StartLayer();
  struct {
    const char* given;
    const char* stored;
  } cases[] = {{"fonts", "fonts/"}, {"fonts/", "fonts/"}, {"", ""}, {"a\\", "a\\/"}};
  for (const auto& c : cases) {
    int16_t driver = Detect, mode = 0;
    InitGraph(driver, mode, c.given);
    EXPECT_EQ(Graph.DriverPath, c.stored) << c.given;
  }
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, std::string(300, 'p'));
  EXPECT_EQ(Graph.DriverPath.size(), 256u);
}

TEST(SetGraphMode, ModeWithoutARequiredSlotIsRefused) {
  Options o;
  o.fillPutPixel = false;
  EXPECT_EQ(StartGraphics(Detect, 0, Screen{}, o), grInvalidMode);
  EXPECT_FALSE(Graph.IsGraphMode);
  EXPECT_EQ(seen.initModeCalls, 0);

  o = Options{};
  o.fillInitMode = false;
  EXPECT_EQ(StartGraphics(Detect, 0, Screen{}, o), grInvalidMode);
  EXPECT_FALSE(Graph.IsGraphMode);
}

TEST(SetGraphMode, DriverFailureKeepsTheDriversCode) {
  Options o;
  o.failInitMode = true;
  EXPECT_EQ(StartGraphics(Detect, 0, Screen{}, o), grError);
  EXPECT_EQ(seen.initModeCalls, 1);
  EXPECT_FALSE(Graph.IsGraphMode);
}

TEST(SetGraphMode, SwitchesBetweenModesOfTheCurrentDriver) {
  ASSERT_EQ(StartGraphics(15, 1), grOk);
  EXPECT_EQ(GetMaxX(), 639);
  // After the mode is set the current driver is the record's own (10), so plain numbers are
  // the driver's mode numbers; the special numbers still go to the depth driver.
  EXPECT_EQ(Graph.CurrentDriver, 10);
  SetGraphMode(259);
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(GetMaxX(), 799);
  SetGraphMode(30012);
  EXPECT_EQ(GetMaxX(), 1023);
  SetGraphMode(HighestModeOfDriver);
  EXPECT_EQ(GetMaxX(), 1919);
  SetGraphMode(50);
  EXPECT_EQ(GraphResult(), grInvalidMode);
  EXPECT_EQ(GetMaxX(), 1919);  // the mode in force stays
}

TEST(GraphDefaults, DrawingStateAfterInitGraph) {
  ASSERT_EQ(StartGraphics(), grOk);
  SetColor(3);
  SetFillStyle(HatchFill, 7);
  SetViewPort(10, 10, 20, 20, false);
  SetTextJustify(CenterText, BottomText);
  SetWriteMode(XORPut);
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_EQ(GetColor(), 15);
  EXPECT_EQ(Graph.FillSettings.Pattern, SolidFill);
  EXPECT_EQ(Graph.FillSettings.Color, 255);
  EXPECT_EQ(Graph.WriteMode, NormalPut);
  EXPECT_EQ(Graph.ViewPort.X1, 0);
  EXPECT_EQ(Graph.ViewPort.Width, 1919);
  EXPECT_EQ(Graph.ViewPort.Height, 1016);
  EXPECT_TRUE(Graph.ViewPort.ClipPixels);
  EXPECT_EQ(Graph.TextSettings.Horiz, LeftText);
  EXPECT_EQ(Graph.TextSettings.Vert, TopText);
  EXPECT_EQ(Graph.TextSettings.CharSize, 1);
  EXPECT_EQ(Graph.LineSettings.Pattern, 0xFFFF);
  for (uint8_t row : FillPatternTable[UserFill]) EXPECT_EQ(row, 0xFF);
  EXPECT_EQ(GetBkColor(), 0);
  EXPECT_GT(seen.setRGBCalls, 0);  // the background went to palette entry 0
}

TEST(GraphDefaults, BackgroundColorSetsPaletteEntryZeroFromTheDefaults) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetBkColor(14);
  EXPECT_EQ(GetBkColor(), 14);
  EXPECT_EQ(seen.palette[0][0], 252);
  EXPECT_EQ(seen.palette[0][1], 252);
  EXPECT_EQ(seen.palette[0][2], 84);
  SetBkColor(16);  // beyond a 16-colour mode
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(GetBkColor(), 14);
}

TEST(ViewPort, BoundsAreCheckedAndFailureChangesNothing) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetViewPort(10, 20, 110, 220, false);
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(Graph.ViewPort.X1, 10);
  EXPECT_EQ(Graph.ViewPort.Y1, 20);
  EXPECT_EQ(Graph.ViewPort.Width, 100);
  EXPECT_EQ(Graph.ViewPort.Height, 200);
  EXPECT_FALSE(Graph.ViewPort.ClipPixels);

  MoveTo(5, 5);
  const int16_t bad[][4] = {{0, 0, 640, 479}, {0, 0, 639, 480}, {-1, 0, 5, 5},
                            {0, -1, 5, 5},    {6, 0, 5, 5},     {0, 6, 5, 5}};
  for (const auto& b : bad) {
    SetViewPort(b[0], b[1], b[2], b[3], true);
    EXPECT_EQ(GraphResult(), grError);
  }
  EXPECT_EQ(Graph.ViewPort.X1, 10);
  EXPECT_EQ(Graph.ViewPort.Width, 100);
  EXPECT_FALSE(Graph.ViewPort.ClipPixels);
  EXPECT_EQ(GetX(), 5);

  SetViewPort(0, 0, 639, 479, true);
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(GetX(), 0);
}

TEST(GraphResult, ReadsAndClears) {
  ASSERT_EQ(StartGraphics(), grOk);
  SetFillStyle(13, 1);
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(GraphResult(), grOk);
  // A later error overwrites an unread one.
  SetFillStyle(13, 1);
  SetTextStyle(11, 0, 1);
  EXPECT_EQ(GraphResult(), grInvalidFontNum);
}

TEST(LayerStart, BeforeAnyModeTheQueriesAreZero) {
  StartLayer();
  EXPECT_EQ(GetMaxX(), 0);
  EXPECT_EQ(GetMaxY(), 0);
  EXPECT_FALSE(Graph.IsGraphMode);
  EXPECT_EQ(NumFonts, 10);
  EXPECT_STREQ(Fonts[1].Name, "TRIP");
  EXPECT_STREQ(Fonts[10].Name, "BOLD");
}

TEST(ExitHandler, ClosesGraphicsOnlyOnARunTimeErrorAndFreesTheRegistries) {
  for (bool runTimeError : {false, true}) {
    ASSERT_EQ(StartGraphics(), grOk);
    StartLayer();  // starting again must not chain the handler twice
    int16_t driver = Detect, mode = 0;
    InitGraph(driver, mode, "");
    ASSERT_TRUE(Graph.IsGraphMode);
    ExitHandler handler = ExitProc;
    ASSERT_NE(handler, nullptr);
    RunTimeErrorPending = runTimeError;
    handler();
    RunTimeErrorPending = false;
    EXPECT_NE(ExitProc, handler);
    EXPECT_EQ(seen.closeCalls, runTimeError ? 1 : 0);
    EXPECT_EQ(ModeList, nullptr);
    EXPECT_EQ(NumFonts, 0);
    EXPECT_EQ(DepthModeRange[15 - 11].Highest, -1);
  }
}

TEST(CloseGraph, WithoutADriverHookReportsNoInitGraph) {
  ResetGraphLayerForTests();
  CloseGraph();
  EXPECT_EQ(GraphResult(), grNoInitGraph);
}

TEST(NotInGraphicsModeDeathTest, DrawingBeforeInitGraphStopsWithExitCode1) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const char* line =
      "Error: Not in graphics mode \\(use InitGraph and test GraphResult afterwards\\)";
  EXPECT_EXIT(
      {
        StartLayer();
        Bar(10, 10, 20, 20);
      },
      ::testing::ExitedWithCode(1), line);
  EXPECT_EXIT(
      {
        StartLayer();
        FillEllipse(100, 100, 10, 5);
      },
      ::testing::ExitedWithCode(1), line);
  EXPECT_EXIT(
      {
        StartLayer();
        Line(0, 0, 10, 10);
      },
      ::testing::ExitedWithCode(1), line);
  EXPECT_EXIT(
      {
        StartLayer();
        PutPixel(0, 0, 1);
      },
      ::testing::ExitedWithCode(1), line);
  // A mode that failed to start leaves the stop routines in place.
  EXPECT_EXIT(
      {
        Options o;
        o.failInitMode = true;
        StartGraphics(Detect, 0, Screen{}, o);
        Bar(0, 0, 1, 1);
      },
      ::testing::ExitedWithCode(1), line);
}

TEST(NotInGraphicsModeDeathTest, MissingStartHookIsRunTimeError216) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        Options o;
        o.fillStartHook = false;
        StartLayer(Screen{}, o);
        int16_t driver = Detect;
        int16_t mode = 0;
        InitGraph(driver, mode, "");
      },
      ::testing::ExitedWithCode(216), "Runtime error 216");
}

TEST(MousePart, CollectsButtonStatesAndUninstallsAtExit) {
  static MouseMessageRoutine installed = nullptr;
  static int installs = 0;
  installs = 0;
  StartMousePart(true, [](MouseMessageRoutine r) {
    installed = r;
    ++installs;
  });
  EXPECT_TRUE(MousePresent());
  ASSERT_EQ(installed, &MouseMessage);
  EXPECT_EQ(MouseMessage(nullptr, 0x201, 0, 0), 0);
  EXPECT_EQ(MouseButtons(), 1);
  MouseMessage(nullptr, 0x206, 0, 0);
  MouseMessage(nullptr, 0x207, 0, 0);
  EXPECT_EQ(MouseButtons(), 7);
  MouseMessage(nullptr, 0x202, 0, 0);
  MouseMessage(nullptr, 0x208, 0, 0);
  MouseMessage(nullptr, 0x200, 0, 0);  // moves change nothing
  EXPECT_EQ(MouseButtons(), 2);
  MouseMessage(nullptr, 0x205, 0, 0);
  MouseMessage(nullptr, 0x203, 0, 0);
  MouseMessage(nullptr, 0x209, 0, 0);
  EXPECT_EQ(MouseButtons(), 5);

  ExitHandler handler = ExitProc;
  handler();
  EXPECT_EQ(installed, nullptr);
  EXPECT_EQ(installs, 2);
}
