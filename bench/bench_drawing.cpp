// The game's heaviest drawing through the whole stack (layer, driver, surfaces): the maze
// of 8,181 solid bars, a turn of the game's mines (160 bars scattered), the 47 filled rings of the
// explosion and a PutPixel over the whole screen, on the in-memory backend and on an Xvfb of its
// own (1920 x 1080). On X11 every figure includes the time until the pixels are on the X server,
// read back with XGetImage on a second connection. The figures of both backends come from one run,
// and their ratios are printed as lines "ratio NAME VALUE":
//   putpixel_x11_vs_headless  the PutPixel loop on X11 against the same loop headless, a
//                             pixel against a pixel
//   maze_x11_vs_bound         the maze on X11 against filling its cells into two memory
//                             surfaces plus one full-frame XShmPutImage, in the same process
//   bar_to_server_ms          one Bar, from its call's return to its pixels on the server
//                             (a median, in milliseconds)
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bench_child.h"
#include "bench_scenes.h"
#include "bench_stats.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "surface.h"
#include "testing/maze_session.h"
// After the graphics headers: Xlib defines names that they use.
#include "shm_frame.h"

namespace {

using Clock = std::chrono::steady_clock;

testing_support::Rgb RgbOf(uint16_t color) {
  const uint32_t rgb = RgbOfRunColor(color);
  return testing_support::Rgb{uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
}

void DrawMineSteps(uint32_t& seed) {
  for (int i = 0; i < 80; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const int x = 1 + int(seed >> 8) % 100, y = 1 + int(seed >> 20) % 80;
    SetFillStyle(SolidFill, uint16_t(1 + i % 14));
    Bar(int16_t(x * 19), int16_t(y * 12), int16_t((x + 1) * 19), int16_t((y + 1) * 12));
    Bar(int16_t((x + 1) * 19), int16_t(y * 12), int16_t((x + 2) * 19), int16_t((y + 1) * 12));
  }
}

void DrawRings(int run) {
  for (int i = 0; i < 47; ++i) {
    const uint16_t color = uint16_t(1 + (i + run) % 15);
    SetColor(color);
    SetFillStyle(SolidFill, color);
    const uint16_t r = uint16_t(30 + 30 * i);
    FillEllipse(959, 508, r, r);
  }
}

void PutPixelScreen(uint16_t color) {
  const int16_t maxX = GetMaxX(), maxY = GetMaxY();
  for (int16_t y = 0; y <= maxY; ++y)
    for (int16_t x = 0; x <= maxX; ++x) PutPixel(x, y, color);
}

// The maze's cells filled straight into two memory surfaces, then one full-frame
// XShmPutImage: what the maze on X11 cannot beat.
Timing MazeBound(Display* d, int width, int height) {
  PixelSurface bitmap(width, height), window(width, height);
  ShmFrame frame(d, width, height);
  if (!frame.ok()) return {0, 0, 0};
  return Measure(9, [&, run = 0]() mutable {
    const COLORREF v = RunColor(run++) == 14 ? RGB(252, 252, 84) : RGB(0, 0, 168);
    return MillisecondsOf([&] {
      for (int y = 1; y <= 81; ++y) {
        for (int x = 1; x <= 101; ++x) {
          int left = x * 19, top = y * 12, w = 20, h = 13;
          if (!ClipBlock(width, height, left, top, w, h)) continue;
          bitmap.fill(left, top, w, h, v);
          window.fill(left, top, w, h, v);
        }
      }
      frame.putAndSync();
    });
  });
}

// Measures inside a process whose backend GRAPHWIN_BACKEND chose.
int RunChild(bool onX11) {
  if (!StartGraphics("  ")) return 1;
  std::printf("  mode %d x %d x %d\n", GetMaxX() + 1, GetMaxY() + 1, GetMaxColor() + 1);

  std::optional<testing_support::WindowView> screen;
  if (onX11) {
    screen.emplace(getenv("DISPLAY"));
    if (!screen->ok() || !screen->waitForWindow("Graph window application", 10)) {
      std::puts("  cannot see the window on the X server; nothing measured");
      return 1;
    }
  }
  // Waits until (x, y) shows colour on the server; nothing else is drawn meanwhile.
  auto onServer = [&](int x, int y, uint16_t color) {
    if (!screen) return;
    const auto until = Clock::now() + std::chrono::seconds(5);
    while (!(screen->pixelAt(x, y) == RgbOf(color)) && Clock::now() < until) {
    }
  };
  // The last slot of the maze that lies inside the window.
  const int lastX = std::min(101 * 19 + 5, int(GetMaxX())),
            lastY = std::min(81 * 12 + 5, int(GetMaxY()));

  const int runs = 9;
  std::vector<double> perBar;
  const Timing maze = Measure(runs, [&, run = 0]() mutable {
    const uint16_t color = RunColor(run++);
    const auto start = Clock::now();
    DrawMaze(color);
    perBar.push_back(MsSince(start) * 1000.0 / 8181.0);
    onServer(lastX, lastY, color);
    return MsSince(start);
  });
  Print(onX11 ? "whole maze, pixels on the server" : "whole maze", "ms", maze);
  if (screen) {
    const Timing bound = MazeBound(screen->display(), GetMaxX() + 1, GetMaxY() + 1);
    Print("bound: cells into 2 surfaces + 1 XShmPutImage", "ms", bound);
    Note("maze_x11", maze);
    Note("maze_bound", bound);
  }
  const Timing bar =
      Measure(int(perBar.size()), [&, i = size_t(0)]() mutable { return perBar[i++]; });
  Print("per Bar call", "us", bar);

  // Scattered bars miss the caches that the maze's rows, drawn in order, keep warm. One turn
  // at a time with a pause between, as in the game.
  uint32_t seed = 1;
  const Timing steps = Measure(31, [&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const auto start = Clock::now();
    DrawMineSteps(seed);
    return MsSince(start) * 1000.0 / 160.0;
  });
  Print("per Bar of a mines' turn (160 scattered)", "us", steps);

  const Timing rings = Measure(runs, [&, run = 0]() mutable {
    const int r = run;
    const auto start = Clock::now();
    DrawRings(run++);
    // The outermost ring covers the corner; its colour is the last one drawn there.
    if (screen) {
      const uint16_t last = uint16_t(1 + (46 + r) % 15);
      const auto until = Clock::now() + std::chrono::seconds(5);
      const testing_support::Rgb want = [&] {
        int16_t red, green, blue;
        GetRGBPalette(int16_t(last), red, green, blue);
        return testing_support::Rgb{uint8_t(red), uint8_t(green), uint8_t(blue)};
      }();
      while (!(screen->pixelAt(5, 5) == want) && Clock::now() < until) {
      }
    }
    return MsSince(start);
  });
  Print(onX11 ? "47 filled rings, pixels on the server" : "47 filled rings", "ms", rings);

  const Timing putPixels = Measure(5, [&, run = 0]() mutable {
    const uint16_t color = RunColor(run++);
    const auto start = Clock::now();
    PutPixelScreen(color);
    onServer(GetMaxX(), GetMaxY(), color);
    return MsSince(start);
  });
  Print(onX11 ? "PutPixel on every pixel, last on the server" : "PutPixel on every pixel", "ms",
        putPixels);
  // Per pixel: without a window manager the X11 window is taller than the headless one.
  const double pixels = double(GetMaxX() + 1) * double(GetMaxY() + 1);
  std::printf("  %.1f ns a pixel\n", putPixels.median * 1e6 / pixels);
  Note(onX11 ? "putpixel_x11" : "putpixel_headless",
       {putPixels.min / pixels, putPixels.median / pixels, putPixels.max / pixels});

  if (screen) {
    const Timing latency = BarLatency(onServer);
    Print("one Bar: call returned to pixels on server", "us", latency);
    Note("bar_to_server_us", latency);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--child") == 0) {
    const char* backend = getenv("GRAPHWIN_BACKEND");
    return RunChild(backend && std::strcmp(backend, "x11") == 0);
  }
  bool failed = false;
  std::map<std::string, double> f = MeasureOnEachBackend(failed);
  // Of the medians; then of the minima, the runs least disturbed on a shared machine.
  for (const char* of : {"", "_min"}) {
    const std::string x = of;
    auto ratio = [&](const char* name, const std::string& a, const std::string& b) {
      if (f[a + x] > 0 && f[b + x] > 0)
        std::printf("ratio %s%s %.2f\n", name, of, f[a + x] / f[b + x]);
    };
    ratio("putpixel_x11_vs_headless", "putpixel_x11", "putpixel_headless");
    ratio("maze_x11_vs_bound", "maze_x11", "maze_bound");
    if (f["bar_to_server_us" + x] > 0)
      std::printf("ratio bar_to_server_ms%s %.3f\n", of, f["bar_to_server_us" + x] / 1000.0);
  }
  return failed ? 1 : 0;
}
