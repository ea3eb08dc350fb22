#include "damage.h"

#include <algorithm>

namespace platform {

void DrawingLock::use(std::recursive_timed_mutex& lock) {
  std::recursive_timed_mutex& old = hold();
  current_.store(&lock, std::memory_order_release);
  old.unlock();
}

std::recursive_timed_mutex& DrawingLock::hold() {
  for (;;) {
    std::recursive_timed_mutex* lock = current_.load(std::memory_order_acquire);
    lock->lock();
    // Switched while this waited: the one taken guards nothing any more.
    if (current_.load(std::memory_order_acquire) == lock) return *lock;
    lock->unlock();
  }
}

void Damage::start(const Block& b) {
  left_ = b.x, top_ = b.y, right_ = b.x + b.w, bottom_ = b.y + b.h;
  blocks_.clear();
  many_ = false;
  last_ = b;
  pending_.store(true, std::memory_order_release);
}

void Damage::grow(const Block& b) {
  left_ = std::min(left_, b.x);
  top_ = std::min(top_, b.y);
  right_ = std::max(right_, b.x + b.w);
  bottom_ = std::max(bottom_, b.y + b.h);
  const int left = std::min(b.x, last_.x), top = std::min(b.y, last_.y);
  const int right = std::max(b.x + b.w, last_.x + last_.w);
  const int bottom = std::max(b.y + b.h, last_.y + last_.h);
  if (int64_t(right - left) * (bottom - top) <= area(last_) + area(b) + BlockCost) {
    last_ = Block{left, top, right - left, bottom - top};
    return;
  }
  if (blocks_.size() + 1 < MostBlocks) {
    blocks_.push_back(last_);
  } else {
    many_ = true;  // too many: the bounding block stands for them
    blocks_.clear();
  }
  last_ = b;
}

std::recursive_timed_mutex* DrawingLock::tryHold() {
  std::recursive_timed_mutex* lock = current_.load(std::memory_order_acquire);
  return lock->try_lock() ? stillCurrent(lock) : nullptr;
}

std::recursive_timed_mutex* DrawingLock::holdWithin(std::chrono::microseconds wait) {
  std::recursive_timed_mutex* lock = current_.load(std::memory_order_acquire);
  // Asleep in the lock, not trying it again and again: each try would take the lock's cache
  // line from the drawing. Against the system clock, as pthread_mutex_timedlock counts, which
  // the thread sanitizer follows (it does not follow the steady clock's call); a clock set
  // back only makes the wait longer while the lock stays held.
  const auto until = std::chrono::system_clock::now() + wait;
  return lock->try_lock_until(until) ? stillCurrent(lock) : nullptr;
}

std::recursive_timed_mutex* DrawingLock::stillCurrent(std::recursive_timed_mutex* lock) {
  if (current_.load(std::memory_order_acquire) == lock) return lock;
  lock->unlock();  // switched meanwhile; the caller tries again later
  return nullptr;
}

}  // namespace platform
