// The window core on the real Windows desktop: who owns a window, a window uncovered, and
// the keyboard's messages as Windows sends them.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "desktop.h"
#include "win32.h"

namespace desktop = testing_support::desktop;

namespace {

using Clock = std::chrono::steady_clock;

struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  uint32_t thread;  // the real Windows thread that handled it
};

std::mutex seenMutex;
std::vector<Seen> seen;

std::vector<Seen> SeenSoFar() {
  std::lock_guard lock(seenMutex);
  return seen;
}

LRESULT RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  {
    std::lock_guard lock(seenMutex);
    seen.push_back({message, wParam, lParam, desktop::ThisThread()});
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProc(hwnd, message, wParam, lParam);
}

constexpr char Class[] = "Win32BackendTest";

bool WaitFor(const std::function<bool()>& done) {
  const auto until = Clock::now() + std::chrono::seconds(5);
  while (!done()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// A core window of the given client size on a thread of its own, which runs its message
// loop until the window is destroyed.
class TestWindow {
 public:
  TestWindow(const char* title, int width, int height) {
    static const bool registered = RegisterClass(WNDCLASS{0, RecordingProc, nullptr, Class}) != 0;
    EXPECT_TRUE(registered);
    {
      std::lock_guard lock(seenMutex);
      seen.clear();
    }
    std::promise<HWND> made;
    thread_ = std::thread([&, title, width, height] {
      thread_id_ = desktop::ThisThread();
      const int frameX = GetSystemMetrics(SM_CXFRAME), frameY = GetSystemMetrics(SM_CYFRAME);
      HWND hwnd = CreateWindowEx(0, Class, title, WS_OVERLAPPEDWINDOW, 40, 40, width + 2 * frameX,
                                 height + 2 * frameY + GetSystemMetrics(SM_CYCAPTION), nullptr,
                                 nullptr, nullptr, nullptr);
      made.set_value(hwnd);
      if (hwnd == nullptr) return;
      ShowWindow(hwnd, SW_SHOW);
      UpdateWindow(hwnd);
      MSG msg;
      while (GetMessage(&msg, nullptr, 0, 0) == 1) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
    });
    hwnd_ = made.get_future().get();
    native_ = desktop::FindWindowTitled(title);
  }
  ~TestWindow() {
    if (native_ != 0 && desktop::Exists(native_)) desktop::PostClose(native_);
    thread_.join();
  }
  HWND hwnd() const { return hwnd_; }
  desktop::NativeHandle native() const { return native_; }
  uint32_t threadId() const { return thread_id_; }

 private:
  HWND hwnd_ = nullptr;
  desktop::NativeHandle native_ = 0;
  uint32_t thread_id_ = 0;
  std::thread thread_;
};

TEST(Win32Backend, WindowLivesOnTheUiThreadAndItsMessagesReachTheThreadThatMadeIt) {
  desktop::NativeHandle native;
  uint32_t maker;
  {
    TestWindow window("bgigraph test: ownership", 200, 120);
    ASSERT_NE(window.hwnd(), nullptr);
    ASSERT_NE(window.native(), 0u);
    native = window.native();
    maker = window.threadId();
    // The real window belongs to the backend's own thread, which runs its message loop.
    EXPECT_NE(desktop::OwnerThread(native), maker);
    EXPECT_NE(desktop::OwnerThread(native), desktop::ThisThread());
    // The close button's message goes to the core, on the thread that made the window; its
    // default handling destroys the window, and the real one with it.
    desktop::PostClose(native);
    ASSERT_TRUE(WaitFor([&] { return !desktop::Exists(native); }));
  }
  bool closeSeen = false, destroySeen = false;
  for (const Seen& s : SeenSoFar()) {
    if (s.message == WM_CLOSE || s.message == WM_DESTROY) {
      EXPECT_EQ(s.thread, maker);
    }
    closeSeen |= s.message == WM_CLOSE;
    destroySeen |= s.message == WM_DESTROY;
  }
  EXPECT_TRUE(closeSeen);
  EXPECT_TRUE(destroySeen);
}

TEST(Win32Backend, DrawingReachesTheWindowAtOnceAndAnUncoveredWindowIsPaintedAgain) {
  TestWindow window("bgigraph test: covering", 160, 100);
  ASSERT_NE(window.native(), 0u);
  WindowSurface* surface = GetDC(window.hwnd());
  ASSERT_NE(surface, nullptr);
  std::recursive_timed_mutex drawing;
  surface->drawUnder(drawing);
  const COLORREF red = RGB(200, 30, 40);
  {
    std::lock_guard lock(drawing);
    surface->pixels().fill(0, 0, 160, 100, red);
    surface->present(0, 0, 160, 100);
  }
  // No further call: the backend shows it by itself.
  ASSERT_TRUE(WaitFor([&] { return desktop::PixelOf(window.native(), 80, 50) == red; }));

  desktop::CoverAndUncover(window.native());
  EXPECT_TRUE(WaitFor([&] { return desktop::PixelOf(window.native(), 80, 50) == red; }));
  // Where Windows asks for a repaint (a desktop that keeps no copy of covered windows), the
  // window paints from its surface and its owner hears of it, as on Linux.
  const size_t before = SeenSoFar().size();
  desktop::Invalidate(window.native());
  EXPECT_TRUE(WaitFor([&] {
    const std::vector<Seen> now = SeenSoFar();
    for (size_t i = before; i < now.size(); ++i)
      if (now[i].message == WM_PAINT) return true;
    return false;
  }));
  EXPECT_EQ(desktop::PixelOf(window.native(), 80, 50), red);
}

// The key messages the window's procedure received, in order, without the characters'.
std::vector<Seen> KeyMessages() {
  std::vector<Seen> keys;
  for (const Seen& s : SeenSoFar())
    if (s.message >= WM_KEYDOWN && s.message <= WM_SYSCHAR) keys.push_back(s);
  return keys;
}

TEST(Win32Backend, KeysArriveAsWindowsSendsThem) {
  TestWindow window("bgigraph test: keys", 160, 100);
  ASSERT_NE(window.native(), 0u);
  ASSERT_TRUE(desktop::MakeForeground(window.native()));

  desktop::Key(VK_LEFT, true);
  desktop::Key(VK_LEFT, false);
  desktop::Key('A', true);
  desktop::Key('A', false);
  desktop::Key(VK_MENU, true);
  desktop::Key(VK_F1, true);
  desktop::Key(VK_F1, false);
  desktop::Key(VK_MENU, false);
  ASSERT_TRUE(WaitFor([] {
    const std::vector<Seen> keys = KeyMessages();
    return !keys.empty() && keys.back().wParam == VK_MENU &&
           (keys.back().message == WM_KEYUP || keys.back().message == WM_SYSKEYUP);
  }));

  const std::vector<Seen> keys = KeyMessages();
  std::vector<std::pair<UINT, WPARAM>> got;
  for (const Seen& s : keys) got.emplace_back(s.message, s.wParam);
  // An arrow has no character; a letter's comes from TranslateMessage between its press
  // and its release; with Alt held, keys are system keys.
  const std::vector<std::pair<UINT, WPARAM>> want = {
      {WM_KEYDOWN, VK_LEFT},  {WM_KEYUP, VK_LEFT},  {WM_KEYDOWN, 'A'},
      {WM_CHAR, 'a'},         {WM_KEYUP, 'A'},      {WM_SYSKEYDOWN, VK_MENU},
      {WM_SYSKEYDOWN, VK_F1}, {WM_SYSKEYUP, VK_F1}, {WM_KEYUP, VK_MENU}};
  EXPECT_EQ(got, want);
  for (const Seen& s : keys) {
    // The lParam is Windows' own: a repeat count of 1, the scan code, and bit 29 set
    // exactly for the keys pressed with Alt.
    EXPECT_EQ(s.lParam & 0xFFFF, 1) << std::hex << s.message;
    if (s.message == WM_SYSKEYDOWN && s.wParam == VK_F1) {
      EXPECT_NE(s.lParam & (1 << 29), 0);
    }
    if (s.wParam == VK_LEFT) {
      EXPECT_NE(s.lParam & (1 << 24), 0);  // an extended key
    }
  }
}

}  // namespace
