#include "brief_lock.h"

#include <chrono>
#include <thread>
#include <vector>

#ifdef __linux__
#include <linux/membarrier.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// Spins a little, then yields, then sleeps in short steps until done() holds. A holder
// that runs is done within a few hundred pauses; one that was preempted, or that repaints a
// whole window, needs this core, and then the waiter steps aside.
template <typename Done>
void WaitUntil(Done done) {
  constexpr int kSpins = 200, kYields = 50;
  for (int attempt = 0; !done(); ++attempt) {
    if (attempt < kSpins) {
      CpuRelax();
    } else if (attempt < kSpins + kYields) {
      std::this_thread::yield();
    } else {
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
  }
}

#ifdef __linux__
// Every thread of the process that runs now passes a full memory barrier before this
// returns; a thread that does not run passes one when it is switched out anyway.
bool ProcessBarrier() {
  return syscall(SYS_membarrier, MEMBARRIER_CMD_PRIVATE_EXPEDITED, 0, 0) == 0;
}
bool ProcessBarrierOffered() {
  static const bool offered =
      syscall(SYS_membarrier, MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED, 0, 0) == 0 &&
      ProcessBarrier();
  return offered;
}
#else
bool ProcessBarrier() {
  return false;
}
bool ProcessBarrierOffered() {
  return false;
}
#endif

}  // namespace

// Ends the favour of a thread's locks when the thread ends.
class FavouredLocks {
 public:
  static void Add(BriefLock* lock) {
    thread_local FavouredLocks mine;
    mine.locks_.push_back(lock);
  }
  ~FavouredLocks() {
    for (BriefLock* lock : locks_) lock->EndFavour();
  }

 private:
  std::vector<BriefLock*> locks_;
};

bool BriefLock::LockContended() {
  if (HeldByThisThread()) {
    ++depth_;
    return false;
  }
  WaitUntil([this] { return !held_.load(std::memory_order_relaxed) && TakeHeld(); });
  return true;
}

bool BriefLock::try_lock() {
  if (IsFavoured()) return TryLockFavoured();
  if (HeldByThisThread()) {
    ++depth_;
    return true;
  }
  if (held_.load(std::memory_order_relaxed) || !TakeHeld()) return false;
  if (favoured_.load(std::memory_order_relaxed) == nullptr || ShutOutFavouredNow()) return true;
  Release();
  return false;
}

bool BriefLock::ShutOutFavouredNow() {
  shutOut_ = true;
  claimed_.store(true, std::memory_order_relaxed);
  // Registered before the thread was favoured, so it cannot fail.
  ProcessBarrier();
  return !inside_.load(std::memory_order_acquire);
}

void BriefLock::ShutOutFavoured() {
  if (ShutOutFavouredNow()) return;
  WaitUntil([this] { return !inside_.load(std::memory_order_acquire); });
}

void BriefLock::LockFavouredSlowly() {
  if (!TakeHeld()) LockContended();
  favouredHeld_ = true;
}

bool BriefLock::TryLockFavoured() {
  if (favouredDepth_ > 0) {
    ++favouredDepth_;
    return true;
  }
  if (EnterFavoured()) {
    favouredDepth_ = 1;
    return true;
  }
  if (held_.load(std::memory_order_relaxed) || !TakeHeld()) return false;
  favouredHeld_ = true;
  favouredDepth_ = 1;
  return true;
}

bool BriefLock::favourThisThread() {
  if (IsFavoured()) return true;
  if (favoured_.load(std::memory_order_relaxed) != nullptr || !ProcessBarrierOffered())
    return false;
  // With held_ taken, so that no other thread is inside the ordinary way meanwhile.
  if (!TakeHeld()) LockContended();
  const bool free = favoured_.load(std::memory_order_relaxed) == nullptr;
  if (free) favoured_.store(Self(), std::memory_order_relaxed);
  Release();
  if (free) FavouredLocks::Add(this);
  return free;
}

void BriefLock::EndFavour() {
  if (!TakeHeld()) LockContended();
  favoured_.store(nullptr, std::memory_order_relaxed);
  Release();
}
