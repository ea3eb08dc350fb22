#include <atomic>
#include <string>

#include "headless_window.h"
#include "pixels.h"

namespace {

using WindowTest = HeadlessWindowTest;

bool AllBlack(const PixelSurface& s) {
  for (int y = 0; y < s.height(); ++y)
    for (int x = 0; x < s.width(); ++x)
      if (s.pixel(x, y) != 0) return false;
  return true;
}

bool BitmapAllBlack() {
  std::lock_guard lock(graphLock);
  return backingBitmap && AllBlack(*backingBitmap);
}

TEST_F(WindowTest, OpensAFramedWindowOfTheModesSizeInBlack) {
  open640x480x16();
  ASSERT_TRUE(windowReady);
  EXPECT_FALSE(threadEnded());
  EXPECT_NE(MessageThreadId(), 0u);
  const auto info = headless::Info(graphWindow);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->title, "Graph window application");
  EXPECT_EQ(info->className, "NorvGraphWindow");
  EXPECT_EQ(info->style, WS_OVERLAPPEDWINDOW);
  EXPECT_EQ(info->width, 640);
  EXPECT_EQ(info->height, 480);
  EXPECT_FALSE(info->maximised);
  EXPECT_TRUE(info->shown);
  EXPECT_EQ(info->parent, nullptr);
  EXPECT_TRUE(AllBlack(shownPicture()));
  EXPECT_TRUE(BitmapAllBlack());
  EXPECT_EQ(DrawingWidthLocked(), 640);
  EXPECT_EQ(DrawingHeightLocked(), 480);
  EXPECT_EQ(GetPixel(320, 240), 0);
}

TEST_F(WindowTest, MaximisedModeOpensMaximised) {
  openMode(10, 246);
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_EQ(ExtraWindowStyle(), WS_MAXIMIZE);
  const auto info = headless::Info(graphWindow);
  ASSERT_TRUE(info);
  EXPECT_TRUE(info->maximised);
  EXPECT_EQ(info->style, WS_OVERLAPPEDWINDOW | WS_MAXIMIZE);
  EXPECT_EQ(info->width, 1920);
  EXPECT_EQ(info->height, 1017);
  EXPECT_EQ(GetMaxX(), 1919);
  EXPECT_EQ(GetMaxY(), 1016);
}

// Runs inside window creation, before the first paint.
std::atomic<bool> readyDuringCreation{true};
void DrawDuringCreation() {
  readyDuringCreation = windowReady.load();
  Graph.ViewPort.ClipPixels = false;
  DriverPutPixel(1, 1, 15);
  DriverDirectPutPixel(2, 2);  // would deadlock if it took the lock now
  DriverHLine(0, 100, 3);
  DriverVLine(4, 0, 100);
}

TEST_F(WindowTest, DrawingBeforeTheFirstPaintIsDropped) {
  WindowCreatedHook = DrawDuringCreation;
  open640x480x16();
  EXPECT_FALSE(readyDuringCreation);
  EXPECT_TRUE(BitmapAllBlack());
  EXPECT_TRUE(AllBlack(shownPicture()));
}

TEST_F(WindowTest, RepaintCopiesTheUncoveredPartFromTheBitmap) {
  open640x480x16();
  DrawToWindow = false;
  SetColor(14);
  for (int16_t y = 0; y < 100; ++y) DriverHLine(0, 199, y);
  EXPECT_EQ(shown(50, 50), 0u);
  ASSERT_TRUE(headless::Expose(graphWindow, RECT{10, 20, 30, 40}));
  ASSERT_TRUE(WaitFor([] { return shown(29, 39) != 0; }));
  EXPECT_EQ(shown(10, 20), RGB(252, 252, 84));
  EXPECT_EQ(shown(9, 20), 0u);
  EXPECT_EQ(shown(10, 19), 0u);
  EXPECT_EQ(shown(150, 50), 0u);
  ASSERT_TRUE(headless::Expose(graphWindow, RECT{0, 0, 640, 480}));
  ASSERT_TRUE(WaitFor([] { return shown(199, 99) != 0; }));
  EXPECT_EQ(shown(200, 99), 0u);
  EXPECT_TRUE(windowReady);
}

