#pragma once
// Set-up of the driver tests on the in-memory display: the driver started once per
// process, each test beginning and ending without a graph mode, and views of both
// surfaces.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "driver_state.h"
#include "graph/graph.h"
#include "graph_state.h"
#include "graphwin/driver.h"
#include "graphwin/hooks.h"
#include "headless/headless_snapshot.h"
#include "platform/headless/headless.h"
#include "testing/portable.h"
#include "window_thread.h"

namespace headless = platform::headless;

// Spins until done() holds; false if it still does not after a long grace period, so a
// fault fails the test instead of hanging it.
inline bool WaitFor(const std::function<bool()>& done) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::yield();
  }
  return true;
}

class HeadlessWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static const bool started = [] {
      testing_support::SetEnvironment("GRAPHWIN_BACKEND", "headless");
      StartGraphWindowDriver();
      return true;
    }();
    (void)started;
    if (Graph.IsGraphMode) CloseGraph();
    GraphResult();
  }

  void TearDown() override {
    if (Graph.IsGraphMode) CloseGraph();
    GraphResult();
    DrawToWindow = DrawToBitmap = true;
    UseMainWindow = false;
    for (int32_t& m : ChildMargins) m = 0;
    WindowCreatedHook = nullptr;
    WindowCloseHook = nullptr;
    GraphWindowPosition[0] = CW_USEDEFAULT;
    GraphWindowPosition[1] = 0;
    headless::FailWindowCreation(false);
  }

  // Sets a mode of the driver; the result code is left for the test.
  static void openMode(int16_t driver, int16_t mode) { InitGraph(driver, mode, ""); }
  static void open640x480x16() {
    openMode(9, 2);
    ASSERT_EQ(GraphResult(), grOk);
  }

  static COLORREF stored(int x, int y) {
    std::lock_guard lock(graphLock);
    return backingBitmap ? backingBitmap->pixel(x, y) : 0xFFFFFFFF;
  }
  static PixelSurface shownPicture() {
    std::lock_guard lock(graphLock);  // the message thread may be painting
    return headless::Snapshot(graphWindow);
  }
  static COLORREF shown(int x, int y) {
    std::lock_guard lock(graphLock);  // the message thread may be painting
    return headless::Pixel(graphWindow, x, y).value_or(0xFFFFFFFF);
  }
  // The points of row y (or column x) from a to b, both ends included, whose stored value
  // is not black; the window must show the same there.
  static std::vector<int> litInRow(int y, int a, int b) {
    std::vector<int> lit;
    for (int x = a; x <= b; ++x) {
      EXPECT_EQ(stored(x, y), shown(x, y)) << x << "," << y;
      if (stored(x, y) != 0) lit.push_back(x);
    }
    return lit;
  }
  static std::vector<int> rangeOf(int a, int b) {
    std::vector<int> r;
    for (int i = a; i <= b; ++i) r.push_back(i);
    return r;
  }
  static bool threadEnded() { return MessageThreadExitCode() != STILL_ACTIVE; }
};
