// The classic routines with the heaviest pixel counts, through the whole stack on the
// in-memory backend with a 1920 x 1080 drawing area: a flood fill of the empty screen,
// clearing it, filled ellipses, polygons and pie slices, 10,000 circles of radius 50 and a
// 200 x 200 PutImage copy.
#include <cstdio>
#include <vector>

#include "bench_scenes.h"
#include "bench_stats.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/shapes.h"
#include "graphwin/driver.h"
#include "platform/headless/headless.h"

namespace headless = platform::headless;

int main() {
  if (!headless::UseHeadless()) {
    std::puts("the in-memory backend could not be chosen; nothing measured");
    return 1;
  }
  platform::ScreenMetrics metrics = headless::DefaultMetrics();
  metrics.workWidth = metrics.screenWidth = 1920;
  metrics.workHeight = metrics.screenHeight = 1080;
  metrics.frameX = metrics.frameY = metrics.caption = 0;
  headless::SetMetrics(metrics);
  if (!StartGraphics()) return 1;
  std::printf("headless backend, mode %d x %d x %d\n", GetMaxX() + 1, GetMaxY() + 1,
              GetMaxColor() + 1);

  const Timing flood = Measure(11, [run = 0]() mutable {
    ClearDevice();
    SetFillStyle(SolidFill, uint16_t(run++ % 2 ? 14 : 1));
    return MillisecondsOf([] { FloodFill(960, 540, 15); });
  });
  Print("FloodFill, empty 1920 x 1080 screen", "ms", flood);

  const Timing clear = Measure(51, [run = 0]() mutable {
    SetBkColor(RunColor(run++));
    return MillisecondsOf([] { ClearDevice(); });
  });
  Print("ClearDevice, 1920 x 1080", "ms", clear);

  // A thousand filled shapes spread over the screen, solid and in a pattern: a pattern
  // draws each row in the fill and the background colour.
  auto filled = [](uint16_t pattern, auto draw) {
    return Measure(7, [=, run = 0]() mutable {
      ClearDevice();
      SetFillStyle(pattern, RunColor(run++));
      return MillisecondsOf([=] {
        for (int i = 0; i < 1000; ++i) {
          draw(int16_t(120 + (i * 37) % 1680), int16_t(100 + (i * 53) % 880));
        }
      });
    });
  };
  auto ellipse = [](int16_t x, int16_t y) { FillEllipse(x, y, 100, 60); };
  auto polygon = [](int16_t x, int16_t y) {
    const int star[] = {x, y - 90, x + 25, y - 25, x + 95, y - 20, x + 40, y + 20, x + 60, y + 90,
                        x, y + 45, x - 60, y + 90, x - 40, y + 20, x - 95, y - 20, x - 25, y - 25};
    FillPoly(10, star);
  };
  auto slice = [](int16_t x, int16_t y) { PieSlice(x, y, 30, 300, 80); };
  Print("1,000 FillEllipse 100 x 60, solid", "ms", filled(SolidFill, ellipse));
  Print("1,000 FillEllipse 100 x 60, hatched", "ms", filled(HatchFill, ellipse));
  Print("1,000 FillPoly stars of 190 x 180, solid", "ms", filled(SolidFill, polygon));
  Print("1,000 PieSlice of radius 80, solid", "ms", filled(SolidFill, slice));

  // Spread over the screen every circle's pixels miss the cache; within a small area they
  // stay in it. Both are worth knowing.
  auto circles = [](int spreadX, int spreadY) {
    return Measure(7, [=, run = 0]() mutable {
      ClearDevice();
      SetColor(uint16_t(1 + run++ % 15));
      return MillisecondsOf([=] {
        for (int i = 0; i < 10000; ++i) {
          Circle(int16_t(60 + (i * 37) % spreadX), int16_t(60 + (i * 53) % spreadY), 50);
        }
      });
    });
  };
  Print("10,000 circles of radius 50, whole screen", "ms", circles(1800, 960));
  Print("10,000 circles of radius 50, in 470 x 260", "ms", circles(370, 160));

  std::vector<uint8_t> image(size_t(ImageSize(0, 0, 199, 199)));
  SetFillStyle(XHatchFill, 12);
  Bar(0, 0, 199, 199);
  GetImage(0, 0, 199, 199, image.data());
  const Timing put = Measure(201, [&image, run = 0]() mutable {
    const int16_t x = int16_t(300 + (run * 7) % 1400), y = int16_t(300 + (run * 11) % 700);
    ++run;
    return MillisecondsOf([&] { PutImage(x, y, image.data(), NormalPut); });
  });
  Print("PutImage 200 x 200, copy", "ms", put);
  return 0;
}
