#include "platform/brief_lock.h"

#include <chrono>
#include <thread>

namespace {

void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

}  // namespace

void BriefLock::LockContended() {
  if (HeldByThisThread()) {
    ++depth_;
    return;
  }
  // A holder that runs is done within a few hundred pauses; one that was preempted, or that
  // repaints a whole window, needs this core, and then the waiter steps aside.
  constexpr int kSpins = 200, kYields = 50;
  for (int attempt = 0;; ++attempt) {
    if (!held_.load(std::memory_order_relaxed) && Acquire()) return;
    if (attempt < kSpins) {
      CpuRelax();
    } else if (attempt < kSpins + kYields) {
      std::this_thread::yield();
    } else {
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
  }
}
