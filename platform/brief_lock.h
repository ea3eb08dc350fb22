#pragma once
// A lock for sections that last well under a microsecond and are seldom contended, such as
// the drawing of one pixel run. Taking it is one atomic exchange and releasing it one plain
// store. A std::mutex release is a second locked instruction, and a locked instruction
// waits until the section's stores, which mostly miss the cache, have landed: for runs of a
// few dozen pixels that wait was half of the drawing time. The price is that a release
// wakes nobody: a waiter spins a little, then yields, then sleeps in short steps.
#include <atomic>

class BriefLock {
 public:
  void lock() {
    if (!held_.exchange(true, std::memory_order_acquire)) return;
    LockContended();
  }
  bool try_lock() {
    return !held_.load(std::memory_order_relaxed) &&
           !held_.exchange(true, std::memory_order_acquire);
  }
  void unlock() { held_.store(false, std::memory_order_release); }

 private:
  void LockContended();
  std::atomic<bool> held_{false};
};
