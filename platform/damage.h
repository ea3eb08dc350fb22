#pragma once
// What a backend keeps to show a framebuffer that another thread draws into: the lock the
// drawing happens under, the block that changed since it was last shown, and when to show
// it. The drawing side only grows the block, under the lock; whoever shows it (the backend's
// own thread, or a reader of the in-memory display) takes it under the same lock and
// decides when, so drawing never reads a clock and never waits for the display.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

namespace platform {

// The lock that guards a framebuffer: its own until the drawing side names another.
class DrawingLock {
 public:
  // Switches to lock; waits until nobody holds the current one, so the caller must not.
  void use(std::recursive_timed_mutex& lock);
  // Takes the current lock and returns it, held.
  std::recursive_timed_mutex& hold();
  // The current lock, held, if it is free now; nullptr when it is not.
  std::recursive_timed_mutex* tryHold();
  // The current lock, held, if it comes free within wait; nullptr when it does not.
  std::recursive_timed_mutex* holdWithin(std::chrono::microseconds wait);

 private:
  // lock, just taken, if it is still the current one; else let go of it, and nullptr.
  std::recursive_timed_mutex* stillCurrent(std::recursive_timed_mutex* lock);

  std::recursive_timed_mutex own_;
  std::atomic<std::recursive_timed_mutex*> current_{&own_};
};

// A block of pixels: (x, y) and its width and height.
struct Block {
  int x = 0, y = 0, w = 0, h = 0;
  bool empty() const { return w <= 0 || h <= 0; }
};

// What changed: its bounding block, the blocks themselves while they are few, and a count of
// changes that tells drawing that goes on from drawing that has paused. Grown and taken
// under the drawing lock.
//
// The blocks matter where drawing is scattered, as when a game moves pieces all over its
// picture: their bounding block is then nearly the whole window, and sending it would cost
// the display a full-frame copy for a few small changes. But each block sent costs the
// display about as much as copying BlockCost pixels, so a change joins the block before it
// wherever the pixels this adds cost less than another block: the rows of a bar, the bars
// of a row of cells and the pixels of a row become one block each.
class Damage {
 public:
  // Beyond this many blocks only the bounding block is kept.
  static constexpr size_t MostBlocks = 1024;
  // What sending one more block costs, in pixels copied.
  static constexpr int64_t BlockCost = 2048;

  Damage() { blocks_.reserve(MostBlocks); }

