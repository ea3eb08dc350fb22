// The lock a framebuffer is drawn under: a backend's thread that reads the pixels and the
// damage holds the same lock as the drawing, also while the drawing names its own lock.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "damage.h"
#include "surface.h"

namespace {

using platform::Block;
using platform::Damage;
using platform::DrawingLock;

// Whether a thread other than the caller gets the lock now.
bool OtherGetsIn(DrawingLock& lock) {
  bool got = false;
  std::thread([&] {
    std::recursive_timed_mutex* held = lock.tryHold();
    got = held != nullptr;
    if (held) held->unlock();
  }).join();
  return got;
}

// A routine called while the drawing holds its lock (a hook run at window creation) may
// draw, so the holder takes it again; others stay out until the last release.
TEST(DrawingLock, TheHolderTakesItAgainAndOthersWaitForTheLastRelease) {
  DrawingLock lock;
  std::recursive_timed_mutex drawing;
  lock.use(drawing);
  drawing.lock();
  std::recursive_timed_mutex& again = lock.hold();
  EXPECT_EQ(&again, &drawing);
  again.unlock();
  EXPECT_FALSE(OtherGetsIn(lock));
  drawing.unlock();
  EXPECT_TRUE(OtherGetsIn(lock));
}

// The X11 reader waits a while for a drawing that holds the lock: it gets the lock when the
// drawing lets go within the wait, and gives up, holding nothing, when it does not.
TEST(DrawingLock, AWaitGetsTheLockWhenItIsLetGoInTimeAndNothingOtherwise) {
  using namespace std::chrono_literals;
  DrawingLock lock;
  std::recursive_timed_mutex drawing;
  lock.use(drawing);
  std::atomic<bool> held{false}, letGo{false};
  std::thread drawer([&] {
    std::lock_guard hold(drawing);
    held = true;
    while (!letGo) std::this_thread::yield();
  });
  while (!held) std::this_thread::yield();
  EXPECT_EQ(lock.holdWithin(1ms), nullptr);
  std::thread releaser([&] {
    std::this_thread::sleep_for(20ms);
    letGo = true;
  });
  std::recursive_timed_mutex* got = lock.holdWithin(std::chrono::microseconds(10s));
  EXPECT_EQ(got, &drawing);
  EXPECT_TRUE(letGo);
  if (got) got->unlock();
  releaser.join();
  drawer.join();
  EXPECT_TRUE(OtherGetsIn(lock));
}

// Two threads, as a window's drawing and its backend's reader: the drawing names its lock
// and at once fills the picture with one value a frame, presenting each frame under one
// hold; the reader, already waiting on the surface's own lock when the name changes, takes
// the damage and reads the picture under whatever lock it holds. Every picture it reads is
// one frame, never two half frames, and the last one it reads is the last frame drawn.
TEST(DrawingLock, AReaderNeverSeesAFrameHalfDrawnWhileTheDrawingNamesItsLock) {
  constexpr int roundCount = 200, frames = 200, side = 64;
  int torn = 0, behind = 0;
  for (int round = 0; round < roundCount; ++round) {
    DrawingLock lock;
    std::recursive_timed_mutex drawing;
    PixelSurface pixels(side, side);
    Damage damage;
    std::atomic<bool> readerIn{false}, drawn{false};

    std::thread reader([&] {
      for (bool last = false; !last;) {
        last = drawn.load();  // one more look after the drawing ended
        std::recursive_timed_mutex& held = lock.hold();
        readerIn = true;
        damage.take();
        const COLORREF first = pixels.pixel(0, 0);
        for (int y = 0; y < side; ++y)
          for (int x = 0; x < side; ++x)
            if (pixels.pixel(x, y) != first) ++torn, y = side, x = side;
        if (last && first != COLORREF(frames)) ++behind;
        held.unlock();
      }
    });
    while (!readerIn) std::this_thread::yield();
    lock.use(drawing);
    for (int frame = 1; frame <= frames; ++frame) {
      std::lock_guard hold(drawing);
      for (int y = 0; y < side; ++y) pixels.fillRun(0, y, side, COLORREF(frame));
      damage.add(Block{0, 0, side, side});
    }
    drawn = true;
    reader.join();
  }
  EXPECT_EQ(torn, 0);
  EXPECT_EQ(behind, 0);
}

}  // namespace
