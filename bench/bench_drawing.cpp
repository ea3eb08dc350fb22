// The game's heaviest drawing through the whole stack (layer, driver, surfaces): the maze
// of 8,181 solid bars and the 47 filled rings of the explosion, on the in-memory backend
// and on an Xvfb of its own (1920 x 1080). On X11 every figure includes the time until the
// pixels are on the X server, read back with XGetImage on a second connection.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "tests/e2e/maze_session.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Colour 1 and colour 14 alternate between runs, so every run changes every pixel.
uint16_t RunColour(int run) {
  return run % 2 ? 14 : 1;
}
e2e::Rgb RgbOf(uint16_t colour) {
  return colour == 14 ? e2e::Rgb{252, 252, 84} : e2e::Rgb{0, 0, 168};
}

void DrawMaze(uint16_t colour) {
  SetFillStyle(SolidFill, colour);
  for (int y = 1; y <= 81; ++y) {
    for (int x = 1; x <= 101; ++x) {
      Bar(int16_t(x * 19), int16_t(y * 12), int16_t((x + 1) * 19), int16_t((y + 1) * 12));
    }
  }
}

void DrawRings(int run) {
  for (int i = 0; i < 47; ++i) {
    const uint16_t colour = uint16_t(1 + (i + run) % 15);
    SetColor(colour);
    SetFillStyle(SolidFill, colour);
    const uint16_t r = uint16_t(30 + 30 * i);
    FillEllipse(959, 508, r, r);
  }
}

// Measures inside a process whose backend GRAPHWIN_BACKEND chose.
int RunChild(bool onX11) {
  StartGraphWindowDriver();
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  if (GraphResult() != grOk) {
    std::puts("  graphics did not start; nothing measured");
    return 1;
  }
  std::printf("  mode %d x %d x %d\n", GetMaxX() + 1, GetMaxY() + 1, GetMaxColor() + 1);

  std::optional<e2e::WindowView> screen;
  if (onX11) {
    screen.emplace(getenv("DISPLAY"));
    if (!screen->ok() || !screen->WaitForWindow("Graph window application", 10)) {
      std::puts("  cannot see the window on the X server; nothing measured");
      return 1;
    }
  }
  // Waits until (x, y) shows colour on the server; nothing else is drawn meanwhile.
  auto onServer = [&](int x, int y, uint16_t colour) {
    if (!screen) return;
    const auto until = Clock::now() + std::chrono::seconds(5);
    while (!(screen->PixelAt(x, y) == RgbOf(colour)) && Clock::now() < until) {
    }
  };
  // The last slot of the maze that lies inside the window.
  const int lastX = std::min(101 * 19 + 5, int(GetMaxX())),
            lastY = std::min(81 * 12 + 5, int(GetMaxY()));

  const int runs = 9;
  std::vector<double> perBar;
  const Timing maze = Measure(runs, [&, run = 0]() mutable {
    const uint16_t colour = RunColour(run++);
    const auto start = Clock::now();
    DrawMaze(colour);
    perBar.push_back(MsSince(start) * 1000.0 / 8181.0);
    onServer(lastX, lastY, colour);
    return MsSince(start);
  });
  Print(onX11 ? "whole maze, pixels on the server" : "whole maze", "ms", maze);
  const Timing bar =
      Measure(int(perBar.size()), [&, i = size_t(0)]() mutable { return perBar[i++]; });
  Print("per Bar call", "us", bar);

  const Timing rings = Measure(runs, [&, run = 0]() mutable {
    const int r = run;
    const auto start = Clock::now();
    DrawRings(run++);
    // The outermost ring covers the corner; its colour is the last one drawn there.
    if (screen) {
      const uint16_t last = uint16_t(1 + (46 + r) % 15);
      const auto until = Clock::now() + std::chrono::seconds(5);
      const e2e::Rgb want = [&] {
        int16_t red, green, blue;
        GetRGBPalette(int16_t(last), red, green, blue);
        return e2e::Rgb{uint8_t(red), uint8_t(green), uint8_t(blue)};
      }();
      while (!(screen->PixelAt(5, 5) == want) && Clock::now() < until) {
      }
    }
    return MsSince(start);
  });
  Print(onX11 ? "47 filled rings, pixels on the server" : "47 filled rings", "ms", rings);

  if (screen) {
    const Timing latency = Measure(31, [&, run = 0]() mutable {
      const uint16_t colour = RunColour(run++);
      SetFillStyle(SolidFill, colour);
      Bar(100, 100, 119, 112);
      const auto returned = Clock::now();
      onServer(110, 106, colour);
      return MsSince(returned) * 1000.0;
    });
    Print("one Bar: call returned to pixels on server", "us", latency);
  }
  return 0;
}

int RunIn(const std::vector<std::string>& env) {
  const pid_t pid = fork();
  if (pid == 0) {
    for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
    execl("/proc/self/exe", "bench_drawing", "--child", nullptr);
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--child") == 0) {
    const char* backend = getenv("GRAPHWIN_BACKEND");
    return RunChild(backend && std::strcmp(backend, "x11") == 0);
  }
  std::puts("headless backend:");
  std::fflush(stdout);
  RunIn({"GRAPHWIN_BACKEND=headless"});

  if (!e2e::HaveProgram("Xvfb")) {
    std::puts("X11 backend: Xvfb is not installed; not measured");
    return 0;
  }
  e2e::Xvfb server("1920x1080x24");
  if (!server.ok()) {
    std::puts("X11 backend: Xvfb did not start; not measured");
    return 1;
  }
  std::printf("X11 backend on Xvfb %s (1920 x 1080 x 24):\n", server.display().c_str());
  std::fflush(stdout);
  return RunIn({"GRAPHWIN_BACKEND=x11", "DISPLAY=" + server.display()});
}
