// The X11 display under an Xvfb of the test's own: what a window looks like to the server,
// what the server's events become, and that drawing shows without a further call.
// GoogleTest before Xlib, whose macros (None, Bool) would break it.
#include <gtest/gtest.h>

#include "testing/tsan_xlib.h"  // the server goes when the process ends
#include "testing/x11_close_button.h"
#include "testing/xvfb.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "backend.h"
#include "surface_fill.h"
#include "win32.h"
#include "x11/x11_image.h"

namespace {

using namespace std::chrono_literals;

// Waits for a condition the server reaches on its own time; false if it never does.
bool Eventually(const std::function<bool()>& condition) {
  const auto until = std::chrono::steady_clock::now() + 10s;
  while (std::chrono::steady_clock::now() < until) {
    if (condition()) return true;
    std::this_thread::sleep_for(2ms);
  }
  return condition();
}

struct Received {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  RECT update;
};
std::mutex receivedMutex;
std::vector<Received> received;

std::vector<Received> Snapshot() {
  std::lock_guard lock(receivedMutex);
  return received;
}

LRESULT TestProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Received r{msg, wParam, lParam, {}};
  if (msg == WM_PAINT) {
    GetUpdateRect(hwnd, &r.update, false);
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
  }
  {
    std::lock_guard lock(receivedMutex);
    received.push_back(r);
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  if (msg == WM_PAINT) return 0;
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

// A window on a message thread of its own, as the driver makes it.
class WindowThread {
 public:
  WindowThread(const char* title, DWORD style, int width, int height) {
    thread_ = std::thread([=, this] {
      static std::once_flag registered;
      std::call_once(registered, [] {
        WNDCLASS wc;
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = TestProc;
        wc.lpszClassName = "PlatformTestWindow";
        RegisterClass(wc);
      });
      HWND w = CreateWindowEx(0, "PlatformTestWindow", title, style, CW_USEDEFAULT, 0, width,
                              height, nullptr, nullptr, nullptr, nullptr);
      if (w != nullptr) {
        ShowWindow(w, SW_SHOW);
        UpdateWindow(w);
      }
      hwnd_ = w;
      created_ = true;
      if (w == nullptr) return;
      MSG msg;
      int r;
      while ((r = GetMessage(&msg, nullptr, 0, 0)) == 1) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
      }
      result_ = r;
    });
    while (!created_) std::this_thread::yield();
  }
  ~WindowThread() {
    if (hwnd_ != nullptr && thread_.joinable()) PostMessage(hwnd_, WM_CLOSE, 0, 0);
    if (thread_.joinable()) thread_.join();
  }
  HWND hwnd() const { return hwnd_; }
  void join() { thread_.join(); }
  int result() const { return result_; }

 private:
  std::thread thread_;
  std::atomic<bool> created_{false};
  std::atomic<HWND> hwnd_{nullptr};
  std::atomic<int> result_{99};
};

class X11Window : public testing_support::XvfbTest {
 protected:
  void SetUp() override {
    testing_support::XvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    setenv("GRAPHWIN_BACKEND", "x11", 1);
    ASSERT_NE(platform::CurrentBackend(), nullptr);
    ASSERT_STREQ(platform::CurrentBackend()->name(), "x11");
    display_ = XOpenDisplay(server().display().c_str());
    ASSERT_NE(display_, nullptr);
    std::lock_guard lock(receivedMutex);
    received.clear();
  }
  void TearDown() override {
    if (display_ != nullptr) XCloseDisplay(display_);
  }

  // The top-level X window with this title, 0 when there is none.
  Window findByTitle(const char* title) {
    Window root = DefaultRootWindow(display_), parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (!XQueryTree(display_, root, &root, &parent, &children, &count)) return 0;
    for (unsigned i = 0; i < count && found == 0; ++i) {
      char* name = nullptr;
      if (XFetchName(display_, children[i], &name) && name != nullptr) {
        if (std::strcmp(name, title) == 0) found = children[i];
        XFree(name);
      }
    }
    if (children != nullptr) XFree(children);
    return found;
  }

