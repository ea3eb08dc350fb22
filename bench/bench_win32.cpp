// The maze and one Bar on the Windows desktop (under Wine on Linux), each until its pixels
// are in the window as Windows reads them back: the figures to set beside the X11 ones of
// bench_drawing on the same X server (scripts/bench-windows runs both in one go).
#include <chrono>
#include <cstdio>
#include <thread>

#include "bench_scenes.h"
#include "bench_stats.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "win32_window_view.h"

namespace {

using Clock = std::chrono::steady_clock;

}  // namespace

int main() {
  if (!StartGraphics()) return 1;
  std::printf("Windows desktop, mode %d x %d x %d:\n", GetMaxX() + 1, GetMaxY() + 1,
              GetMaxColor() + 1);
  testing_support::desktop::WindowView view("Graph window application");
  for (int i = 0; i < 100 && !view.ok(); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  if (!view.ok()) {
    std::puts("cannot find the graph window; nothing measured");
    return 1;
  }
  // Waits until (x, y) of the window shows colour; nothing else is drawn meanwhile.
  auto inWindow = [&](int x, int y, uint16_t color) {
    const auto until = Clock::now() + std::chrono::seconds(5);
    while (view.pixelAt(x, y) != RgbOfRunColor(color) && Clock::now() < until) {
    }
  };
  const int lastX = std::min(101 * 19 + 5, int(GetMaxX())),
            lastY = std::min(81 * 12 + 5, int(GetMaxY()));

  const Timing maze = Measure(9, [&, run = 0]() mutable {
    const uint16_t color = RunColor(run++);
    const auto start = Clock::now();
    DrawMaze(color);
    inWindow(lastX, lastY, color);
    return MsSince(start);
  });
  Print("whole maze, pixels in the window", "ms", maze);
  Note("maze_win32", maze);

  const Timing bar = BarLatency(inWindow);
  Print("one Bar: call returned to pixels in the window", "us", bar);
  Note("bar_to_window_us", bar);
  return 0;
}
