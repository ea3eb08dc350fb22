// The driver on a real X server (an Xvfb of the test's own): what a second connection sees
// of the window, and input sent with XTest reaching the hook slots.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "driver_state.h"
#include "graph/driver_interface.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "graphwin/hooks.h"
#include "testing/tsan_xlib.h"  // the server goes when the process ends
#include "testing/x11_close_button.h"
#include "testing/xvfb.h"
#include "window_thread.h"

// Xlib last: its macros would clash with names above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace {

bool WaitFor(const std::function<bool()>& done) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

std::mutex seenLock;
std::vector<std::pair<UINT, WPARAM>> seen;

LRESULT Record(HWND, UINT message, WPARAM wParam, LPARAM) {
  std::lock_guard lock(seenLock);
  seen.push_back({message, wParam});
  return 0;
}

std::vector<std::pair<UINT, WPARAM>> Seen() {
  std::lock_guard lock(seenLock);
  return seen;
}

// The mouse messages with their positions.
struct MouseSeen {
  UINT message;
  WPARAM held;
  int x, y;
  bool operator==(const MouseSeen&) const = default;
};
std::vector<MouseSeen> mouseSeen;

LRESULT RecordMouse(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
  std::lock_guard lock(seenLock);
  mouseSeen.push_back(
      {message, wParam, int(int16_t(lParam & 0xFFFF)), int(int16_t((lParam >> 16) & 0xFFFF))});
  return 0;
}

std::vector<MouseSeen> MouseSeenSoFar() {
  std::lock_guard lock(seenLock);
  return mouseSeen;
}

// The test's own view of the server, on a connection of its own.
class Observer {
 public:
  Observer() : dpy_(XOpenDisplay(getenv("DISPLAY"))) {}
  ~Observer() {
    if (dpy_) XCloseDisplay(dpy_);
  }
  Display* dpy() const { return dpy_; }

  // The viewable top-level window with this title, or 0.
  Window findWindow(const std::string& title) {
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(dpy_, DefaultRootWindow(dpy_), &root, &parent, &children, &count)) {
      for (unsigned i = 0; i < count && !found; ++i) {
        char* name = nullptr;
        XWindowAttributes a{};
        if (XFetchName(dpy_, children[i], &name) && name) {
          if (title == name && XGetWindowAttributes(dpy_, children[i], &a) &&
              a.map_state == IsViewable)
            found = children[i];
          XFree(name);
        }
      }
      if (children) XFree(children);
    }
    return found;
  }

  // The window's pixel as 0x00BBGGRR, or ~0 when it cannot be read.
  COLORREF pixel(Window w, int x, int y) {
    XImage* image = XGetImage(dpy_, w, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return ~0u;
    const unsigned long v = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return RGB(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v));
  }
  bool allBlack(Window w, int width, int height) {
    XImage* image = XGetImage(dpy_, w, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image) return false;
    bool black = true;
    for (int y = 0; y < height && black; ++y)
      for (int x = 0; x < width && black; ++x) black = (XGetPixel(image, x, y) & 0xFFFFFF) == 0;
    XDestroyImage(image);
    return black;
  }
  void pointerTo(Window w, int x, int y) {
    int rx, ry;
    Window child;
    XTranslateCoordinates(dpy_, w, DefaultRootWindow(dpy_), x, y, &rx, &ry, &child);
    XTestFakeMotionEvent(dpy_, -1, rx, ry, 0);
    XSync(dpy_, False);
  }

 private:
  Display* dpy_;
};

class X11DriverTest : public testing_support::XvfbTest {
 protected:
  void SetUp() override {
    XvfbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    setenv("GRAPHWIN_BACKEND", "x11", 1);
    static const bool started = [] {
      StartGraphWindowDriver();
      return true;
    }();
    (void)started;
    ASSERT_NE(observer.dpy(), nullptr);
  }
  void TearDown() override {
    if (LayerState().IsGraphMode) CloseGraph();
    GraphResult();
    DrawToWindow = true;
    GraphWindowTitle = "Graph window application";
  }
  // Opens the 640 x 480 x 16 mode under a title of the test's own; the X window or 0.
  Window openMode(const std::string& title) {
    GraphWindowTitle = title;
    int16_t driver = 9, mode = 2;
    InitGraph(driver, mode, "");
    EXPECT_EQ(GraphResult(), grOk);
    Window w = 0;
    EXPECT_TRUE(WaitFor([&] { return (w = observer.findWindow(title)) != 0; }));
    return w;
  }
  Observer observer;
};

