// The brief lock: mutual exclusion between threads that fight for it, and a waiter that
// gets in only once a long holder lets go.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/brief_lock.h"

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

// A routine called with the lock held may take it again; others stay out until the last
// release.
TEST(BriefLock, TheHolderMayTakeItAgainAndOthersWaitForTheLastRelease) {
  BriefLock lock;
  lock.lock();
  lock.lock();
  EXPECT_TRUE(lock.try_lock());
  auto otherGetsIn = [&] {
    bool got = false;
    std::thread([&] {
      got = lock.try_lock();
      if (got) lock.unlock();
    }).join();
    return got;
  };
  lock.unlock();
  lock.unlock();
  EXPECT_FALSE(otherGetsIn());
  lock.unlock();
  EXPECT_TRUE(otherGetsIn());
  EXPECT_TRUE(lock.try_lock());  // a former holder is not mistaken for the holder
  EXPECT_FALSE(otherGetsIn());
  lock.unlock();
}

}  // namespace
