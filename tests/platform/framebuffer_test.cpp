// The framebuffer's parts that every backend shares: stores in either colour order, the
// damage, the timing of its flushes and the lock that drawing names.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <thread>
#include <vector>

#include "damage.h"
#include "surface.h"

namespace {

using platform::Block;
using platform::Damage;
using platform::DrawingLock;
using platform::FlushPacer;
using namespace std::chrono_literals;

TEST(PixelSurface, AStoreInServerOrderOnBorrowedMemoryKeepsColorsAndCopiesBothWays) {
  uint32_t memory[4 * 3] = {};
  PixelSurface server(3, 2, memory, 4, PixelOrder::Rgb);  // a stride wider than the rows
  server.fill(0, 0, 3, 2, RGB(1, 2, 3));
  server.setPixel(2, 1, RGB(10, 20, 30));
  EXPECT_EQ(memory[0], 0x010203u);      // as the server reads it
  EXPECT_EQ(memory[4 + 2], 0x0A141Eu);  // the second row starts a stride on
  EXPECT_EQ(memory[3], 0u);             // beyond the row: untouched
  EXPECT_EQ(server.pixel(2, 1), RGB(10, 20, 30));

  PixelSurface bitmap(3, 2);
  bitmap.copyFrom(server, -1, 0, 9, 9);  // clipped to both
  EXPECT_EQ(bitmap.pixel(2, 1), RGB(10, 20, 30));
  EXPECT_EQ(bitmap.row(0)[0], RGB(1, 2, 3));
  bitmap.setPixel(0, 0, RGB(7, 8, 9));
  server.copyFrom(bitmap, 0, 0, 1, 1);
  EXPECT_EQ(memory[0], 0x070809u);
  EXPECT_EQ(PixelSurface(server).pixel(0, 0), RGB(7, 8, 9));  // a copy owns its pixels
}

TEST(PixelSurface, ARunFillsItsPixelsAndNoOthersWhateverItsLength) {
  for (int n = 1; n <= 13; ++n) {
    uint32_t memory[16] = {};
    PixelSurface row(16, 1, memory, 16, PixelOrder::Rgb);
    row.fillRun(2, 0, n, RGB(1, 2, 3));
    for (int x = 0; x < 16; ++x)
      EXPECT_EQ(memory[x], x >= 2 && x < 2 + n ? 0x010203u : 0u) << n << " pixels, at " << x;
  }
}

TEST(Damage, GrowsToTheBoundingBlockAndWakesOnlyOnTheFirstChange) {
  Damage damage;
  EXPECT_TRUE(damage.take().empty());
  EXPECT_TRUE(damage.add(Block{10, 20, 5, 5}));
  EXPECT_FALSE(damage.add(Block{2, 30, 1, 1}));
  EXPECT_TRUE(damage.pending());
  const Block b = damage.take();
  EXPECT_EQ((std::array{b.x, b.y, b.w, b.h}), (std::array{2, 20, 13, 11}));
  EXPECT_FALSE(damage.pending());
  EXPECT_TRUE(damage.add(Block{0, 0, 1, 1}));
}

// What a flush sends, as (x, y, w, h) each.
std::vector<std::array<int, 4>> Taken(Damage& damage) {
  std::vector<Block> out;
  damage.take(out);
  std::vector<std::array<int, 4>> blocks;
  for (const Block& b : out) blocks.push_back({b.x, b.y, b.w, b.h});
  return blocks;
}

TEST(Damage, ChangesSideBySideJoinOneBlockAndScatteredOnesGoApart) {
  Damage damage;
  for (int bar = 0; bar < 3; ++bar)  // a row of cells, each a bar drawn by rows
    for (int row = 0; row < 13; ++row) damage.add(Block{19 * bar, row, 20, 1});
  for (int row = 0; row < 13; ++row) damage.add(Block{1000, 500 + row, 20, 1});  // far away
  EXPECT_EQ(Taken(damage), (std::vector<std::array<int, 4>>{{0, 0, 58, 13}, {1000, 500, 20, 13}}));
  EXPECT_FALSE(damage.pending());

  // Pixel by pixel over two rows of a wide picture: still one block.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 1000; ++x) damage.add(Block{x, y, 1, 1});
  EXPECT_EQ(Taken(damage), (std::vector<std::array<int, 4>>{{0, 0, 1000, 2}}));
}

TEST(Damage, TheBoundingBlockGoesWhereItCostsLessThanTheBlocksOrTheyAreTooMany) {
  Damage damage;
  damage.add(Block{0, 0, 100, 100});
  damage.add(Block{150, 150, 1, 1});
  damage.add(Block{0, 0, 100, 100});  // drawn over again: sending it twice costs more
  EXPECT_EQ(Taken(damage), (std::vector<std::array<int, 4>>{{0, 0, 151, 151}}));

  auto many = [&](int count) {  // blocks too far apart to join
    for (int i = 0; i < count; ++i) damage.add(Block{i % 32 * 100, i / 32 * 100, 50, 50});
    return Taken(damage).size();
  };
  EXPECT_EQ(many(int(Damage::MostBlocks)), Damage::MostBlocks);
  EXPECT_EQ(many(int(Damage::MostBlocks) + 1), 1u);
}

// A backend's surface whose damage lies at (10, 20) in a larger picture.
class RecordingSurface : public WindowSurface {
 public:
  RecordingSurface() : WindowSurface(PixelSurface(100, 100)) { keepDamageIn(damage, 10, 20); }
  void drawUnder(std::recursive_timed_mutex&) override {}
  Damage damage;
  int passedOn = 0;