  bool viewable(Window w) {
    XWindowAttributes a;
    return XGetWindowAttributes(display_, w, &a) && a.map_state == IsViewable;
  }

  unsigned long pixelAt(Window w, int x, int y) {
    XImage* image = XGetImage(display_, w, x, y, 1, 1, AllPlanes, ZPixmap);
    if (image == nullptr) return ~0ul;
    const unsigned long p = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return p;
  }

  bool saw(UINT message, WPARAM wParam) {
    for (auto& r : Snapshot())
      if (r.message == message && r.wParam == wParam) return true;
    return false;
  }

  Display* display_ = nullptr;
};

TEST_F(X11Window, MetricsWithoutAWindowManager) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
  EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CYFRAME), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 1920);
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 1080);
  EXPECT_EQ(GetSystemMetrics(SM_MOUSEPRESENT), 1);
}

TEST_F(X11Window, TitleClassAndClientSize) {
  WindowThread wt("Graph window \xE4pplication", WS_OVERLAPPEDWINDOW, 640, 480);
  ASSERT_NE(wt.hwnd(), nullptr);
  Window w = 0;
  ASSERT_TRUE(Eventually([&] { return (w = findByTitle("Graph window \xE4pplication")) != 0; }));
  ASSERT_TRUE(Eventually([&] { return viewable(w); }));
  XWindowAttributes a;
  ASSERT_TRUE(XGetWindowAttributes(display_, w, &a));
  EXPECT_EQ(a.width, 640);
  EXPECT_EQ(a.height, 480);

  XClassHint hint{};
  ASSERT_TRUE(XGetClassHint(display_, w, &hint));
  EXPECT_STREQ(hint.res_class, "PlatformTestWindow");
  XFree(hint.res_name);
  XFree(hint.res_class);

  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(display_, w, XInternAtom(display_, "_NET_WM_NAME", False), 0, 64,
                               False, XInternAtom(display_, "UTF8_STRING", False), &type, &format,
                               &count, &after, &data),
            Success);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), count), "Graph window \xC3\xA4pplication");
  XFree(data);

  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(display_, w, &hints, &supplied));
  EXPECT_TRUE(hints.flags & PMinSize);
  EXPECT_EQ(hints.min_width, 640);
  EXPECT_EQ(hints.max_height, 480);
}

TEST_F(X11Window, MaximisedWindowAsksTheWindowManagerForIt) {
  WindowThread wt("Maximised", WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, 10, 10);
  Window w = 0;
  ASSERT_TRUE(Eventually([&] { return (w = findByTitle("Maximised")) != 0; }));
  XWindowAttributes a;
  ASSERT_TRUE(XGetWindowAttributes(display_, w, &a));
  EXPECT_EQ(a.width, GetSystemMetrics(SM_CXFULLSCREEN));
  EXPECT_EQ(a.height, GetSystemMetrics(SM_CYFULLSCREEN));
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  ASSERT_EQ(XGetWindowProperty(display_, w, XInternAtom(display_, "_NET_WM_STATE", False), 0, 8,
                               False, XA_ATOM, &type, &format, &count, &after, &data),
            Success);
  ASSERT_NE(data, nullptr);
  std::vector<Atom> state(reinterpret_cast<Atom*>(data), reinterpret_cast<Atom*>(data) + count);
  XFree(data);
  EXPECT_EQ(state,
            (std::vector<Atom>{XInternAtom(display_, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                               XInternAtom(display_, "_NET_WM_STATE_MAXIMIZED_HORZ", False)}));
}

// The server says when it has read each block put from shared memory, oldest first; only
// then do the block's lines leave the caches (x11/cache_lines.h).
TEST_F(X11Window, TheServerSaysWhenItHasReadEachBlockPut) {
  platform::x11::Connection connection;
  connection.display = display_;
  connection.screen = DefaultScreen(display_);
  connection.root = DefaultRootWindow(display_);
  connection.visual = DefaultVisual(display_, connection.screen);
  connection.depth = DefaultDepth(display_, connection.screen);
  std::lock_guard lock(connection.mutex);
  platform::x11::FrameImage image(connection, 64, 32);
  ASSERT_TRUE(image.shared());
  const Window window = XCreateSimpleWindow(display_, connection.root, 0, 0, 64, 32, 0, 0, 0);
  GC gc = XCreateGC(display_, window, 0, nullptr);
  image.view().fill(0, 0, 64, 32, RGB(255, 0, 0));
  image.put(window, gc, 0, 0, 64, 16);
  image.put(window, gc, 0, 16, 64, 16);
  EXPECT_EQ(image.unread(), 2u);
  XClientMessageEvent other{};  // any other event is left to the reader
  other.type = ClientMessage;
  other.window = window;
  other.format = 32;
  XSendEvent(display_, window, False, NoEventMask, reinterpret_cast<XEvent*>(&other));
  XSync(display_, False);  // the server has read both blocks and said so
  int words = 0, others = 0;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    image.noteRead(event) ? ++words : ++others;
  }
  EXPECT_EQ(words, 2);
  EXPECT_EQ(others, 1);
  EXPECT_EQ(image.unread(), 0u);
  XFreeGC(display_, gc);
  XDestroyWindow(display_, window);
}