TEST_F(X11DriverTest, WindowHasItsTitleSizeAndBlackStart) {
  const Window w = openMode("Graph window application");
  ASSERT_NE(w, 0u);
  XWindowAttributes a{};
  ASSERT_TRUE(XGetWindowAttributes(observer.dpy(), w, &a));
  EXPECT_EQ(a.width, 640);
  EXPECT_EQ(a.height, 480);
  EXPECT_TRUE(observer.allBlack(w, 640, 480));
}

TEST_F(X11DriverTest, DrawingReachesTheServerWithoutAFurtherCall) {
  const Window w = openMode("drawing");
  ASSERT_NE(w, 0u);
  SetFillStyle(SolidFill, 14);
  Bar(100, 100, 199, 149);
  PutPixel(600, 400, 4);
  EXPECT_TRUE(WaitFor([&] { return observer.pixel(w, 150, 120) == RGB(252, 252, 84); }));
  EXPECT_TRUE(WaitFor([&] { return observer.pixel(w, 600, 400) == RGB(168, 0, 0); }));
  EXPECT_EQ(observer.pixel(w, 99, 99), 0u);
  EXPECT_EQ(observer.pixel(w, 200, 150), 0u);
}

// A picture over a coloured background in one write mode: runs both ways, steep and flat
// lines (pixel by pixel) and crossings, so that each pixel is combined with what is there.
void DrawPictureIn(uint16_t mode) {
  SetWriteMode(NormalPut);
  SetFillStyle(SolidFill, 3);
  Bar(0, 0, 639, 479);
  SetFillStyle(SolidFill, 12);
  Bar(200, 100, 439, 379);
  SetWriteMode(mode);
  for (int i = 0; i < 40; ++i) {
    SetColor(uint16_t(1 + i % 15));
    Line(int16_t(10 + 15 * i), 20, int16_t(630 - 15 * i), 460);
    Line(5, int16_t(10 + 11 * i), 635, int16_t(10 + 11 * i));
    Line(int16_t(7 + 16 * i), 5, int16_t(7 + 16 * i), 475);
  }
  SetWriteMode(NormalPut);
}

// How many pixels the server shows otherwise than the bitmap, which is what the in-memory
// display shows of the same drawing.
int DifferencesFromBitmap(Display* dpy, Window w) {
  XImage* image = XGetImage(dpy, w, 0, 0, 640, 480, AllPlanes, ZPixmap);
  if (!image) return -1;
  int differences = 0;
  {
    std::lock_guard lock(graphLock);
    for (int y = 0; y < 480; ++y) {
      for (int x = 0; x < 640; ++x) {
        const unsigned long v = XGetPixel(image, x, y);
        differences +=
            RGB(uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)) != backingBitmap->pixel(x, y);
      }
    }
  }
  XDestroyImage(image);
  return differences;
}

class X11WriteModeTest : public X11DriverTest, public ::testing::WithParamInterface<uint16_t> {};

TEST_P(X11WriteModeTest, TheServerShowsWhatTheMemoryDisplayShows) {
  const Window w = openMode("write mode");
  ASSERT_NE(w, 0u);
  DrawPictureIn(GetParam());
  EXPECT_TRUE(WaitFor([&] { return DifferencesFromBitmap(observer.dpy(), w) == 0; }))
      << DifferencesFromBitmap(observer.dpy(), w) << " pixels differ";
}

INSTANTIATE_TEST_SUITE_P(EachMode, X11WriteModeTest,
                         ::testing::Values(NormalPut, XORPut, OrPut, AndPut, NotPut));

// The shared-memory segments this process made.
int OwnSegments() {
  std::ifstream table("/proc/sysvipc/shm");
  std::string line;
  std::getline(table, line);  // the heading
  int count = 0;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    long key, id, size, creator;
    std::string perms;
    if (fields >> key >> id >> perms >> size >> creator) count += creator == getpid();
  }
  return count;
}

TEST_F(X11DriverTest, WithoutSharedMemoryThePictureShowsAllTheSame) {
  setenv("GRAPHWIN_X11_NO_SHM", "1", 1);
  const Window w = openMode("no shared memory");
  unsetenv("GRAPHWIN_X11_NO_SHM");
  ASSERT_NE(w, 0u);
  EXPECT_EQ(OwnSegments(), 0);
  DrawPictureIn(XORPut);
  EXPECT_TRUE(WaitFor([&] { return DifferencesFromBitmap(observer.dpy(), w) == 0; }))
      << DifferencesFromBitmap(observer.dpy(), w) << " pixels differ";
  CloseGraph();
  EXPECT_EQ(OwnSegments(), 0);
}

