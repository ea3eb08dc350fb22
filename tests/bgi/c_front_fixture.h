#pragma once
// The C front's tests: the in-memory display, each test ending without a graph mode, and
// a view of what the window shows.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

#include <graphics.h>

#include "classic_program.h"
#include "driver_state.h"
#include "graphwin/hooks.h"
#include "platform/headless/headless.h"
#include "testing/portable.h"
#include "window_thread.h"

namespace headless = platform::headless;

class CFrontTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::SetEnvironment("GRAPHWIN_BACKEND", "headless"); }
  void TearDown() override { end_graphics(); }

  static void start640x480() {
    int driver = VGA, mode = VGAHI;
    ASSERT_EQ(start_graphics(&driver, &mode), grOk);
    drain_keys();
  }
  static COLORREF shown(int x, int y) {
    std::lock_guard lock(graphLock);  // the message thread may be painting
    return headless::Pixel(headless::LastWindow(), x, y).value_or(0xFFFFFFFF);
  }
  // The window goes as the user's close makes it go in the driver's own programs: the C
  // front's close routine, which ends the program, is taken out of its slot first.
  static bool closeWindowAndGoOn(HWND window) {
    WindowCloseHook = nullptr;
    return headless::Close(window);
  }
  static bool windowEnded() {
    for (int i = 0; i < 2000 && MessageThreadExitCode() == STILL_ACTIVE; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return MessageThreadExitCode() != STILL_ACTIVE;
  }
};
