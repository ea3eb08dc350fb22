#pragma once
// What a window in the terminal shows: a pixel store with a note of the cells that changed
// since the terminal was last brought up to date, and the window surfaces that draw on it
// (a top-level window, and a child window at its place inside it).
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/surface.h"
#include "platform/terminal/picture_encoder.h"

namespace platform::terminal {

class PictureStore {
 public:
  // onFirstChange runs (under the store's lock) when a change arrives while none waited.
  PictureStore(int width, int height, std::function<void()> onFirstChange);

  std::mutex& mutex() { return mutex_; }
  // The rest needs the lock.
  PixelSurface& pixels() { return pixels_; }
  void markChanged(int x, int y, int w, int h);
  // The changed cell areas since the last call, one per cell row; clears the note.
  void takeChanges(std::vector<CellArea>& areas);
  bool changed() const { return changed_; }

  // Steady-clock nanoseconds of the last change and of the first change not yet taken.
  int64_t lastChangeNs() const { return lastChangeNs_.load(); }
  int64_t firstChangeNs() const { return firstChangeNs_.load(); }

 private:
  std::mutex mutex_;
  PixelSurface pixels_;
  std::vector<int> firstColumn_, lastColumn_;  // per cell row; first > last: unchanged
  bool changed_ = false;
  std::atomic<int64_t> lastChangeNs_{0}, firstChangeNs_{0};
  std::function<void()> onFirstChange_;
};

// A window's client area: the block (left, top, width, height) of a store.
class TerminalSurface : public WindowSurface {
 public:
  TerminalSurface(std::shared_ptr<PictureStore> store, int left, int top, int width, int height);

  int width() const override { return width_; }
  int height() const override { return height_; }
  void setPixel(int x, int y, COLORREF v) override;
  COLORREF pixel(int x, int y) const override;
  void fillRect(int x, int y, int w, int h, COLORREF v) override;
  void copyFrom(const PixelSurface& src, int x, int y, int w, int h) override;

  PictureStore& store() { return *store_; }
  const std::shared_ptr<PictureStore>& sharedStore() const { return store_; }
  int left() const { return left_; }
  int top() const { return top_; }

 private:
  // Clips the block to this surface and to the store, in store coordinates; false when
  // nothing is left.
  bool clip(int& x, int& y, int& w, int& h) const;

  std::shared_ptr<PictureStore> store_;
  int left_, top_, width_, height_;
};

int64_t SteadyNowNs();

}  // namespace platform::terminal
