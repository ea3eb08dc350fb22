// What the terminal display sends, and how soon: the whole stack (graphics layer, window
// driver, terminal backend) draws into a pseudo-terminal that this program opens and reads
// itself, sized 130 x 52 like the end-to-end tests. Prints the bytes of the first picture
// of a maze-like field of 101 x 81 one-pixel slots, the bytes of one dome step (two Bars of
// one slot), and the time from a Bar call to its first byte on the terminal.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench_stats.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graphwin/driver.h"

namespace {

int master = -1;
FILE* report = nullptr;

using Clock = std::chrono::steady_clock;

// Reads what arrives until the terminal has been quiet for quietMs; returns the bytes.
size_t ReadUntilQuiet(int quietMs) {
  size_t total = 0;
  char buffer[65536];
  for (;;) {
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, quietMs) <= 0) return total;
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n <= 0) return total;
    total += size_t(n);
  }
}

// Waits for the first byte; returns ms since start.
double FirstByteAfter(Clock::time_point start) {
  pollfd p{master, POLLIN, 0};
  poll(&p, 1, 1000);
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void Slot(int x, int y, uint16_t color) {
  SetFillStyle(1, color);
  Bar(int16_t(x), int16_t(y), int16_t(x + 1), int16_t(y + 1));
}

}  // namespace

int main() {
  int slave = -1;
  winsize size{};
  size.ws_col = 130;
  size.ws_row = 52;
  if (openpty(&master, &slave, nullptr, nullptr, &size) != 0) {
    std::perror("openpty");
    return 1;
  }
  // Figures go to the original standard output; the pty becomes the program's terminal.
  report = fdopen(dup(STDOUT_FILENO), "w");
  dup2(slave, STDIN_FILENO);
  dup2(slave, STDOUT_FILENO);
  setenv("GRAPHWIN_BACKEND", "terminal", 1);

  StartGraphWindowDriver();
  int16_t driver = 0, mode = 0;
  InitGraph(driver, mode, "");
  if (GraphResult() != 0) {
    std::fprintf(report, "graphics did not start\n");
    return 1;
  }
  const size_t startBytes = ReadUntilQuiet(100);

  // A field like the maze's: blue walls, white cells, a green frame, slots of one pixel.
  std::mt19937 random(1);
  const auto firstPicture = [&] {
    for (int y = 1; y <= 81; ++y)
      for (int x = 1; x <= 101; ++x) {
        uint16_t color = random() % 100 < 45 ? 1 : 15;
        if (x < 2 || x > 100 || y < 2 || y > 80) color = 2;
        Slot(x, y, color);
      }
  };
  const double drawMs = MillisecondsOf(firstPicture);
  const size_t pictureBytes = ReadUntilQuiet(100);
  std::fprintf(report, "terminal 130 x 52, mode %d x %d\n", GetMaxX() + 1, GetMaxY() + 1);
  std::fprintf(report, "start-up (clear, black window)            %8zu bytes\n", startBytes);
  std::fprintf(report, "first picture, 8181 slots drawn in %6.2f ms %8zu bytes\n", drawMs,
               pictureBytes);

  // Dome steps back and forth along a row: the new slot red, the old one white.
  std::vector<double> latencies;
  std::vector<double> stepBytes;
  int x = 40;
  for (int step = 0; step < 41; ++step) {
    const int next = step % 2 == 0 ? x + 1 : x - 1;
    const auto start = Clock::now();
    Slot(next, 40, 4);
    Slot(x, 40, 15);
    latencies.push_back(FirstByteAfter(start));
    stepBytes.push_back(double(ReadUntilQuiet(30)));
    x = next;
  }
  const auto summary = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return Timing{v.front(), v[v.size() / 2], v.back()};
  };
  const Timing bytes = summary(stepBytes);
  std::fprintf(report, "%-44s min %9.0f  median %9.0f  max %9.0f bytes\n", "one dome step (2 Bars)",
               bytes.min, bytes.median, bytes.max);
  const Timing t = summary(latencies);
  std::fprintf(report, "%-44s min %9.3f  median %9.3f  max %9.3f ms\n",
               "Bar call to its first byte on the terminal", t.min, t.median, t.max);
  std::fflush(report);
  return 0;
}