TEST_F(X11DriverTest, TheWindowsSharedMemoryGoesWithIt) {
  const Window w = openMode("shared memory");
  ASSERT_NE(w, 0u);
  EXPECT_EQ(OwnSegments(), 1);
  CloseGraph();
  EXPECT_TRUE(WaitFor([] { return OwnSegments() == 0; }));
}

TEST_F(X11DriverTest, AWindowResizedWhileItIsDrawnOnKeepsItsPicture) {
  const Window w = openMode("resized");
  ASSERT_NE(w, 0u);
  std::atomic<bool> drawing{true};
  std::thread resizer([w, &drawing] {
    Display* other = XOpenDisplay(getenv("DISPLAY"));
    if (other == nullptr) return;
    for (int i = 0; drawing; ++i) {
      XResizeWindow(other, w, unsigned(50 + i * 37 % 1200), unsigned(40 + i * 53 % 900));
      XSync(other, False);
    }
    XResizeWindow(other, w, 640, 480);
    XCloseDisplay(other);
  });
  for (int i = 0; i < 10; ++i) DrawPictureIn(uint16_t(i % 5));
  drawing = false;
  resizer.join();
  EXPECT_TRUE(windowReady);
  // What the shrinking hid is exposed again and repainted from the bitmap.
  EXPECT_TRUE(WaitFor([&] { return DifferencesFromBitmap(observer.dpy(), w) == 0; }))
      << DifferencesFromBitmap(observer.dpy(), w) << " pixels differ";
}

TEST_F(X11DriverTest, UnmappedAndMappedAgainTheWindowIsRepaintedFromTheBitmap) {
  const Window w = openMode("repaint");
  ASSERT_NE(w, 0u);
  // Drawn into the bitmap only: only a repaint can bring it to the screen. The first
  // mapping's Expose may come late (seen under the thread sanitizer) and repaint already;
  // then the next attempt draws in other colours, and that Expose does not come twice.
  const struct { uint16_t hidden, shown; } attempts[] = {{2, 4}, {3, 1}, {5, 6}};
  COLORREF hiddenRgb = 0, shownRgb = 0;
  bool stillHidden = false;
  for (const auto& a : attempts) {
    hiddenRgb = ColorToRGB(a.hidden);
    shownRgb = ColorToRGB(a.shown);
    DrawToWindow = false;
    SetFillStyle(SolidFill, a.hidden);
    Bar(10, 10, 59, 59);
    DrawToWindow = true;
    SetFillStyle(SolidFill, a.shown);
    Bar(300, 300, 349, 349);
    ASSERT_TRUE(WaitFor([&] { return observer.pixel(w, 320, 320) == shownRgb; }));
    if ((stillHidden = observer.pixel(w, 30, 30) != hiddenRgb)) break;
  }
  ASSERT_TRUE(stillHidden) << "the bitmap-only bar showed without a repaint";

  XUnmapWindow(observer.dpy(), w);
  XSync(observer.dpy(), False);
  XMapWindow(observer.dpy(), w);
  XSync(observer.dpy(), False);
  EXPECT_TRUE(WaitFor([&] { return observer.pixel(w, 30, 30) == hiddenRgb; }));
  EXPECT_TRUE(WaitFor([&] { return observer.pixel(w, 320, 320) == shownRgb; }));
  EXPECT_TRUE(windowReady);
}

TEST_F(X11DriverTest, TheCloseButtonEndsTheThreadWhileTheProgramGoesOn) {
  const Window w = openMode("closing");
  ASSERT_NE(w, 0u);
  testing_support::PressCloseButton(observer.dpy(), w);

  ASSERT_TRUE(WaitFor([] { return MessageThreadExitCode() != STILL_ACTIVE; }));
  EXPECT_FALSE(windowReady);
  EXPECT_TRUE(LayerState().IsGraphMode);
  EXPECT_TRUE(WaitFor([&] { return observer.findWindow("closing") == 0; }));
  SetFillStyle(SolidFill, 15);
  Bar(0, 0, 100, 100);
  PutPixel(1, 1, 15);
  EXPECT_EQ(GraphResult(), grOk);
  GetPixel(1, 1);
  EXPECT_EQ(GraphResult(), grError);
}

