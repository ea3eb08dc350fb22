#pragma once
// What a window in the terminal shows: the picture of the whole terminal in memory, with
// the block that changed since the terminal was last brought up to date, and the window
// surfaces that are blocks of it (a top-level window, and a child window at its place
// inside it).
#include <functional>
#include <memory>

#include "damage.h"
#include "surface.h"

namespace platform::terminal {

class PictureStore {
 public:
  // onFirstChange runs (under the drawing lock) when a change arrives while none waited.
  PictureStore(int width, int height, std::function<void()> onFirstChange);

  DrawingLock& lock() { return lock_; }
  // The rest needs the lock.
  PixelSurface& pixels() { return pixels_; }
  Damage& damage() { return damage_; }
  // Adds a block, clipped to the picture already.
  void changed(const Block& block) {
    if (damage_.add(block) && onFirstChange_) onFirstChange_();
  }

 private:
  DrawingLock lock_;
  PixelSurface pixels_;
  Damage damage_;
  std::function<void()> onFirstChange_;
};

// A window's client area: the block (left, top, width, height) of a store, as much of it as
// lies inside the store.
class TerminalSurface : public WindowSurface {
 public:
  TerminalSurface(std::shared_ptr<PictureStore> store, int left, int top, int width, int height);

  void drawUnder(std::recursive_timed_mutex& lock) override { store_->lock().use(lock); }

  const std::shared_ptr<PictureStore>& sharedStore() const { return store_; }
  int left() const { return left_; }
  int top() const { return top_; }

 private:
  void presentBlock(int x, int y, int w, int h) override;

  std::shared_ptr<PictureStore> store_;
  int left_, top_;
};

}  // namespace platform::terminal