  // Adds a block, clipped already. True when nothing was waiting before: wake the backend.
  bool add(const Block& b) {
    // Only the drawing side writes the count: no locked instruction is needed.
    changes_.store(changes_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    if (!pending_.load(std::memory_order_relaxed)) {
      start(b);
      return true;
    }
    // Most rows of a bar, once its first rows joined the block: nothing to do.
    if (!inside(b, last_)) grow(b);
    return false;
  }
  // Counts a change that lies inside the block that grows, as a pixel drawn over again does,
  // and is true: nothing else is to be done for it. False when it lies elsewhere: add it.
  bool addInside(const Block& b) {
    if (!inside(b, last_)) return false;
    changes_.store(changes_.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    return true;
  }
  // Whether something waits; any thread may ask without the lock.
  bool pending() const { return pending_.load(std::memory_order_acquire); }
  // Any thread may read it without the lock.
  uint64_t changes() const { return changes_.load(std::memory_order_relaxed); }
  // The bounding block of what waits (empty when nothing does); nothing waits afterwards.
  Block take() {
    if (!pending_.load(std::memory_order_relaxed)) return {};
    pending_.store(false, std::memory_order_relaxed);
    last_ = Block{};  // a change inside it is a change again
    return Block{left_, top_, right_ - left_, bottom_ - top_};
  }
  // What waits as the blocks to send (none when nothing does); nothing waits afterwards.
  // The bounding block alone where that costs less to send than the blocks.
  void take(std::vector<Block>& out) {
    out.clear();
    if (!pending_.load(std::memory_order_relaxed)) return;
    const Block last = last_;
    const Block bounds = take();
    int64_t cost = area(last) + BlockCost;
    for (const Block& b : blocks_) cost += area(b) + BlockCost;
    if (many_ || cost >= area(bounds) + BlockCost) {
      out.push_back(bounds);
    } else {
      out = blocks_;
      out.push_back(last);
    }
  }

 private:
  static int64_t area(const Block& b) { return int64_t(b.w) * b.h; }
  static bool inside(const Block& b, const Block& in) {
    return b.x >= in.x && b.y >= in.y && b.x + b.w <= in.x + in.w && b.y + b.h <= in.y + in.h;
  }
  // Out of line, so that the common case above saves no registers.
  void start(const Block& b);
  void grow(const Block& b);

  std::atomic<bool> pending_{false};
  std::atomic<uint64_t> changes_{0};
  int left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
  Block last_;  // the block that grows; blocks_ holds those before it
  std::vector<Block> blocks_;
  bool many_ = false;
};

// When to show the damage: at once when it comes after a pause, so that a lone change
// shows without delay, and while the drawing goes on once an interval, so that a stream of
// small changes goes out in batches.
//
// Dense drawing (many changes in every interval) that goes on for longer than the
// long-drawing time is a picture being painted rather than a step of a program: it goes
// out once a long interval, sparing the display and the drawing most flushes, but at the
// first interval without a change, so that its end shows as soon as ever.
//
// The drawing side needs to wake the backend only while the pacer is idle. Used by the
// backend's thread alone.
class FlushPacer {
 public:
  using Clock = std::chrono::steady_clock;
  // Fewer changes than this since the last flush is drawing that is not dense.
  static constexpr uint64_t DenseChanges = 1000;

  FlushPacer(Clock::duration interval, Clock::duration longDrawing, Clock::duration longInterval)
      : interval_(interval), longDrawing_(longDrawing), longInterval_(longInterval) {}

  // Whether to look at the damage now, given the damage's count of changes.
  bool due(Clock::time_point now, uint64_t changes) {
    if (!waiting_) return true;
    if (now < until_) return false;
    if (now < longUntil_ && changes != seen_) {  // long drawing that goes on
      seen_ = changes;
      until_ = std::min(now + interval_, longUntil_);
      return false;
    }
    if (now < longUntil_) paused_ = true;  // it paused: what comes next starts afresh
    return true;
  }
  // Damage went out now, with the damage's count of changes then.
  void sent(Clock::time_point now, uint64_t changes) {
    if (paused_ || changes - sentChanges_ < DenseChanges) denseSince_ = now;
    paused_ = false;
    sentChanges_ = seen_ = changes;
    retryDelay_ = Clock::duration::zero();
    waiting_ = true;
    until_ = now + interval_;
    longUntil_ = now - denseSince_ < longDrawing_ ? until_ : now + longInterval_;
  }
  // An interval passed with nothing to send: the next damage may go at once.
  void idle() { waiting_ = false, paused_ = true, retryDelay_ = Clock::duration::zero(); }
  // The damage could not be looked at now, its lock being held: look again after first,
  // then twice as long at each look in a row that finds the lock held, up to an interval.
  // A lone change is sent a moment after the call that made it lets go of the lock; drawing
  // that goes on holds it nearly all the time and takes it back before another processor
  // can, so looking every few microseconds would only cost wakes, and its end is still
  // seen within an interval.
  void retry(Clock::time_point now, Clock::duration first) {
    retryDelay_ =
        retryDelay_ == Clock::duration::zero() ? first : std::min(2 * retryDelay_, interval_);
    waiting_ = true;
    until_ = longUntil_ = now + retryDelay_;
  }
  // Whether the last look found the lock held: the next one may wait for it.
  bool lockWasHeld() const { return retryDelay_ != Clock::duration::zero(); }
  // When to look at the damage again; nullopt when the next damage goes at once.
  std::optional<Clock::time_point> next() const {
    return waiting_ ? std::optional(until_) : std::nullopt;
  }

 private:
  Clock::duration interval_, longDrawing_, longInterval_;
  bool waiting_ = false;         // for until_
  bool paused_ = true;           // since the last flush
  uint64_t sentChanges_ = 0;     // the count of changes at the last flush
  uint64_t seen_ = 0;            // and at the last look
  Clock::time_point until_;      // the next look
  Clock::time_point longUntil_;  // the next flush of long drawing, at the latest
  Clock::time_point denseSince_;
  // The wait after the last look that found the lock held; zero after one that did not.
  Clock::duration retryDelay_{};
};

}  // namespace platform
