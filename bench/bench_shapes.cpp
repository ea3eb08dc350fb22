// The classic routines with the heaviest pixel counts, through the whole stack on the
// in-memory backend with a 1920 x 1080 drawing area: a flood fill of the empty screen,
// 10,000 circles of radius 50 and a 200 x 200 PutImage copy.
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
