#pragma once
// The two kinds of drawing surface: the backing bitmap (plain memory) and a window's
// visible surface (owned by the display backend).
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/win_types.h"

// Clips the block (x, y, w, h) to a width x height area; false when nothing is left.
inline bool ClipBlock(int width, int height, int& x, int& y, int& w, int& h) {
  if (x < 0) w += x, x = 0;
  if (y < 0) h += y, y = 0;
  w = std::min(w, width - x);
  h = std::min(h, height - y);
  return w > 0 && h > 0;
}

// A pixel store of 24-bit RGB values (0x00BBGGRR), one per pixel, black when made.
class PixelSurface {
 public:
  PixelSurface(int width, int height)
      : width_(width), height_(height), pixels_(size_t(width) * size_t(height), 0) {}

  int width() const { return width_; }
  int height() const { return height_; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  COLORREF pixel(int x, int y) const { return pixels_[index(x, y)]; }
  void setPixel(int x, int y, COLORREF v) { pixels_[index(x, y)] = v; }
  COLORREF* row(int y) { return &pixels_[index(0, y)]; }
  const COLORREF* row(int y) const { return &pixels_[index(0, y)]; }

  // Fills the block (x, y, w, h), which the caller has clipped to the surface.
  void fill(int x, int y, int w, int h, COLORREF v) {
    for (int r = y; r < y + h; ++r) std::fill_n(row(r) + x, w, v);
  }

 private:
  size_t index(int x, int y) const { return size_t(y) * size_t(width_) + size_t(x); }
  int width_, height_;
  std::vector<COLORREF> pixels_;
};

// A window's visible surface. Coordinates are client-area pixels; callers clip to the
// client area. What a call draws must reach the screen promptly without a further call.
class WindowSurface {
 public:
  virtual ~WindowSurface() = default;
  virtual int width() const = 0;
  virtual int height() const = 0;
  virtual void setPixel(int x, int y, COLORREF v) = 0;
  virtual COLORREF pixel(int x, int y) const = 0;
  virtual void fillRect(int x, int y, int w, int h, COLORREF v) = 0;
  // Copies the block (x, y, w, h) of src to the same place on this surface.
  virtual void copyFrom(const PixelSurface& src, int x, int y, int w, int h) = 0;
};
