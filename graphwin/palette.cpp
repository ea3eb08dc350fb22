#include "palette.h"

#include <cstdlib>
#include <mutex>

#include "graph/default_palette.h"
#include "graph_state.h"

namespace {

// The layer keeps the one default table; the driver holds it with 16-bit components.
std::array<PaletteEntry, 256> MakeDefaultPalette() {
  std::array<PaletteEntry, 256> p{};
  const auto& colors = DefaultPaletteColors();
  for (size_t i = 0; i < p.size(); ++i) {
    p[i] = {colors[i].Red, colors[i].Green, colors[i].Blue};
  }
  return p;
}

bool PaletteRequestValid(int16_t color) {
  return !Graph.DirectColor && color >= 0 && color < Graph.MaxColor &&
         size_t(color) < currentPalette.size();
}

}  // namespace

const std::array<PaletteEntry, 256> DefaultPalette = MakeDefaultPalette();

uint16_t NearestColor(int red, int green, int blue) {
  uint16_t best = 0;
  int bestDistance = -1;
  for (size_t i = 0; i < currentPalette.size(); ++i) {
    // Compare with what the entry draws: its components' low 8 bits.
    const PaletteEntry& e = currentPalette[i];
    const int d = std::abs(red - uint8_t(e.Red)) + std::abs(green - uint8_t(e.Green)) +
                  std::abs(blue - uint8_t(e.Blue));
    if (bestDistance < 0 || d < bestDistance) {
      best = uint16_t(i);
      bestDistance = d;
      if (d == 0) break;
    }
  }
  return best;
}

// Both under graphLock: a CloseGraph from a hook may free the palette on the message
// thread, and that thread empties the pen slots at window creation and tear-down.
void DriverSetRGBPalette(int16_t color, int16_t red, int16_t green, int16_t blue) {
  std::lock_guard lock(graphLock);
  if (!PaletteRequestValid(color)) {
    Graph.ResultCode = grError;
    return;
  }
  currentPalette[color] = {red, green, blue};
  if (color < 16) PenCache[color].reset();
  // A palette window shows colour numbers: what is on the screen takes the new colour.
  if (pagePlanes.inUse()) ShowVisualPageLocked();
}

void DriverSetAllPalette(const PaletteType& palette) {
  std::lock_guard lock(graphLock);
  if (palette.Size < 0 || palette.Size > Graph.PaletteSize ||
      size_t(palette.Size) > currentPalette.size() || Graph.DirectColor) {
    Graph.ResultCode = grError;
    return;
  }
  for (int32_t i = 0; i < palette.Size; ++i) {
    const RGBRec& c = palette.Colors[i];
    currentPalette[size_t(i)] = {c.Red, c.Green, c.Blue};
    if (i < 16) PenCache[size_t(i)].reset();
  }
  if (pagePlanes.inUse()) ShowVisualPageLocked();  // the whole palette, one picture
}

void DriverGetRGBPalette(int16_t color, int16_t& red, int16_t& green, int16_t& blue) {
  std::lock_guard lock(graphLock);
  if (!PaletteRequestValid(color)) {
    Graph.ResultCode = grError;
    return;
  }
  const PaletteEntry& e = currentPalette[color];
  red = e.Red;
  green = e.Green;
  blue = e.Blue;
}
