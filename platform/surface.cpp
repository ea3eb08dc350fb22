#include "surface.h"

#include <cstring>

void PixelSurface::copyFrom(const PixelSurface& src, int x, int y, int w, int h) {
  if (!ClipBlock(std::min(width_, src.width_), std::min(height_, src.height_), x, y, w, h)) return;
  for (int r = y; r < y + h; ++r) {
    const uint32_t* in = src.row(r) + x;
    uint32_t* out = row(r) + x;
    if (order_ == src.order_) {
      std::memcpy(out, in, size_t(w) * sizeof(uint32_t));
    } else {
      for (int i = 0; i < w; ++i) out[i] = encode(src.decode(in[i]));
    }
  }
}