TEST_F(X11Window, DrawingShowsWithoutAFurtherCall) {
  WindowThread wt("Drawing", WS_OVERLAPPEDWINDOW, 200, 100);
  Window w = 0;
  ASSERT_TRUE(Eventually([&] { return (w = findByTitle("Drawing")) != 0 && viewable(w); }));
  WindowSurface* dc = GetDC(wt.hwnd());
  ASSERT_NE(dc, nullptr);
  std::recursive_timed_mutex drawing;
  dc->drawUnder(drawing);
  {
    std::lock_guard lock(drawing);
    // Rows of one colour one under the other, then a lone pixel, then a block copy.
    for (int y = 10; y < 30; ++y) FillAndPresent(*dc, 5, y, 50, 1, RGB(255, 0, 0));
    dc->pixels().setPixel(150, 50, RGB(0, 255, 0));
    dc->present(150, 50, 1, 1);
    PixelSurface bitmap(200, 100);
    for (int y = 60; y < 100; ++y)
      for (int x = 100; x < 200; ++x) bitmap.setPixel(x, y, RGB(x, y, 7));
    dc->pixels().copyFrom(bitmap, 100, 60, 101, 41);  // one more than fits, as a repaint asks
    dc->present(100, 60, 101, 41);
  }
  EXPECT_TRUE(Eventually([&] { return pixelAt(w, 54, 29) == 0xFF0000; }));
  EXPECT_EQ(pixelAt(w, 55, 29), 0u);
  EXPECT_EQ(pixelAt(w, 54, 30), 0u);
  EXPECT_TRUE(Eventually([&] { return pixelAt(w, 150, 50) == 0x00FF00; }));
  EXPECT_TRUE(Eventually([&] { return pixelAt(w, 199, 99) == ((199u << 16) | (99u << 8) | 7u); }));
  std::lock_guard lock(drawing);
  EXPECT_EQ(dc->pixels().pixel(54, 29), RGB(255, 0, 0));
  EXPECT_EQ(dc->pixels().pixel(120, 70), RGB(120, 70, 7));
}

