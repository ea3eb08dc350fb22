#pragma once
// A lock for sections that last well under a microsecond and are seldom contended, such as
// the drawing of one pixel run. Taking it is one atomic exchange and releasing it one plain
// store. A std::mutex release is a second locked instruction, and a locked instruction
// waits until the section's stores, which mostly miss the cache, have landed: for runs of a
// few dozen pixels that wait was half of the drawing time. The price is that a release
// wakes nobody: a waiter spins a little, then yields, then sleeps in short steps.
//
// The thread that holds it may take it again (like a critical section) and must release it
// as often as it took it: a routine called while the lock is held may draw.
#include <atomic>

class BriefLock {
 public:
  void lock() {
    if (Acquire()) return;
    LockContended();
  }
  bool try_lock() {
    if (HeldByThisThread()) {
      ++depth_;
      return true;
    }
    return !held_.load(std::memory_order_relaxed) && Acquire();
  }
  void unlock() {
    if (depth_ > 0) {
      --depth_;
      return;
    }
    owner_.store(nullptr, std::memory_order_relaxed);
    held_.store(false, std::memory_order_release);
  }

 private:
  // A token per thread: the address of a thread-local object.
  static const void* Self() {
    static thread_local const char token = 0;
    return &token;
  }
  bool Acquire() {
    if (held_.exchange(true, std::memory_order_acquire)) return false;
    owner_.store(Self(), std::memory_order_relaxed);
    return true;
  }
  // Only the holder ever stores its own token, and it clears it before it lets go, so a
  // thread finds its token here exactly while it holds the lock.
  bool HeldByThisThread() const { return owner_.load(std::memory_order_relaxed) == Self(); }
  void LockContended();

  std::atomic<bool> held_{false};
  std::atomic<const void*> owner_{nullptr};
  int depth_ = 0;  // extra holds of the owner; touched only by the owner
};