 private:
  void presentBlock(int x, int y, int w, int h) override {
    ++passedOn;
    damage.add(Block{x + 10, y + 20, w, h});
  }
};

TEST(WindowSurface, AChangeInsideAWaitingBlockIsCountedWithoutTheBackend) {
  RecordingSurface s;
  for (int row = 0; row < 13; ++row) s.present(0, row, 20, 1);  // a bar's rows grow the block
  for (int row = 0; row < 13; ++row) s.present(5, row, 10, 1);  // drawn over, inside it
  EXPECT_EQ(s.passedOn, 13);
  EXPECT_EQ(s.damage.changes(), 26u);
  const Block b = s.damage.take();
  EXPECT_EQ((std::array{b.x, b.y, b.w, b.h}), (std::array{10, 20, 20, 13}));
  s.present(5, 5, 1, 1);  // taken: a change there is news again
  EXPECT_EQ(s.passedOn, 14);
  s.present(5, 5, 1, 1);  // drawn over again: counted only
  EXPECT_EQ(s.passedOn, 14);
  EXPECT_EQ(s.damage.changes(), 28u);
}

TEST(FlushPacer, SendsAtOnceAfterAPauseAndOnceAnIntervalWhileDrawingGoesOn) {
  FlushPacer pacer(100us, 1ms, 500us);
  const FlushPacer::Clock::time_point t0{};
  EXPECT_TRUE(pacer.due(t0, 0));  // idle: the first change goes at once
  EXPECT_EQ(pacer.next(), std::nullopt);
  pacer.sent(t0, 1);
  EXPECT_FALSE(pacer.due(t0 + 99us, 5));
  EXPECT_EQ(pacer.next(), t0 + 100us);
  EXPECT_TRUE(pacer.due(t0 + 100us, 9));
  pacer.retry(t0 + 100us, 20us);  // the damage could not be taken then
  EXPECT_FALSE(pacer.due(t0 + 110us, 9));
  EXPECT_TRUE(pacer.due(t0 + 120us, 9));
  pacer.sent(t0 + 120us, 9);
  EXPECT_EQ(pacer.next(), t0 + 220us);
  pacer.idle();  // nothing came in that interval
  EXPECT_TRUE(pacer.due(t0 + 221us, 9));
  EXPECT_EQ(pacer.next(), std::nullopt);
}

// Drawing that goes on holds its lock nearly all the time: the reader, finding it held,
// looks again at longer and longer waits, up to an interval, rather than every few
// microseconds; a look that gets the lock starts short again, as for a lone change.
TEST(FlushPacer, LooksAgainLaterEachTimeTheLockIsHeldInARow) {
  FlushPacer pacer(100us, 1ms, 500us);
  auto now = FlushPacer::Clock::time_point{};
  auto waitsWhileHeld = [&](int looks) {
    std::vector<long long> waits;
    for (int i = 0; i < looks; ++i) {
      pacer.retry(now, 5us);
      const auto at = pacer.next().value();
      waits.push_back(std::chrono::duration_cast<std::chrono::microseconds>(at - now).count());
      EXPECT_FALSE(pacer.due(at - 1us, 2));
      EXPECT_TRUE(pacer.due(now = at, 2));
    }
    return waits;
  };
  ASSERT_TRUE(pacer.due(now, 1));
  EXPECT_FALSE(pacer.lockWasHeld());  // a first look only tries the lock
  EXPECT_EQ(waitsWhileHeld(7), (std::vector<long long>{5, 10, 20, 40, 80, 100, 100}));
  EXPECT_TRUE(pacer.lockWasHeld());  // the next one waits for it
  pacer.sent(now, 2);
  EXPECT_FALSE(pacer.lockWasHeld());
  ASSERT_TRUE(pacer.due(now += 100us, 3));
  EXPECT_EQ(waitsWhileHeld(2), (std::vector<long long>{5, 10}));
  pacer.idle();
  EXPECT_FALSE(pacer.lockWasHeld());
  ASSERT_TRUE(pacer.due(now, 3));
  EXPECT_EQ(waitsWhileHeld(1), (std::vector<long long>{5}));
}

TEST(FlushPacer, LongDenseDrawingGoesOutOnceALongIntervalOrWhenItPauses) {
  FlushPacer pacer(100us, 1ms, 500us);
  auto now = FlushPacer::Clock::time_point{};
  uint64_t changes = 0;
  auto dense = [&] { return changes += FlushPacer::DenseChanges; };
  // A millisecond of dense drawing: flushed every interval.
  for (const auto start = now; now - start <= 1ms; now += 100us) {
    ASSERT_TRUE(pacer.due(now, dense()));
    pacer.sent(now, changes);
  }
  // From then on looked at every interval, but flushed once a long interval...
  auto flushedAt = now - 100us;
  for (; now < flushedAt + 500us; now += 100us) EXPECT_FALSE(pacer.due(now, dense()));
  EXPECT_TRUE(pacer.due(now, dense()));
  pacer.sent(flushedAt = now, changes);
  // ...or at the first look without a change, and what follows starts afresh.
  EXPECT_FALSE(pacer.due(now += 100us, dense()));
  EXPECT_TRUE(pacer.due(now += 100us, changes));
  pacer.sent(now, changes);
  pacer.sent(now += 100us, dense());
  EXPECT_EQ(pacer.next(), now + 100us);
  EXPECT_TRUE(pacer.due(now + 100us, dense()));

  // A program that draws a little at a time is never long drawing.
  for (int i = 0; i < 20; ++i) pacer.sent(now += 100us, changes += 13);
  EXPECT_TRUE(pacer.due(now + 100us, changes += 13));
}

// The terminal's pacing: drawing that never pauses, looked at more often than it is sent,
// still goes out at least once a long interval.
TEST(FlushPacer, DrawingThatNeverPausesGoesOutAtLeastOnceALongInterval) {
  FlushPacer pacer(500us, 4ms, 8ms);
  const FlushPacer::Clock::time_point t0{};
  uint64_t changes = 0;
  auto last = t0;
  int flushes = 0;
  for (auto now = t0; now < t0 + 50ms; now += 100us) {
    changes += FlushPacer::DenseChanges;
    if (!pacer.due(now, changes)) continue;
    EXPECT_LE(now - last, 8ms);
    last = now;
    ++flushes;
    pacer.sent(now, changes);
  }
  EXPECT_GE(flushes, 50 / 8);
  EXPECT_GE(last, t0 + 42ms);
}

TEST(DrawingLock, NamingTheDrawingLockWaitsForAReaderOfTheOldOne) {
  DrawingLock lock;
  std::recursive_timed_mutex drawing;
  std::recursive_timed_mutex& own = lock.hold();  // a backend's thread reading the pixels
  std::atomic<bool> switched{false};
  std::thread drawer([&] {
    lock.use(drawing);
    switched = true;
  });
  std::this_thread::sleep_for(20ms);
  EXPECT_FALSE(switched);  // drawing under the new lock now would race with that reader
  own.unlock();
  drawer.join();
  EXPECT_EQ(&lock.hold(), &drawing);
  drawing.unlock();
}

}  // namespace
