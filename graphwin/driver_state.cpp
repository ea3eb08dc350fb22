#include "driver_state.h"

#include <algorithm>

#include "graphwin/driver.h"
#include "graphwin/true_color.h"

std::recursive_timed_mutex graphLock;
std::atomic<bool> windowReady{false};
HWND graphWindow = nullptr;
HWND mainWindow = nullptr;
std::optional<PixelSurface> backingBitmap;
WindowSurface* windowSurface = nullptr;
std::vector<PaletteEntry> currentPalette;
std::array<std::optional<COLORREF>, 16> PenCache;
std::array<std::array<std::optional<GlyphImage>, 256>, 2> GlyphCache;

COLORREF ColorToRGB(uint16_t color) {
  return InkOf(color).rgb;
}

Ink InkOf(uint16_t color) {
  if (IsTrueColorNumber(color)) return TrueColorInk(color);
  if (currentPalette.empty()) return {color, RGB(0, 0, 0)};
  const size_t index = color % currentPalette.size();
  const PaletteEntry& e = currentPalette[index];
  return {uint32_t(index), RGB(uint8_t(e.Red), uint8_t(e.Green), uint8_t(e.Blue))};
}

Ink InkOfStored(uint32_t value) {
  if (value < TrueColorFlag) return InkOf(uint16_t(value));
  const COLORREF rgb = value & TrueColorRgbMask;
  return {TrueColorFlag | rgb, rgb};
}

static bool OnWindowSurface(int x, int y) {
  return windowSurface && windowSurface->pixels().contains(x, y);
}

// Keeps the colour number in a palette window's active page; true when the surfaces show
// that page, as they always show a window without pages.
static bool KeepOnPageLocked(int x, int y, uint32_t color) {
  if (!pagePlanes.inUse()) return true;
  pagePlanes.activeRow(y)[x] = color;
  return pagePlanes.activeShown();
}

void StorePixelLocked(int x, int y, Ink ink) {
  if (!backingBitmap || !backingBitmap->contains(x, y)) return;
  if (!KeepOnPageLocked(x, y, ink.color)) return;
  if (DrawToBitmap) backingBitmap->setPixel(x, y, ink.rgb);
  if (DrawToWindow && OnWindowSurface(x, y)) windowSurface->pixels().setPixel(x, y, ink.rgb);
}

void ShowLocked(int x, int y, int w, int h) {
  if (pagePlanes.inUse() && !pagePlanes.activeShown()) return;
  if (DrawToWindow && windowSurface) windowSurface->present(x, y, w, h);
}

void WritePixelLocked(int x, int y, Ink ink) {
  if (!backingBitmap || !backingBitmap->contains(x, y)) return;
  if (!KeepOnPageLocked(x, y, ink.color)) return;
  if (DrawToBitmap) backingBitmap->setPixel(x, y, ink.rgb);
  if (DrawToWindow && OnWindowSurface(x, y)) {
    windowSurface->pixels().setPixel(x, y, ink.rgb);
    windowSurface->present(x, y, 1, 1);
  }
}

void FillRectLocked(int x, int y, int w, int h, Ink ink) {
  if (!backingBitmap) return;
  const int left = std::max(x, 0), top = std::max(y, 0);
  const int right = std::min(x + w, backingBitmap->width());
  const int bottom = std::min(y + h, backingBitmap->height());
  if (left >= right || top >= bottom) return;
  if (pagePlanes.inUse()) {
    for (int row = top; row < bottom; ++row) {
      std::fill(pagePlanes.activeRow(row) + left, pagePlanes.activeRow(row) + right, ink.color);
    }
    if (!pagePlanes.activeShown()) return;
  }
  if (DrawToBitmap) backingBitmap->fill(left, top, right - left, bottom - top, ink.rgb);
  if (DrawToWindow && windowSurface) {
    const int wr = std::min(right, windowSurface->width());
    const int wb = std::min(bottom, windowSurface->height());
    if (left < wr && top < wb) {
      windowSurface->pixels().fill(left, top, wr - left, wb - top, ink.rgb);
      windowSurface->present(left, top, wr - left, wb - top);
    }
  }
}

Ink PresentInkLocked(int x, int y) {
  if (pagePlanes.inUse()) {
    if (!backingBitmap || !backingBitmap->contains(x, y)) return {};
    return InkOfStored(pagePlanes.activeRow(y)[x]);
  }
  if (DrawToBitmap || !OnWindowSurface(x, y)) {
    return {0, backingBitmap && backingBitmap->contains(x, y) ? backingBitmap->pixel(x, y) : 0};
  }
  return {0, windowSurface->pixels().pixel(x, y)};
}
