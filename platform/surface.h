#pragma once
// The two kinds of drawing surface: the backing bitmap (plain memory) and a window's
// visible surface, a framebuffer in memory that its backend shows on the display.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include "damage.h"
#include "platform/win_types.h"

// Clips the block (x, y, w, h) to a width x height area; false when nothing is left.
inline bool ClipBlock(int width, int height, int& x, int& y, int& w, int& h) {
  if (x < 0) w += x, x = 0;
  if (y < 0) h += y, y = 0;
  w = std::min(w, width - x);
  h = std::min(h, height - y);
  return w > 0 && h > 0;
}

// How a pixel store lays out the colour bytes of its 32-bit values: Bgr is a COLORREF as it
// is (0x00BBGGRR); Rgb is 0x00RRGGBB, the layout of most X servers, so that such a server
// can read the store as it is.
enum class PixelOrder { Bgr, Rgb };

// A pixel store of 24-bit RGB values, one 32-bit value per pixel, in memory of its own
// (black when made) or in memory that another owns, such as a shared-memory image or a
// block of a larger store. Values go in and come out as COLORREFs whatever the order.
class PixelSurface {
 public:
  PixelSurface(int width, int height)
      : width_(width),
        height_(height),
        stride_(width),
        owned_(size_t(width) * size_t(height), 0),
        data_(owned_.data()) {}
  // On memory of at least height rows of stride values, which outlives this store.
  PixelSurface(int width, int height, uint32_t* memory, int stride, PixelOrder order)
      : width_(width), height_(height), stride_(stride), order_(order), data_(memory) {}
  // A copy always owns its memory.
  PixelSurface(const PixelSurface& other) : PixelSurface(other.width_, other.height_) {
    order_ = other.order_;
    for (int y = 0; y < height_; ++y) std::copy_n(other.row(y), width_, row(y));
  }
  PixelSurface& operator=(const PixelSurface&) = delete;
  PixelSurface(PixelSurface&&) noexcept = default;  // the vector's buffer moves with it

  int width() const { return width_; }
  int height() const { return height_; }
  int stride() const { return stride_; }
  PixelOrder order() const { return order_; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  COLORREF pixel(int x, int y) const { return decode(data_[index(x, y)]); }
  void setPixel(int x, int y, COLORREF v) { data_[index(x, y)] = encode(v); }
  // A row's stored values, in order().
  uint32_t* row(int y) { return data_ + index(0, y); }
  const uint32_t* row(int y) const { return data_ + index(0, y); }

  // Fills the block (x, y, w, h), which the caller has clipped to the surface.
  void fill(int x, int y, int w, int h, COLORREF v) {
    for (int r = y; r < y + h; ++r) fillRun(x, r, w, v);
  }
  // Fills n values of row y from x, which the caller has clipped to the surface. Runs are
  // mostly a few dozen pixels, where the set-up of a general fill costs more than the
  // stores: here four values go at a time, the last four overlapping the ones before.
  void fillRun(int x, int y, int n, COLORREF v) {
    const uint32_t stored = encode(v);
    uint32_t* to = row(y) + x;
    if (n < 4) {
      for (int i = 0; i < n; ++i) to[i] = stored;
      return;
    }
    const uint32_t four[4] = {stored, stored, stored, stored};
    for (int i = 0; i < n - 4; i += 4) std::memcpy(to + i, four, sizeof four);
    std::memcpy(to + n - 4, four, sizeof four);
  }
  // Copies the block (x, y, w, h) of src to the same place here, clipped to both.
  void copyFrom(const PixelSurface& src, int x, int y, int w, int h);

  // The stored value of a colour and back.
  uint32_t encode(COLORREF v) const {
    return order_ == PixelOrder::Bgr ? v & 0xFFFFFF : swapRedBlue(v);
  }
  COLORREF decode(uint32_t stored) const {
    return order_ == PixelOrder::Bgr ? stored & 0xFFFFFF : swapRedBlue(stored);
  }

 private:
  static uint32_t swapRedBlue(uint32_t v) {
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
  }
  size_t index(int x, int y) const { return size_t(y) * size_t(stride_) + size_t(x); }

  int width_, height_, stride_;
  PixelOrder order_ = PixelOrder::Bgr;
  std::vector<uint32_t> owned_;
  uint32_t* data_;
};

// A window's visible surface: its pixels in memory, which the drawing side writes
// directly, and present, which has the backend show a changed block on the display.
//
// The pixels and what waits to be shown are guarded by one lock: the surface's own until
// the drawing side names the lock it draws under (drawUnder), so that drawing pays for no
// lock besides its own. Backends that read the pixels on a thread of their own take it.
class WindowSurface {
 public:
  virtual ~WindowSurface() = default;
  WindowSurface(const WindowSurface&) = delete;
  WindowSurface& operator=(const WindowSurface&) = delete;

  int width() const { return pixels_.width(); }
  int height() const { return pixels_.height(); }
  // Draw into these under the drawing lock, then present what changed.
  PixelSurface& pixels() { return pixels_; }
  const PixelSurface& pixels() const { return pixels_; }

  // The block (x, y, w, h) changed: the backend shows it soon, without a further call.
  // Under the drawing lock; never blocks on the display.
  void present(int x, int y, int w, int h) {
    // Most changes lie inside a block that already waits to be shown, as the rows of a bar
    // do: they are only counted, without a call into the backend.
    if (damage_ && damage_->addInside(platform::Block{x + damageX_, y + damageY_, w, h})) return;
    presentBlock(x, y, w, h);
  }
  // From now on the pixels are drawn under lock. Called once, before the first drawing.
  virtual void drawUnder(std::recursive_timed_mutex& lock) = 0;

 protected:
  explicit WindowSurface(PixelSurface pixels) : pixels_(std::move(pixels)) {}
  // What present passes on: the backend clips the block to the surface and shows it.
  virtual void presentBlock(int x, int y, int w, int h) = 0;
  // The backend keeps what waits to be shown in damage, where this surface's (0, 0) is at
  // (dx, dy), so that present can tell the changes inside a waiting block.
  void keepDamageIn(platform::Damage& damage, int dx = 0, int dy = 0) {
    damage_ = &damage, damageX_ = dx, damageY_ = dy;
  }

 private:
  PixelSurface pixels_;
  platform::Damage* damage_ = nullptr;
  int damageX_ = 0, damageY_ = 0;
};
