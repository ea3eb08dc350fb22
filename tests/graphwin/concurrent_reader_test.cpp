// The window's picture read on another thread while the program's thread draws, as a
// display's own thread reads it: the driver draws each Bar under one hold of graphLock and
// the display shows only what was presented, under the same lock, so every Bar shows
// whole or not at all.
#include <atomic>
#include <thread>

#include "graph/fill.h"
#include "headless_window.h"

namespace {

using ConcurrentReaderTest = HeadlessWindowTest;

TEST_F(ConcurrentReaderTest, EveryBarShowsWholeOrNotAtAll) {
  open640x480x16();
  const HWND window = graphWindow;
  std::atomic<bool> drawn{false};
  int looks = 0, torn = 0;
  std::thread reader([&] {
    while (!drawn) {
      const PixelSurface shot = headless::Snapshot(window);  // no lock of its own held here
      ++looks;
      const COLORREF first = shot.pixel(100, 100);
      for (int y = 100; y <= 199; ++y)
        for (int x = 100; x <= 299; ++x)
          if (shot.pixel(x, y) != first) ++torn, y = 200, x = 300;
    }
  });
  constexpr int bars = 4000;
  for (int i = 0; i < bars; ++i) {
    SetFillStyle(SolidFill, uint16_t(1 + i % 15));
    Bar(100, 100, 299, 199);
  }
  drawn = true;
  reader.join();
  EXPECT_EQ(torn, 0) << "in " << looks << " looks";
  EXPECT_EQ(shown(299, 199), stored(299, 199));
  EXPECT_EQ(shown(100, 100), stored(299, 199));
}

}  // namespace
