#include "terminal/terminal_surface.h"

#include <algorithm>

namespace platform::terminal {
namespace {

// The window's block of the store's pixels, cut to what the store holds.
PixelSurface BlockOf(PictureStore& store, int left, int top, int width, int height) {
  PixelSurface& all = store.pixels();
  const int x = std::clamp(left, 0, all.width()), y = std::clamp(top, 0, all.height());
  const int w = std::clamp(width - (x - left), 0, all.width() - x);
  const int h = std::clamp(height - (y - top), 0, all.height() - y);
  uint32_t* memory = all.height() > 0 ? all.row(0) + size_t(y) * size_t(all.stride()) + x : nullptr;
  return PixelSurface(w, h, memory, all.stride(), all.order());
}

}  // namespace

PictureStore::PictureStore(int width, int height, std::function<void()> onFirstChange)
    : pixels_(width, height), onFirstChange_(std::move(onFirstChange)) {}

TerminalSurface::TerminalSurface(std::shared_ptr<PictureStore> store, int left, int top, int width,
                                 int height)
    : WindowSurface(BlockOf(*store, left, top, width, height)),
      store_(std::move(store)),
      left_(std::max(left, 0)),
      top_(std::max(top, 0)) {
  keepDamageIn(store_->damage(), left_, top_);
}

void TerminalSurface::presentBlock(int x, int y, int w, int h) {
  if (!ClipBlock(width(), height(), x, y, w, h)) return;
  store_->changed(Block{x + left_, y + top_, w, h});
}

}  // namespace platform::terminal
