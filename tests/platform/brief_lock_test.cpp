// The brief lock: mutual exclusion between threads that fight for it, a favoured thread
// among them or not, and a waiter that gets in only once a long holder lets go.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "brief_lock.h"

namespace {

TEST(BriefLock, ThreadsThatFightForItNeverOverlap) {
  BriefLock lock;
  long counter = 0;  // plain on purpose: only the lock orders the increments
  int inside = 0;
  bool overlapped = false;
  constexpr int kThreads = 4, kRounds = 20000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < kRounds; ++i) {
        std::lock_guard guard(lock);
        if (++inside != 1) overlapped = true;
        ++counter;
        --inside;
      }
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_FALSE(overlapped);
  EXPECT_EQ(counter, long(kThreads) * kRounds);
}

TEST(BriefLock, AWaiterGetsInOnlyAfterALongHolderLetsGo) {
  BriefLock lock;
  std::atomic<bool> released{false};
  lock.lock();
  std::thread([&] { EXPECT_FALSE(lock.try_lock()); }).join();
  bool sawRelease = false;
  std::thread waiter([&] {
    std::lock_guard guard(lock);  // spins, yields, then sleeps while the holder keeps it
    sawRelease = released.load();
  });
  // Long enough for the waiter to reach its sleeping steps.
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  released = true;
  lock.unlock();
  waiter.join();
  EXPECT_TRUE(sawRelease);
  EXPECT_TRUE(lock.try_lock());
  lock.unlock();
}

// Whether a thread other than the caller gets the lock now.
bool OtherGetsIn(BriefLock& lock) {
  bool got = false;
  std::thread([&] {
    got = lock.try_lock();
    if (got) lock.unlock();
  }).join();
  return got;
}

// A routine called with the lock held may take it again; others stay out until the last
// release.
TEST(BriefLock, TheHolderMayTakeItAgainAndOthersWaitForTheLastRelease) {
  BriefLock lock;
  lock.lock();
  lock.lock();
  EXPECT_TRUE(lock.try_lock());
  lock.unlock();
  lock.unlock();
  EXPECT_FALSE(OtherGetsIn(lock));
  lock.unlock();
  EXPECT_TRUE(OtherGetsIn(lock));
  EXPECT_TRUE(lock.try_lock());  // a former holder is not mistaken for the holder
  EXPECT_FALSE(OtherGetsIn(lock));
  lock.unlock();
}

// One thread goes in with plain stores while the others claim the lock with a barrier:
// still never two inside, whether they wait for it or only try. All of them fight for the
// same stretch of time, so that the favoured one is there while the others come.
TEST(BriefLock, AFavouredThreadAndOthersThatFightForItNeverOverlap) {
  BriefLock lock;
  long counter = 0;  // plain on purpose: only the lock orders the increments
  std::atomic<int> inside{0};
  std::atomic<bool> overlapped{false}, favoured{false}, go{false};
  std::atomic<long> entries{0};
  std::vector<long> perThread(3);
  auto fight = [&](int id) {
    if (id == 0) favoured = lock.favourThisThread();
    while (!go) std::this_thread::yield();
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(40);
    for (int i = 0; std::chrono::steady_clock::now() < until; ++i) {
      if (i % 3 == 0) {
        if (!lock.try_lock()) continue;
      } else {
        lock.lock();
      }
      if (inside.fetch_add(1) != 0) overlapped = true;
      ++counter;
      ++perThread[size_t(id)];
      for (int spin = 0; spin < 50 && !overlapped; ++spin) overlapped = inside.load() != 1;
      inside.fetch_sub(1);
      lock.unlock();
      for (int spin = 0; spin < 50; ++spin) inside.load();  // out for a while, as between rows
    }
  };
  std::vector<std::thread> threads;
  for (int id = 0; id < 3; ++id) threads.emplace_back(fight, id);
  go = true;
  for (std::thread& t : threads) t.join();
  EXPECT_FALSE(overlapped);
  EXPECT_EQ(counter, perThread[0] + perThread[1] + perThread[2]);
  for (long n : perThread) EXPECT_GT(n, 0);
  if (!favoured) GTEST_SKIP() << "no process-wide barrier here: nothing was favoured";
}

TEST(BriefLock, TheFavouredThreadTakesItAgainAndTheFavourPassesOnWhenItEnds) {
  BriefLock lock;
  bool favoured = false, secondFavoured = true, laterFavoured = false;
  std::thread([&] {
    favoured = lock.favourThisThread();
    if (!favoured) return;
    std::thread([&] { secondFavoured = lock.favourThisThread(); }).join();
    lock.lock();
    EXPECT_TRUE(lock.try_lock());
    lock.unlock();
    EXPECT_FALSE(OtherGetsIn(lock));
    lock.unlock();
    EXPECT_TRUE(OtherGetsIn(lock));
    // Held the ordinary way by another: the favoured thread keeps out too.
    std::atomic<bool> held{false}, done{false};
    std::thread holder([&] {
      std::lock_guard guard(lock);
      held = true;
      while (!done) std::this_thread::yield();
    });
    while (!held) std::this_thread::yield();
    EXPECT_FALSE(lock.try_lock());
    done = true;
    holder.join();
  }).join();
  if (!favoured) GTEST_SKIP() << "no process-wide barrier here";
  EXPECT_FALSE(secondFavoured);
  std::thread([&] { laterFavoured = lock.favourThisThread(); }).join();
  EXPECT_TRUE(laterFavoured);
}

}  // namespace
