// The window's life cycle at its rough edges: a close from a hook followed by a new start,
// a loop that ends without a tear-down, hooks that draw, and a registration that fails
// half-way.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "headless_window.h"
#include "palette.h"
#include "pixels.h"
#include "win32.h"

namespace {

using LifecycleTest = HeadlessWindowTest;

// A hang is a failure too: ends the test program when body has not returned in time.
void WithinTime(const char* what, const std::function<void()>& body) {
  std::atomic<bool> done{false};
  std::thread watchdog([&] {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done) {
      if (std::chrono::steady_clock::now() > giveUp) {
        std::fprintf(stderr, "%s did not return within 20 s\n", what);
        std::_Exit(1);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  body();
  done = true;
  watchdog.join();
}

std::atomic<bool> closedByHook{false}, reopened{false}, hookReturned{false};

// Closes the graphics from the message thread and stays in the hook until the program's
// thread has opened a new window, or for half a second when the new start waits for it.
LRESULT CloseAndLinger(HWND, UINT message, WPARAM, LPARAM) {
  if (message != WM_KEYDOWN) return 0;
  CloseGraph();
  closedByHook = true;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
  while (!reopened && std::chrono::steady_clock::now() < until) std::this_thread::yield();
  hookReturned = true;
  return 0;
}

TEST_F(LifecycleTest, AStartRightAfterACloseFromAHookKeepsItsWindow) {
  open640x480x16();
  const MessageHook kept = KeyMessageHook;
  KeyMessageHook = CloseAndLinger;
  ASSERT_TRUE(headless::KeyDown(graphWindow, 'Q', 'q'));
  ASSERT_TRUE(WaitFor([] { return closedByHook.load(); }));
  open640x480x16();
  reopened = true;
  ASSERT_TRUE(WaitFor([] { return hookReturned.load(); }));
  KeyMessageHook = kept;
  // Time for a finishing thread to tear down what it still thinks is its window.
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(windowReady);
  EXPECT_EQ(MessageThreadExitCode(), STILL_ACTIVE);
  EXPECT_TRUE(headless::Info(graphWindow));
  PutPixel(3, 3, 14);
  EXPECT_EQ(GetPixel(3, 3), 14);
  EXPECT_EQ(shown(3, 3), RGB(252, 252, 84));
}

TEST_F(LifecycleTest, AQuitWithoutTearDownStillTearsTheWindowDown) {
  open640x480x16();
  ASSERT_TRUE(PostThreadMessage(MessageThreadId(), WM_QUIT, 0, 0));
  ASSERT_TRUE(WaitFor(threadEnded));
  EXPECT_FALSE(windowReady);
  EXPECT_TRUE(headless::Windows().empty());
  {
    std::lock_guard lock(graphLock);
    EXPECT_EQ(windowSurface, nullptr);
    EXPECT_FALSE(backingBitmap);
  }
  // Would write into the freed window surface if it were still in place.
  PutPixel(1, 1, 15);
  DriverHLine(0, 300, 2);
  GetPixel(1, 1);
  EXPECT_EQ(GraphResult(), grError);
}

// Calls that take the drawing lock, made while window creation holds it.
void UsePaletteDuringCreation() {
  GraphDefaults();
  SetRGBPalette(1, 255, 0, 0);
}

TEST_F(LifecycleTest, AWindowCreatedHookMayUseTheRoutinesThatTakeTheLock) {
  WindowCreatedHook = UsePaletteDuringCreation;
  WithinTime("InitGraph with a window-created hook that sets the palette", [] { openMode(9, 2); });
  EXPECT_EQ(GraphResult(), grOk);
  int16_t r = 0, g = 0, b = 0;
  GetRGBPalette(1, r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(b, 0);
}

std::atomic<bool> closed{false};
LRESULT CloseOnKey(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_KEYDOWN) {
    CloseGraph();
    closed = true;
  }
  return 0;
}

// The program's thread converts colours while a hook frees the palette; the thread
// sanitizer sees any access that the lock does not order.
TEST_F(LifecycleTest, ColorsAreConvertedSafelyWhileAHookClosesTheGraphics) {
  const MessageHook kept = KeyMessageHook;
  KeyMessageHook = CloseOnKey;
  for (int round = 0; round < 20; ++round) {
    open640x480x16();
    closed = false;
    ASSERT_TRUE(headless::KeyDown(graphWindow, 'Q', 'q'));
    // The driver's own routines: the layer's would stop the program once the mode is gone.
    int16_t r, g, b;
    for (int i = 0; !closed; ++i) {
      DriverPutPixel(int16_t(i % 640), 0, uint16_t(i % 16));
      DriverGetRGBPalette(int16_t(i % 16), r, g, b);
    }
    ASSERT_TRUE(WaitFor(threadEnded));
  }
  KeyMessageHook = kept;
  GraphResult();
}

LRESULT Unused(HWND, UINT, WPARAM, LPARAM) {
  return 0;
}

TEST_F(LifecycleTest, ARegistrationThatFailsHalfWayCanBeRetried) {
  UseMainWindow = true;
  // The child class's name taken by someone else makes the second registration fail.
  WNDCLASS other;
  other.lpfnWndProc = Unused;
  other.lpszClassName = "NorvGraphWindowChild";
  if (RegisterClass(other) == 0) GTEST_SKIP() << "the frame classes exist in this process";
  testing::internal::CaptureStderr();
  openMode(9, 2);
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Window registration failed"), std::string::npos) << err;
  EXPECT_EQ(GraphResult(), grError);

  ASSERT_TRUE(UnregisterClass("NorvGraphWindowChild"));
  open640x480x16();
  EXPECT_TRUE(windowReady);
  EXPECT_FALSE(UnregisterClass("NorvGraphWindowMain"));  // its window is open
}

}  // namespace