TEST_F(WindowTest, WhatIsUncoveredWhileAPaintWaitsForTheLockIsPaintedToo) {
  open640x480x16();
  DrawToWindow = false;
  SetColor(14);
  for (int16_t y = 0; y < 100; ++y) DriverHLine(0, 199, y);
  {
    std::lock_guard lock(graphLock);  // the paint of the first rectangle waits here
    ASSERT_TRUE(headless::Expose(graphWindow, RECT{10, 10, 20, 20}));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(headless::Expose(graphWindow, RECT{150, 80, 160, 90}));
  }
  EXPECT_TRUE(WaitFor([] { return shown(15, 15) != 0; }));
  EXPECT_TRUE(WaitFor([] { return shown(155, 85) != 0; }));
}

TEST_F(WindowTest, ClosingTheWindowEndsTheThreadButNotTheMode) {
  open640x480x16();
  PutPixel(5, 5, 15);
  const HWND window = graphWindow;
  ASSERT_TRUE(headless::Close(window));
  ASSERT_TRUE(WaitFor(threadEnded));
  EXPECT_EQ(MessageThreadExitCode(), 0u);
  EXPECT_FALSE(windowReady);
  EXPECT_FALSE(headless::Info(window));
  EXPECT_TRUE(Graph.IsGraphMode);
  {
    std::lock_guard lock(graphLock);
    EXPECT_FALSE(backingBitmap);
    EXPECT_EQ(windowSurface, nullptr);
  }
  // Drawing goes nowhere without complaint; reading reports the missing window.
  PutPixel(1, 1, 15);
  SetColor(15);
  DriverHLine(0, 100, 0);
  DriverVLine(0, 0, 100);
  DriverDirectPutPixel(3, 3);
  EXPECT_EQ(GraphResult(), grOk);
  GetPixel(5, 5);
  EXPECT_EQ(GraphResult(), grError);
  CloseGraph();
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_FALSE(Graph.IsGraphMode);
}

TEST_F(WindowTest, CloseGraphTearsDownOnceAndThenOnlyComplains) {
  open640x480x16();
  const HWND window = graphWindow;
  CloseGraph();
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_TRUE(threadEnded());
  EXPECT_EQ(MessageThreadId(), 0u);
  EXPECT_FALSE(Graph.IsGraphMode);
  EXPECT_FALSE(windowReady);
  EXPECT_FALSE(headless::Info(window));
  EXPECT_TRUE(currentPalette.empty());
  CloseGraph();
  EXPECT_EQ(GraphResult(), grNoInitGraph);
}

TEST_F(WindowTest, ASecondStartOpensANewWindowWithANewBitmap) {
  open640x480x16();
  PutPixel(7, 7, 15);
  const HWND first = graphWindow;
  CloseGraph();
  openMode(10, 259);
  ASSERT_EQ(GraphResult(), grOk);  // the class is not registered a second time
  EXPECT_NE(graphWindow, first);
  EXPECT_EQ(headless::Windows().size(), 1u);
  EXPECT_EQ(headless::Info(graphWindow)->width, 800);
  EXPECT_TRUE(BitmapAllBlack());
  EXPECT_EQ(GetPixel(7, 7), 0);
  EXPECT_EQ(currentPalette.size(), 256u);
}

TEST_F(WindowTest, SettingAModeAgainReplacesTheOpenWindow) {
  open640x480x16();
  const HWND first = graphWindow;
  SetGraphMode(1);  // 640 x 350 x 16
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_FALSE(headless::Info(first));
  EXPECT_EQ(headless::Windows().size(), 1u);
  EXPECT_EQ(headless::Info(graphWindow)->height, 350);
}

TEST_F(WindowTest, FailedWindowCreationIsReportedAndLeavesNoMode) {
  headless::FailWindowCreation(true);
  testing::internal::CaptureStderr();
  openMode(9, 2);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Window creation failed"), std::string::npos) << err;
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_FALSE(Graph.IsGraphMode);
  EXPECT_EQ(MessageThreadExitCode(), 1u);
  EXPECT_FALSE(windowReady);

  headless::FailWindowCreation(false);
  open640x480x16();
  EXPECT_TRUE(windowReady);
}

