// The X server goes away under a window that is being drawn on: the window's loop ends,
// the process does not.
#include <gtest/gtest.h>

#include "testing/tsan_xlib.h"
#include "testing/xvfb.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "backend.h"
#include "surface_fill.h"
#include "win32.h"

namespace {

// Stands in for the driver's lock and ready flag: drawing only while the window lives.
std::recursive_timed_mutex drawLock;
bool windowLive = false;
std::atomic<int> destroys{0};

LRESULT Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    std::lock_guard lock(drawLock);
    windowLive = true;
  }
  if (msg == WM_DESTROY) {
    {
      std::lock_guard lock(drawLock);
      windowLive = false;
    }
    ++destroys;
    PostQuitMessage(0);
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

TEST(X11Lost, LosingTheServerEndsTheLoopNotTheProcess) {
  if (!testing_support::XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed";
  testing_support::XvfbServer server("640x480x24");
  ASSERT_TRUE(server.ok());
  setenv("DISPLAY", server.display().c_str(), 1);
  setenv("GRAPHWIN_BACKEND", "x11", 1);
  ASSERT_NE(platform::CurrentBackend(), nullptr);

  std::atomic<HWND> window{nullptr};
  std::atomic<bool> created{false};
  int first = 99, second = 99;
  std::thread loop([&] {
    WNDCLASS wc;
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = "LostTest";
    RegisterClass(wc);
    HWND w = CreateWindowEx(0, "LostTest", "Lost", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, 320, 240,
                            nullptr, nullptr, nullptr, nullptr);
    ShowWindow(w, SW_SHOW);
    UpdateWindow(w);
    window = w;
    created = true;
    MSG msg;
    while ((first = GetMessage(&msg, nullptr, 0, 0)) == 1) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
    second = GetMessage(&msg, nullptr, 0, 0);
  });
  while (!created) std::this_thread::yield();
  ASSERT_NE(window.load(), nullptr);

  std::atomic<bool> stop{false};
  std::thread drawer([&] {
    WindowSurface* dc = GetDC(window);
    dc->drawUnder(drawLock);
    for (int i = 0; !stop; ++i) {
      std::lock_guard lock(drawLock);
      if (!windowLive) continue;
      FillAndPresent(*dc, i % 300, (i / 300) % 220, 20, 20, RGB(i & 255, 0, 0));
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  server.killServer();
  loop.join();
  stop = true;
  drawer.join();

  EXPECT_EQ(first, 0);    // the window's own quit
  EXPECT_EQ(second, -1);  // and then the loop has nothing left to wait for
  EXPECT_EQ(destroys, 1);
  EXPECT_FALSE(PostMessage(window, WM_CLOSE, 0, 0));
  // Still alive, and a new window simply fails.
  EXPECT_EQ(CreateWindowEx(0, "LostTest", "Again", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, 100, 100,
                           nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
}

}  // namespace
