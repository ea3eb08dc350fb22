#include "driver_state.h"

#include <algorithm>

#include "graphwin/driver.h"

std::recursive_mutex graphLock;
std::atomic<bool> windowReady{false};
HWND graphWindow = nullptr;
HWND mainWindow = nullptr;
std::optional<PixelSurface> backingBitmap;
WindowSurface* windowSurface = nullptr;
std::vector<PaletteEntry> currentPalette;
std::array<std::optional<COLORREF>, 16> PenCache;
std::array<std::array<std::optional<GlyphImage>, 256>, 2> GlyphCache;

COLORREF ColorToRGB(uint16_t color) {
  if (currentPalette.empty()) return RGB(0, 0, 0);
  const PaletteEntry& e = currentPalette[color % currentPalette.size()];
  return RGB(uint8_t(e.Red), uint8_t(e.Green), uint8_t(e.Blue));
}

static bool OnWindowSurface(int x, int y) {
  return windowSurface && windowSurface->pixels().contains(x, y);
}

void StorePixelLocked(int x, int y, COLORREF v) {
  if (!backingBitmap || !backingBitmap->contains(x, y)) return;
  if (DrawToBitmap) backingBitmap->setPixel(x, y, v);
  if (DrawToWindow && OnWindowSurface(x, y)) windowSurface->pixels().setPixel(x, y, v);
}

void ShowLocked(int x, int y, int w, int h) {
  if (DrawToWindow && windowSurface) windowSurface->present(x, y, w, h);
}

void WritePixelLocked(int x, int y, COLORREF v) {
  if (!backingBitmap || !backingBitmap->contains(x, y)) return;
  if (DrawToBitmap) backingBitmap->setPixel(x, y, v);
  if (DrawToWindow && OnWindowSurface(x, y)) {
    windowSurface->pixels().setPixel(x, y, v);
    windowSurface->present(x, y, 1, 1);
  }
}

void FillRectLocked(int x, int y, int w, int h, COLORREF v) {
  if (!backingBitmap) return;
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min(x + w, backingBitmap->width());
  const int bottom = std::min(y + h, backingBitmap->height());
  if (left >= right || top >= bottom) return;
  if (DrawToBitmap) backingBitmap->fill(left, top, right - left, bottom - top, v);
  if (DrawToWindow && windowSurface) {
    const int wr = std::min(right, windowSurface->width());
    const int wb = std::min(bottom, windowSurface->height());
    if (left < wr && top < wb) {
      windowSurface->pixels().fill(left, top, wr - left, wb - top, v);
      windowSurface->present(left, top, wr - left, wb - top);
    }
  }
}

COLORREF PresentColorLocked(int x, int y) {
  if (DrawToBitmap || !OnWindowSurface(x, y)) {
    return backingBitmap && backingBitmap->contains(x, y) ? backingBitmap->pixel(x, y) : 0;
  }
  return windowSurface->pixels().pixel(x, y);
}