TEST_F(WindowTest, FrameWithChildWindow) {
  UseMainWindow = true;
  ChildMargins[0] = 3;
  ChildMargins[1] = 5;
  ChildMargins[2] = 7;
  ChildMargins[3] = 9;
  open640x480x16();
  ASSERT_NE(mainWindow, nullptr);
  const auto frame = headless::Info(mainWindow);
  const auto child = headless::Info(graphWindow);
  ASSERT_TRUE(frame && child);
  EXPECT_EQ(frame->className, "NorvGraphWindowMain");
  EXPECT_EQ(frame->title, "Graph window application");
  EXPECT_EQ(frame->style, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
  EXPECT_EQ(frame->width, 640 + 10);
  EXPECT_EQ(frame->height, 480 + 14);
  EXPECT_EQ(child->className, "NorvGraphWindowChild");
  EXPECT_EQ(child->parent, mainWindow);
  EXPECT_EQ(child->style, WS_CHILD);
  EXPECT_EQ(child->x, 3);
  EXPECT_EQ(child->y, 5);
  EXPECT_EQ(child->width, 640);
  EXPECT_EQ(child->height, 480);
  PutPixel(0, 0, 14);
  EXPECT_EQ(shown(0, 0), RGB(252, 252, 84));

  const HWND frameWindow = mainWindow;
  CloseGraph();
  EXPECT_FALSE(headless::Info(frameWindow));
  EXPECT_TRUE(headless::Windows().empty());
}

TEST_F(WindowTest, ClosingTheFrameEndsTheThread) {
  UseMainWindow = true;
  open640x480x16();
  ASSERT_TRUE(headless::Close(mainWindow));
  ASSERT_TRUE(WaitFor(threadEnded));
  EXPECT_FALSE(windowReady);
  EXPECT_TRUE(headless::Windows().empty());
}

std::atomic<int> closesAsked{0};
std::atomic<bool> letItClose{false};
bool CountClose() {
  ++closesAsked;
  return letItClose;
}

TEST_F(WindowTest, TheCloseRoutineDecidesWhetherTheUsersCloseEndsTheWindow) {
  WindowCloseHook = CountClose;
  for (const bool frame : {false, true}) {
    UseMainWindow = frame;
    closesAsked = 0;
    letItClose = false;
    open640x480x16();
    const HWND closed = frame ? mainWindow : graphWindow;
    ASSERT_TRUE(headless::Close(closed));
    ASSERT_TRUE(WaitFor([] { return closesAsked == 1; }));
    // Kept: still there and drawn in, after a message that comes after the close.
    ASSERT_TRUE(headless::Expose(graphWindow, RECT{0, 0, 1, 1}));
    PutPixel(3, 3, 14);
    EXPECT_EQ(shown(3, 3), RGB(252, 252, 84)) << frame;
    EXPECT_FALSE(threadEnded());

    letItClose = true;
    ASSERT_TRUE(headless::Close(closed));
    ASSERT_TRUE(WaitFor(threadEnded)) << frame;
    EXPECT_TRUE(headless::Windows().empty());
    CloseGraph();
  }
}

// Its window's size, place and outer size are tested through initwindow (tests/bgi).
TEST_F(WindowTest, ASizedModeIsRegisteredOnceForItsSizeAndOpensThatSize) {
  EXPECT_EQ(SizedWindowMode(0, 10), -1);
  EXPECT_EQ(SizedWindowMode(10, MaxSizedWindowSide + 1), -1);
  const int16_t mode = SizedWindowMode(333, 222);
  ASSERT_GE(mode, 300);
  EXPECT_EQ(SizedWindowMode(333, 222), mode);
  EXPECT_NE(SizedWindowMode(222, 333), mode);
  openMode(SizedWindowDriver, mode);
  ASSERT_EQ(GraphResult(), grOk);
  EXPECT_EQ(GetMaxX(), 332);
  EXPECT_EQ(GetMaxY(), 221);
  EXPECT_EQ(GetMaxColor(), 15);
  CloseGraph();
  StartGraphWindowDriver();  // the mode table as it was, for the tests after
}

}  // namespace