TEST_F(X11Window, DrawingShowsWhileItGoesOnAndAgainAfterAPause) {
  WindowThread wt("Stream", WS_OVERLAPPEDWINDOW, 200, 100);
  Window w = 0;
  ASSERT_TRUE(Eventually([&] { return (w = findByTitle("Stream")) != 0 && viewable(w); }));
  WindowSurface* dc = GetDC(wt.hwnd());
  ASSERT_NE(dc, nullptr);
  std::recursive_timed_mutex drawing;
  dc->drawUnder(drawing);
  // Rows without a pause for longer than the wait below, each under a hold of the drawing
  // lock of its own, as the driver's routines take it: the first shows while they go on.
  std::atomic<bool> shown{false};
  std::thread drawer([&] {
    const auto until = std::chrono::steady_clock::now() + 20s;
    for (int i = 0; !shown && std::chrono::steady_clock::now() < until; ++i) {
      std::lock_guard lock(drawing);
      FillAndPresent(*dc, 0, i % 90, 200, 1, RGB(255, 0, 0));
    }
  });
  EXPECT_TRUE(Eventually([&] { return pixelAt(w, 199, 0) == 0xFF0000; }));
  shown = true;
  drawer.join();
  // Then nothing for a while, and a lone pixel: no further call is needed for it either.
  std::this_thread::sleep_for(20ms);
  {
    std::lock_guard lock(drawing);
    dc->pixels().setPixel(150, 95, RGB(0, 255, 0));
    dc->present(150, 95, 1, 1);
  }
  EXPECT_TRUE(Eventually([&] { return pixelAt(w, 150, 95) == 0x00FF00; }));
}

TEST_F(X11Window, ExposeAsksForAPaintOfItsRectangle) {
  WindowThread wt("Expose", WS_OVERLAPPEDWINDOW, 300, 200);
  Window w = 0;
  ASSERT_TRUE(Eventually([&] { return (w = findByTitle("Expose")) != 0 && viewable(w); }));
  // The window's first exposure may still be on its way and join the rectangle; a later
  // one stands alone.
  RECT update{};
  for (int attempt = 0; attempt < 5; ++attempt) {
    {
      std::lock_guard lock(receivedMutex);
      received.clear();
    }
    XClearArea(display_, w, 10, 20, 30, 40, True);
    XFlush(display_);
    ASSERT_TRUE(Eventually([&] {
      for (auto& r : Snapshot())
        if (r.message == WM_PAINT) return true;
      return false;
    }));
    for (auto& r : Snapshot())
      if (r.message == WM_PAINT) update = r.update;
    if (update.right - update.left == 30) break;
  }
  EXPECT_EQ(update.left, 10);
  EXPECT_EQ(update.top, 20);
  EXPECT_EQ(update.right, 40);
  EXPECT_EQ(update.bottom, 60);
}