TEST_F(X11DriverTest, KeysAndButtonsReachTheHooksAsTheirMessages) {
  const MessageHook savedKey = KeyMessageHook, savedMouse = MouseMessageHook;
  KeyMessageHook = Record;
  MouseMessageHook = Record;
  const Window w = openMode("input");
  ASSERT_NE(w, 0u);
  Display* dpy = observer.dpy();
  observer.pointerTo(w, 320, 240);  // keys go to the window under the pointer
  const KeyCode a = XKeysymToKeycode(dpy, XK_a);
  const KeyCode right = XKeysymToKeycode(dpy, XK_Right);
  XTestFakeKeyEvent(dpy, a, True, 0);
  XTestFakeKeyEvent(dpy, a, False, 0);
  XTestFakeKeyEvent(dpy, right, True, 0);
  XTestFakeKeyEvent(dpy, right, False, 0);
  XTestFakeButtonEvent(dpy, 1, True, 0);
  XTestFakeButtonEvent(dpy, 1, False, 0);
  XTestFakeButtonEvent(dpy, 3, True, 0);
  XSync(dpy, False);

  const std::vector<std::pair<UINT, WPARAM>> want = {
      {WM_KEYDOWN, 'A'},    {WM_CHAR, 'a'},      {WM_KEYUP, 'A'},   {WM_KEYDOWN, VK_RIGHT},
      {WM_KEYUP, VK_RIGHT}, {WM_LBUTTONDOWN, 0}, {WM_LBUTTONUP, 0}, {WM_RBUTTONDOWN, 0}};
  EXPECT_TRUE(WaitFor([&] {
    const std::vector<std::pair<UINT, WPARAM>> s = Seen();
    return std::count_if(s.begin(), s.end(), [](const auto& m) {
             return m.first != WM_MOUSEMOVE;
           }) >= std::ptrdiff_t(want.size());
  }));
  XTestFakeButtonEvent(dpy, 3, False, 0);
  XSync(dpy, False);
  std::vector<std::pair<UINT, WPARAM>> got = Seen();
  // The pointer's moves come too; the test below looks at them.
  std::erase_if(got, [](const auto& m) { return m.first == WM_MOUSEMOVE; });
  got.resize(std::min(got.size(), want.size()));
  // Button messages carry the button state in wParam; only the message counts there.
  for (auto& [message, wParam] : got)
    if (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK) wParam = 0;
  EXPECT_EQ(got, want);
  KeyMessageHook = savedKey;
  MouseMessageHook = savedMouse;
}

TEST_F(X11DriverTest, MovesAndButtonsReachTheMouseHookAtTheirWindowPositions) {
  const MessageHook savedMouse = MouseMessageHook;
  MouseMessageHook = RecordMouse;
  const Window w = openMode("mouse");
  ASSERT_NE(w, 0u);
  Display* dpy = observer.dpy();
  observer.pointerTo(w, 100, 50);
  XTestFakeButtonEvent(dpy, 1, True, 0);
  observer.pointerTo(w, 120, 60);  // dragged with the left button held
  XTestFakeButtonEvent(dpy, 1, False, 0);
  observer.pointerTo(w, 7, 400);
  XTestFakeButtonEvent(dpy, 2, True, 0);
  XTestFakeButtonEvent(dpy, 2, False, 0);
  XSync(dpy, False);

  const std::vector<MouseSeen> want = {{WM_MOUSEMOVE, 0, 100, 50}, {WM_LBUTTONDOWN, 1, 100, 50},
                                       {WM_MOUSEMOVE, 1, 120, 60}, {WM_LBUTTONUP, 0, 120, 60},
                                       {WM_MOUSEMOVE, 0, 7, 400},  {WM_MBUTTONDOWN, 0x10, 7, 400},
                                       {WM_MBUTTONUP, 0, 7, 400}};
  EXPECT_TRUE(WaitFor([&] {
    const std::vector<MouseSeen> s = MouseSeenSoFar();
    return !s.empty() && s.back().message == WM_MBUTTONUP;
  }));
  std::vector<MouseSeen> got = MouseSeenSoFar();
  // A warp may come as more than one move; only the last before each button counts.
  std::vector<MouseSeen> lastMoves;
  for (size_t i = 0; i < got.size(); ++i) {
    if (got[i].message == WM_MOUSEMOVE && i + 1 < got.size() && got[i + 1].message == WM_MOUSEMOVE)
      continue;
    lastMoves.push_back(got[i]);
  }
  EXPECT_EQ(lastMoves, want);
  MouseMessageHook = savedMouse;
}

}  // namespace
