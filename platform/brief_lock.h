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
//
// One thread may be favoured (favourThisThread): it takes the lock with plain stores and
// loads, no locked instruction at all, while every other thread that takes it makes the
// favoured thread's stores visible with a barrier across the process (Linux's membarrier).
// For a lock that one thread takes for every run it draws and others take now and then.
#include <atomic>

class BriefLock {
 public:
  void lock() {
    if (IsFavoured()) {
      LockFavoured();
      return;
    }
    if (!TakeHeld() && !LockContended()) return;  // taken again by its holder
    if (favoured_.load(std::memory_order_relaxed) != nullptr) ShutOutFavoured();
  }
  bool try_lock();
  void unlock() {
    if (IsFavoured()) {
      UnlockFavoured();
      return;
    }
    if (depth_ > 0) {
      --depth_;
      return;
    }
    Release();
  }

  // Favours the calling thread from now on, until it ends, unless another thread is
  // favoured already or the system offers no process-wide barrier; true when it is
  // favoured. Not while holding the lock, and only for a lock that outlives the thread.
  bool favourThisThread();

 private:
  friend class FavouredLocks;

  // A token per thread: the address of a thread-local object.
  static const void* Self() {
    static thread_local const char token = 0;
    return &token;
  }
  bool IsFavoured() const { return favoured_.load(std::memory_order_relaxed) == Self(); }

  // The ordinary way in and out, which also excludes the favoured thread's slow way.
  bool TakeHeld() {
    if (held_.exchange(true, std::memory_order_acquire)) return false;
    owner_.store(Self(), std::memory_order_relaxed);
    return true;
  }
  void Release() {
    if (shutOut_) {
      shutOut_ = false;
      claimed_.store(false, std::memory_order_release);
    }
    owner_.store(nullptr, std::memory_order_relaxed);
    held_.store(false, std::memory_order_release);
  }
  // Only the holder ever stores its own token, and it clears it before it lets go, so a
  // thread finds its token here exactly while it holds the lock.
  bool HeldByThisThread() const { return owner_.load(std::memory_order_relaxed) == Self(); }
  // Waits for the lock; false when this thread held it already and took it again.
  bool LockContended();
  // With the lock held the ordinary way: keeps the favoured thread out.
  void ShutOutFavoured();
  bool ShutOutFavouredNow();  // the same without waiting; false when it is inside

  // The favoured thread's way: it says it is inside, then looks whether another thread
  // claims the lock. A claimer says so, then runs the barrier, then looks whether the
  // favoured thread is inside. The barrier orders each side's store before its load, so at
  // least one of them sees the other and keeps out.
  bool EnterFavoured() {
    inside_.store(true, std::memory_order_relaxed);
    std::atomic_signal_fence(std::memory_order_seq_cst);  // the store stays before the load
    if (!claimed_.load(std::memory_order_acquire)) return true;
    inside_.store(false, std::memory_order_release);
    return false;
  }
  void LockFavoured() {
    if (favouredDepth_++ > 0 || EnterFavoured()) return;
    LockFavouredSlowly();
  }
  void UnlockFavoured() {
    if (--favouredDepth_ > 0) return;
    if (favouredHeld_) {
      favouredHeld_ = false;
      Release();
      return;
    }
    inside_.store(false, std::memory_order_release);
  }
  void LockFavouredSlowly();  // the ordinary way, while another thread holds or claims it
  bool TryLockFavoured();
  void EndFavour();  // the favoured thread ends

  std::atomic<bool> held_{false};
  std::atomic<const void*> owner_{nullptr};
  int depth_ = 0;         // extra holds of the owner; touched only by the owner
  bool shutOut_ = false;  // the owner claimed the lock from the favoured thread

  std::atomic<const void*> favoured_{nullptr};  // set and cleared with held_ taken
  std::atomic<bool> claimed_{false};            // set and cleared by a holder of held_
  std::atomic<bool> inside_{false};             // stored by the favoured thread alone
  int favouredDepth_ = 0;                       // the favoured thread's holds; touched only by it
  bool favouredHeld_ = false;                   // it went in the ordinary way
};