TEST_F(X11Window, KeysAndButtonsBecomeMessages) {
  WindowThread wt("Input", WS_OVERLAPPEDWINDOW, 300, 200);
  Window w = 0;
  ASSERT_TRUE(Eventually([&] { return (w = findByTitle("Input")) != 0 && viewable(w); }));
  XSetInputFocus(display_, w, RevertToParent, CurrentTime);
  XWarpPointer(display_, None, w, 0, 0, 0, 0, 25, 35);
  XSync(display_, False);
  auto key = [&](KeySym sym) {
    const KeyCode code = XKeysymToKeycode(display_, sym);
    XTestFakeKeyEvent(display_, code, True, 0);
    XTestFakeKeyEvent(display_, code, False, 0);
  };
  key(XK_a);
  key(XK_Right);
  key(XK_F1);
  key(XK_Return);
  XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_Shift_L), True, 0);
  key(XK_b);
  XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_Shift_L), False, 0);
  XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_Control_L), True, 0);
  key(XK_c);
  XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_Control_L), False, 0);
  key(XK_comma);
  key(XK_KP_8);  // Num Lock off: the cursor key
  key(XK_KP_5);  // Num Lock off: the centre key
  key(XK_Num_Lock);
  key(XK_KP_8);  // Num Lock on: the digit
  key(XK_Num_Lock);
  XTestFakeButtonEvent(display_, 1, True, 0);
  XTestFakeButtonEvent(display_, 1, False, 0);
  XTestFakeButtonEvent(display_, 3, True, 0);
  XSync(display_, False);
  ASSERT_TRUE(Eventually([&] { return saw(WM_RBUTTONDOWN, 0x0002); }));

  std::vector<std::pair<UINT, WPARAM>> keys;
  LPARAM click = 0;
  for (auto& r : Snapshot()) {
    if (r.message >= WM_KEYDOWN && r.message <= WM_CHAR) keys.push_back({r.message, r.wParam});
    if (r.message == WM_LBUTTONDOWN) click = r.lParam;
  }
  std::vector<std::pair<UINT, WPARAM>> want{
      {WM_KEYDOWN, 'A'},        {WM_CHAR, 'a'},          {WM_KEYUP, 'A'},
      {WM_KEYDOWN, VK_RIGHT},   {WM_KEYUP, VK_RIGHT},    {WM_KEYDOWN, VK_F1},
      {WM_KEYUP, VK_F1},        {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, '\r'},
      {WM_KEYUP, VK_RETURN},    {WM_KEYDOWN, VK_SHIFT},  {WM_KEYDOWN, 'B'},
      {WM_CHAR, 'B'},           {WM_KEYUP, 'B'},         {WM_KEYUP, VK_SHIFT},
      {WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'C'},       {WM_CHAR, 3},
      {WM_KEYUP, 'C'},          {WM_KEYUP, VK_CONTROL},  {WM_KEYDOWN, 0xBC},
      {WM_CHAR, ','},           {WM_KEYUP, 0xBC},        {WM_KEYDOWN, VK_UP},
      {WM_KEYUP, VK_UP},        {WM_KEYDOWN, VK_CLEAR},  {WM_KEYUP, VK_CLEAR},
      {WM_KEYDOWN, 0x90},       {WM_KEYUP, 0x90},        {WM_KEYDOWN, 0x68},
      {WM_CHAR, '8'},           {WM_KEYUP, 0x68},        {WM_KEYDOWN, 0x90},
      {WM_KEYUP, 0x90}};
  EXPECT_EQ(keys, want);
  EXPECT_EQ(click, LPARAM(25 | (35 << 16)));
  EXPECT_TRUE(saw(WM_LBUTTONUP, 0));
}

TEST_F(X11Window, HeldKeyRepeatsAsKeyDowns) {
  WindowThread wt("Repeat", WS_OVERLAPPEDWINDOW, 100, 100);
  Window w = 0;
  ASSERT_TRUE(Eventually([&] { return (w = findByTitle("Repeat")) != 0 && viewable(w); }));
  XSetInputFocus(display_, w, RevertToParent, CurrentTime);
  XAutoRepeatOn(display_);
  const KeyCode code = XKeysymToKeycode(display_, XK_Left);
  XTestFakeKeyEvent(display_, code, True, 0);
  XSync(display_, False);
  auto downs = [&] {
    int n = 0;
    for (auto& r : Snapshot()) n += r.message == WM_KEYDOWN && r.wParam == VK_LEFT;
    return n;
  };
  const bool repeated = Eventually([&] { return downs() >= 3; });
  XTestFakeKeyEvent(display_, code, False, 0);
  XSync(display_, False);
  if (!repeated) GTEST_SKIP() << "this X server does not repeat keys";
  ASSERT_TRUE(Eventually([&] { return saw(WM_KEYUP, VK_LEFT); }));
  int ups = 0;
  for (auto& r : Snapshot()) ups += r.message == WM_KEYUP;
  EXPECT_EQ(ups, 1);  // one release at the end, none between the repeats
}

TEST_F(X11Window, CloseButtonDestroysTheWindowAndEndsItsLoop) {
  WindowThread wt("Closing", WS_OVERLAPPEDWINDOW, 100, 100);
  Window w = 0;
  ASSERT_TRUE(Eventually([&] { return (w = findByTitle("Closing")) != 0 && viewable(w); }));
  testing_support::PressCloseButton(display_, w);
  wt.join();
  EXPECT_EQ(wt.result(), 0);
  EXPECT_TRUE(saw(WM_CLOSE, 0));
  EXPECT_TRUE(saw(WM_DESTROY, 0));
  EXPECT_TRUE(Eventually([&] { return findByTitle("Closing") == 0; }));
}

}  // namespace
