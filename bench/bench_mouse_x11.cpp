// How soon a click on X11 is seen by ismouseclick: XTest presses the left button over the
// C front's window on an X server of the benchmark's own (Xvfb). The time runs from just
// before the press is sent until ismouseclick reports it, so it holds the server's own
// handling too: an upper bound of the time from delivery (the event usually reaches the
// program before an XSync after the press would return). Bound: 2 ms, printed as
// "ratio click_seen_x11_vs_2ms VALUE" of the median.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include <graphics.h>

#include "bench_stats.h"
#include "testing/xvfb_server.h"

namespace {

constexpr int Clicks = 200;
constexpr double BoundMs = 2.0;

// The viewable top-level window of 640 x 480, or 0.
Window FindGraphWindow(Display* d) {
  Window root, parent, *children = nullptr, found = 0;
  unsigned count = 0;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) {
    XWindowAttributes a{};
    if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable && a.width == 640 &&
        a.height == 480)
      found = children[i];
  }
  if (children) XFree(children);
  return found;
}

// Waits for a click of that kind and takes it; false after five seconds without one.
bool SeeAndTake(int kind) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!ismouseclick(kind)) {
    if (std::chrono::steady_clock::now() > giveUp) return false;
    std::this_thread::yield();
  }
  int x = 0, y = 0;
  getmouseclick(kind, x, y);
  return true;
}

}  // namespace

int main() {
  testing_support::XvfbServer server("1024x768x24");
  if (!server.ok()) {
    std::printf("Xvfb did not start (installed: %s); the click figure is skipped\n",
                testing_support::XvfbServer::installed() ? "yes" : "no");
    return 0;
  }
  setenv("DISPLAY", server.display().c_str(), 1);
  setenv("GRAPHWIN_BACKEND", "x11", 1);
  int driver = DETECT, mode = 0;
  initgraph(&driver, &mode, "");
  if (graphresult() != grOk) return 1;

  Display* d = XOpenDisplay(server.display().c_str());
  if (d == nullptr) return 1;
  Window w = 0;
  for (int i = 0; i < 2000 && (w = FindGraphWindow(d)) == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  if (w == 0) return 1;
  int rootX = 0, rootY = 0;
  Window child;
  XTranslateCoordinates(d, w, DefaultRootWindow(d), 320, 240, &rootX, &rootY, &child);
  XTestFakeMotionEvent(d, -1, rootX, rootY, 0);
  XSync(d, False);

  std::vector<double> seen;
  for (int i = 0; i < Clicks; ++i) {
    const auto sent = std::chrono::steady_clock::now();
    XTestFakeButtonEvent(d, 1, True, 0);
    XFlush(d);
    if (!SeeAndTake(WM_LBUTTONDOWN)) {
      std::printf("click %d was never seen\n", i);
      return 1;
    }
    seen.push_back(MsSince(sent));
    XTestFakeButtonEvent(d, 1, False, 0);
    XSync(d, False);
    if (!SeeAndTake(WM_LBUTTONUP)) return 1;
  }
  XCloseDisplay(d);
  closegraph();

  const Timing t = Measure(Clicks, [&, i = 0]() mutable { return seen[size_t(i++)]; });
  Print("X11 click until ismouseclick sees it", "ms", t);
  std::printf("ratio click_seen_x11_vs_2ms %.3f\n", t.median / BoundMs);
  return 0;
}
