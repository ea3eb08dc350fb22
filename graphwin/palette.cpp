#include "graphwin/palette.h"

#include <cstdlib>
#include <mutex>

#include "graph/graph_state.h"

namespace {

constexpr std::array<PaletteEntry, 256> MakeDefaultPalette() {
  std::array<PaletteEntry, 256> p{};
  constexpr int16_t basic[16][3] = {{0, 0, 0},     {0, 0, 168},    {0, 168, 0},    {0, 168, 168},
                                    {168, 0, 0},   {168, 0, 168},  {168, 84, 0},   {168, 168, 168},
                                    {84, 84, 84},  {84, 84, 252},  {84, 252, 84},  {84, 252, 252},
                                    {252, 84, 84}, {252, 84, 252}, {252, 252, 84}, {252, 252, 252}};
  for (int i = 0; i < 16; ++i) p[i] = {basic[i][0], basic[i][1], basic[i][2]};

  constexpr int16_t greys[16] = {0,   20,  32,  44,  56,  68,  80,  96,
                                 112, 128, 144, 160, 180, 200, 224, 252};
  for (int i = 0; i < 16; ++i) p[16 + i] = {greys[i], greys[i], greys[i]};

  // Nine rings round the colour wheel, each from five levels lo < m1 < m2 < m3 < hi.
  constexpr int16_t levels[9][5] = {
      {0, 64, 124, 188, 252}, {124, 156, 188, 220, 252}, {180, 196, 216, 232, 252},
      {0, 28, 56, 84, 112},   {56, 68, 84, 96, 112},     {80, 88, 96, 104, 112},
      {0, 16, 32, 48, 64},    {32, 40, 48, 56, 64},      {44, 48, 52, 60, 64}};
  // Per step of the ring: which level (0 lo .. 4 hi) red, green and blue take.
  constexpr int ring[24][3] = {{0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 0, 4}, {4, 0, 3},
                               {4, 0, 2}, {4, 0, 1}, {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0},
                               {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0}, {0, 4, 0}, {0, 4, 1},
                               {0, 4, 2}, {0, 4, 3}, {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4}};
  for (int g = 0; g < 9; ++g) {
    for (int s = 0; s < 24; ++s) {
      p[32 + 24 * g + s] = {levels[g][ring[s][0]], levels[g][ring[s][1]], levels[g][ring[s][2]]};
    }
  }
  // Entries 248..255 stay black.
  return p;
}

bool PaletteRequestValid(int16_t colour) {
  return !Graph.DirectColor && colour >= 0 && colour < Graph.MaxColor &&
         size_t(colour) < currentPalette.size();
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

void DriverSetRGBPalette(int16_t colour, int16_t red, int16_t green, int16_t blue) {
  if (!PaletteRequestValid(colour)) {
    Graph.ResultCode = grError;
    return;
  }
  currentPalette[colour] = {red, green, blue};
  if (colour < 16) {
    // The message thread empties the pen slots at window creation and tear-down, so the
    // slot is dropped under the lock.
    std::lock_guard lock(graphLock);
    PenCache[colour].reset();
  }
}

void DriverGetRGBPalette(int16_t colour, int16_t& red, int16_t& green, int16_t& blue) {
  if (!PaletteRequestValid(colour)) {
    Graph.ResultCode = grError;
    return;
  }
  const PaletteEntry& e = currentPalette[colour];
  red = e.Red;
  green = e.Green;
  blue = e.Blue;
}
