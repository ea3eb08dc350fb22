#include "platform/terminal/terminal_surface.h"

#include <algorithm>
#include <chrono>

namespace platform::terminal {

int64_t SteadyNowNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

PictureStore::PictureStore(int width, int height, std::function<void()> onFirstChange)
    : pixels_(width, height),
      firstColumn_(size_t((height + 1) / 2), width),
      lastColumn_(size_t((height + 1) / 2), -1),
      onFirstChange_(std::move(onFirstChange)) {}

void PictureStore::markChanged(int x, int y, int w, int h) {
  const int64_t now = SteadyNowNs();
  lastChangeNs_.store(now);
  for (int row = y / 2; row <= (y + h - 1) / 2; ++row) {
    firstColumn_[size_t(row)] = std::min(firstColumn_[size_t(row)], x);
    lastColumn_[size_t(row)] = std::max(lastColumn_[size_t(row)], x + w - 1);
  }
  if (!changed_) {
    changed_ = true;
    firstChangeNs_.store(now);
    if (onFirstChange_) onFirstChange_();
  }
}

void PictureStore::takeChanges(std::vector<CellArea>& areas) {
  if (!changed_) return;
  for (size_t row = 0; row < firstColumn_.size(); ++row) {
    if (firstColumn_[row] > lastColumn_[row]) continue;
    areas.push_back(CellArea{firstColumn_[row], int(row), lastColumn_[row], int(row)});
    firstColumn_[row] = pixels_.width();
    lastColumn_[row] = -1;
  }
  changed_ = false;
}

TerminalSurface::TerminalSurface(std::shared_ptr<PictureStore> store, int left, int top, int width,
                                 int height)
    : store_(std::move(store)), left_(left), top_(top), width_(width), height_(height) {}

bool TerminalSurface::clip(int& x, int& y, int& w, int& h) const {
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, width_), y1 = std::min(y + h, height_);
  int sx0 = x0 + left_, sy0 = y0 + top_, sx1 = x1 + left_, sy1 = y1 + top_;
  const PixelSurface& pixels = store_->pixels();
  sx0 = std::max(sx0, 0);
  sy0 = std::max(sy0, 0);
  sx1 = std::min(sx1, pixels.width());
  sy1 = std::min(sy1, pixels.height());
  if (sx0 >= sx1 || sy0 >= sy1) return false;
  x = sx0;
  y = sy0;
  w = sx1 - sx0;
  h = sy1 - sy0;
  return true;
}

void TerminalSurface::setPixel(int x, int y, COLORREF v) {
  fillRect(x, y, 1, 1, v);
}

COLORREF TerminalSurface::pixel(int x, int y) const {
  int w = 1, h = 1;
  if (!clip(x, y, w, h)) return 0;
  std::lock_guard lock(store_->mutex());
  return store_->pixels().pixel(x, y);
}

void TerminalSurface::fillRect(int x, int y, int w, int h, COLORREF v) {
  if (!clip(x, y, w, h)) return;
  std::lock_guard lock(store_->mutex());
  store_->pixels().fill(x, y, w, h, v);
  store_->markChanged(x, y, w, h);
}

void TerminalSurface::copyFrom(const PixelSurface& src, int x, int y, int w, int h) {
  // Only what the source holds is copied.
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, src.width()), y1 = std::min(y + h, src.height());
  int cx = x0, cy = y0, cw = x1 - x0, ch = y1 - y0;
  if (cw <= 0 || ch <= 0 || !clip(cx, cy, cw, ch)) return;
  // Back from store to source coordinates.
  const int fromX = cx - left_, fromY = cy - top_;
  std::lock_guard lock(store_->mutex());
  PixelSurface& pixels = store_->pixels();
  for (int row = 0; row < ch; ++row)
    std::copy_n(src.row(fromY + row) + fromX, cw, pixels.row(cy + row) + cx);
  store_->markChanged(cx, cy, cw, ch);
}

}  // namespace platform::terminal
