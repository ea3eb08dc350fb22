#include "page_planes.h"

#include <algorithm>
#include <mutex>

#include "driver_state.h"
#include "graph_state.h"
#include "graphwin/driver.h"
#include "graphwin/true_color.h"

PagePlanes pagePlanes;

void MakePagesLocked(int width, int height, int count) {
  pagePlanes.width = width;
  pagePlanes.height = height;
  pagePlanes.active = pagePlanes.visual = 0;
  pagePlanes.planes.assign(size_t(std::max(count, 0)),
                           std::vector<uint32_t>(size_t(width) * size_t(height), 0));
}

uint32_t CombinePageValues(uint32_t present, uint32_t source, uint16_t mode) {
  if (present < TrueColorFlag && source < TrueColorFlag) {
    if (mode == XORPut) return present ^ source;
    if (mode == OrPut) return present | source;
    return mode == AndPut ? present & source : source;
  }
  const COLORREF a = InkOfStored(present).rgb, b = InkOfStored(source).rgb;
  COLORREF rgb = b;
  if (mode == XORPut) rgb = a ^ b;
  if (mode == OrPut) rgb = a | b;
  if (mode == AndPut) rgb = a & b;
  return TrueColorFlag | rgb;
}

void DropPagesLocked() {
  pagePlanes = PagePlanes{};
}

namespace {

// The stored value of every colour number on a surface, so that a page is put with one
// look-up a pixel.
std::vector<uint32_t> EncodedPalette(const PixelSurface& surface) {
  std::vector<uint32_t> encoded(currentPalette.size());
  for (size_t i = 0; i < encoded.size(); ++i) encoded[i] = surface.encode(ColorToRGB(uint16_t(i)));
  return encoded;
}

void PutPage(PixelSurface& surface, int width, int height) {
  const std::vector<uint32_t> encoded = EncodedPalette(surface);
  const uint32_t colors = uint32_t(encoded.size());
  for (int y = 0; y < height; ++y) {
    const uint32_t* from = pagePlanes.row(pagePlanes.visual, y);
    uint32_t* to = surface.row(y);
    for (int x = 0; x < width; ++x) {
      // A true colour shows its RGB value whatever the palette; an unknown number is black.
      const uint32_t v = from[x];
      to[x] = v < colors ? encoded[v] : v >= TrueColorFlag ? surface.encode(v) : 0;
    }
  }
}

bool PageValid(uint16_t page) {
  if (page < PalettePages) return true;
  Graph.ResultCode = grError;
  return false;
}

}  // namespace

void ShowVisualPageLocked() {
  if (!pagePlanes.inUse() || !backingBitmap) return;
  const int width = std::min(pagePlanes.width, backingBitmap->width());
  const int height = std::min(pagePlanes.height, backingBitmap->height());
  if (DrawToBitmap) PutPage(*backingBitmap, width, height);
  if (DrawToWindow && windowSurface) {
    const int w = std::min(width, windowSurface->width());
    const int h = std::min(height, windowSurface->height());
    PutPage(windowSurface->pixels(), w, h);
    windowSurface->present(0, 0, w, h);
  }
}

void DriverSetActivePage(uint16_t page) {
  if (!PageValid(page)) return;
  std::lock_guard lock(graphLock);
  if (pagePlanes.inUse()) pagePlanes.active = page;
}

void DriverSetVisualPage(uint16_t page) {
  if (!PageValid(page)) return;
  std::lock_guard lock(graphLock);
  if (!pagePlanes.inUse() || pagePlanes.visual == page) return;
  pagePlanes.visual = page;
  ShowVisualPageLocked();
}

PageNumbers CurrentPages() {
  std::lock_guard lock(graphLock);
  return {pagePlanes.active, pagePlanes.visual};
}
