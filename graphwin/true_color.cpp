// True colours: the RGB value behind each reserved colour number, pixels read back as colour
// values, and the shown picture read as RGB values for image files.
#include "graphwin/true_color.h"

#include <algorithm>
#include <array>
#include <mutex>

#include "driver_state.h"
#include "graph_state.h"
#include "graphwin/driver.h"

namespace {

// Written and read on the program's thread only: the message thread never draws in a colour.
std::array<COLORREF, TrueColorNumbers> trueColors{};
bool borderActive = false;

size_t UseIndex(TrueColorUse use) {
  return size_t(use);
}

// The number of the first of the 16 basic colours whose current RGB value is rgb, or -1.
int BasicColorOfLocked(COLORREF rgb) {
  const size_t basic = std::min<size_t>(currentPalette.size(), 16);
  for (size_t i = 0; i < basic; ++i) {
    if (ColorToRGB(uint16_t(i)) == rgb) return int(i);
  }
  return -1;
}

// A value as the program reads it back: numbers as they are; an RGB value as the basic colour
// it equals where only RGB values are kept or the 16 colours are fixed.
uint32_t ProgramValueLocked(uint32_t stored, bool rgbOnly) {
  if (stored < TrueColorFlag) return stored;
  const COLORREF rgb = stored & TrueColorRgbMask;
  if (rgbOnly || FixedPaletteInUse()) {
    const int basic = BasicColorOfLocked(rgb);
    if (basic >= 0) return uint32_t(basic);
  }
  return TrueColorFlag | rgb;
}

}  // namespace

uint16_t TrueColorNumber(TrueColorUse use, COLORREF rgb) {
  trueColors[UseIndex(use)] = rgb & TrueColorRgbMask;
  return uint16_t(FirstTrueColorNumber + UseIndex(use));
}

Ink TrueColorInk(uint16_t number) {
  const COLORREF rgb = trueColors[size_t(number - FirstTrueColorNumber)];
  return {TrueColorFlag | rgb, rgb};
}

uint32_t ColorValueOf(uint16_t number) {
  return IsTrueColorNumber(number) ? TrueColorInk(number).color : number;
}

void SetTrueDrawingColor(TrueColorUse use, COLORREF rgb) {
  const uint16_t number = TrueColorNumber(use, rgb);
  if (use == TrueColorUse::Pen) Graph.CurrentColor = number;
  if (use == TrueColorUse::Fill) Graph.FillSettings.Color = number;
  if (use == TrueColorUse::Background) Graph.BkColor = number;
}

TrueColorBorder::TrueColorBorder(COLORREF rgb) {
  TrueColorNumber(TrueColorUse::Border, rgb);
  borderActive = true;
}

TrueColorBorder::~TrueColorBorder() {
  borderActive = false;
}

uint16_t TrueColorBorder::number() const {
  return uint16_t(FirstTrueColorNumber + UseIndex(TrueColorUse::Border));
}

uint16_t ScanNumberLocked(uint32_t value) {
  if (borderActive) {
    const bool hasRgb = value >= TrueColorFlag || FixedPaletteInUse() || !pagePlanes.inUse();
    const COLORREF rgb =
        value >= TrueColorFlag ? value & TrueColorRgbMask : ColorToRGB(uint16_t(value));
    if (hasRgb && rgb == trueColors[UseIndex(TrueColorUse::Border)]) {
      return uint16_t(FirstTrueColorNumber + UseIndex(TrueColorUse::Border));
    }
  }
  return value < TrueColorFlag ? uint16_t(value) : OtherTrueColorNumber;
}

uint16_t ScanNumberOfStoredLocked(uint32_t stored) {
  return ScanNumberLocked(ProgramValueLocked(stored, false));
}

bool TrueColorBorderActive() {
  return borderActive;
}

uint16_t ScanNumberOfRgbLocked(COLORREF rgb) {
  return ScanNumberLocked(ProgramValueLocked(TrueColorFlag | rgb, true));
}

uint32_t GetPixelValue(int16_t x, int16_t y) {
  const ViewPortState& vp = Graph.ViewPort;
  const int ax = x + vp.X1, ay = y + vp.Y1;
  if (vp.ClipPixels &&
      (ax < vp.X1 || ax > vp.X1 + vp.Width || ay < vp.Y1 || ay > vp.Y1 + vp.Height))
    return 0;
  std::lock_guard lock(graphLock);
  if (!windowReady || !backingBitmap) {
    Graph.ResultCode = grError;
    return 0;
  }
  if (!backingBitmap->contains(ax, ay)) return 0;
  if (pagePlanes.inUse()) return ProgramValueLocked(pagePlanes.activeRow(ay)[ax], false);
  return ProgramValueLocked(TrueColorFlag | PresentInkLocked(ax, ay).rgb, true);
}

bool ReadShownBlock(int left, int top, int width, int height, ShownBlock& block) {
  std::lock_guard lock(graphLock);
  if (!windowReady || !backingBitmap) return false;
  const bool fromBitmap = DrawToBitmap || !windowSurface;
  const PixelSurface& shown = fromBitmap ? *backingBitmap : windowSurface->pixels();
  if (!ClipBlock(shown.width(), shown.height(), left, top, width, height)) return false;
  block.left = left;
  block.top = top;
  block.width = width;
  block.height = height;
  block.pixels.resize(size_t(width) * size_t(height));
  COLORREF* out = block.pixels.data();
  for (int y = top; y < top + height; ++y) {
    const uint32_t* stored = shown.row(y) + left;
    for (int i = 0; i < width; ++i) *out++ = shown.decode(stored[i]);
  }
  return true;
}
