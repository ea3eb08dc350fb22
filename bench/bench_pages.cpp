// The C front's palette windows at 640 x 480 in 16 colours: showing the other page
// (SetVisualPage) and a palette change that recolours the whole page (SetRGBPalette), on the
// in-memory backend and on an Xvfb of its own. On X11 each figure runs until the far corner
// shows the new colour on the X server, read back on a second connection. Printed as
// "ratio NAME VALUE", in milliseconds (medians):
//   page_flip_headless_ms, page_flip_x11_ms, palette_change_headless_ms, palette_change_x11_ms
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench_child.h"
#include "bench_stats.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "testing/maze_session.h"

namespace {

using Clock = std::chrono::steady_clock;

// Page 0 all red, page 1 all green, page 0 shown.
bool StartTwoPages() {
  StartGraphWindowDriver();
  UsePaletteWindows(true);
  int16_t driver = 9, mode = 2;  // VGA, VGAHI
  InitGraph(driver, mode, "");
  if (GraphResult() != grOk) {
    std::puts("  graphics did not start; nothing measured");
    return false;
  }
  for (uint16_t page : {uint16_t(1), uint16_t(0)}) {
    SetActivePage(page);
    SetFillStyle(SolidFill, page == 0 ? 4 : 2);
    Bar(0, 0, GetMaxX(), GetMaxY());
  }
  return true;
}

int RunChild(bool onX11) {
  if (!StartTwoPages()) return 1;
  std::optional<testing_support::WindowView> screen;
  if (onX11) {
    screen.emplace(getenv("DISPLAY"));
    if (!screen->ok() || !screen->waitForWindow("Graph window application", 10)) {
      std::puts("  cannot see the window on the X server; nothing measured");
      return 1;
    }
  }
  const int16_t farX = GetMaxX(), farY = GetMaxY();
  // Waits until the far corner shows rgb on the server.
  auto onServer = [&](uint8_t red, uint8_t green, uint8_t blue) {
    if (!screen) return;
    const auto until = Clock::now() + std::chrono::seconds(5);
    while (!(screen->pixelAt(farX, farY) == testing_support::Rgb{red, green, blue}) &&
           Clock::now() < until) {
    }
  };
  onServer(168, 0, 0);

  const Timing flip = Measure(41, [&, page = 0]() mutable {
    page = 1 - page;
    const auto start = Clock::now();
    SetVisualPage(uint16_t(page));
    if (page == 1) {
      onServer(0, 168, 0);
    } else {
      onServer(168, 0, 0);
    }
    return MsSince(start);
  });
  Print(onX11 ? "SetVisualPage 640 x 480, on the server" : "SetVisualPage 640 x 480", "ms", flip);

  const Timing recolor = Measure(41, [&, run = 0]() mutable {
    const uint8_t level = uint8_t(run++ % 2 ? 252 : 84);
    const auto start = Clock::now();
    SetRGBPalette(4, 0, 0, level);  // page 1 is shown now: red is the other page's colour
    SetRGBPalette(2, level, 0, 0);
    onServer(level, 0, 0);
    return MsSince(start) / 2;
  });
  Print(onX11 ? "palette change of a whole page, on the server" : "palette change of a whole page",
        "ms", recolor);
  Note(onX11 ? "page_flip_x11" : "page_flip_headless", flip);
  Note(onX11 ? "palette_change_x11" : "palette_change_headless", recolor);
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
  for (const char* name :
       {"page_flip_headless", "page_flip_x11", "palette_change_headless", "palette_change_x11"}) {
    if (f.count(name)) std::printf("ratio %s_ms %.3f\n", name, f[name]);
  }
  return failed ? 1 : 0;
}
