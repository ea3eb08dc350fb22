#include "platform/damage.h"

namespace platform {

void DrawingLock::use(BriefLock& lock) {
  BriefLock& old = hold();
  current_.store(&lock, std::memory_order_release);
  old.unlock();
}

BriefLock& DrawingLock::hold() {
  for (;;) {
    BriefLock* lock = current_.load(std::memory_order_acquire);
    lock->lock();
    // Switched while this waited: the one taken guards nothing any more.
    if (current_.load(std::memory_order_acquire) == lock) return *lock;
    lock->unlock();
  }
}

BriefLock* DrawingLock::tryHold() {
  BriefLock* lock = current_.load(std::memory_order_acquire);
  if (!lock->try_lock()) return nullptr;
  if (current_.load(std::memory_order_acquire) == lock) return lock;
  lock->unlock();  // switched meanwhile; the caller tries again later
  return nullptr;
}

}  // namespace platform
