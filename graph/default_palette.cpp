#include "graph/default_palette.h"

namespace {

std::array<RGBRec, 256> BuildDefaultPalette() {
  std::array<RGBRec, 256> p{};
  static constexpr uint8_t Basic[16][3] = {
      {0, 0, 0},     {0, 0, 168},     {0, 168, 0},    {0, 168, 168},  {168, 0, 0},   {168, 0, 168},
      {168, 84, 0},  {168, 168, 168}, {84, 84, 84},   {84, 84, 252},  {84, 252, 84}, {84, 252, 252},
      {252, 84, 84}, {252, 84, 252},  {252, 252, 84}, {252, 252, 252}};
  for (int i = 0; i < 16; ++i) p[i] = {Basic[i][0], Basic[i][1], Basic[i][2]};

  static constexpr uint8_t Greys[16] = {0,   20,  32,  44,  56,  68,  80,  96,
                                        112, 128, 144, 160, 180, 200, 224, 252};
  for (int i = 0; i < 16; ++i) p[16 + i] = {Greys[i], Greys[i], Greys[i]};

  // Nine groups that each run once round the colour wheel through five levels.
  static constexpr uint8_t Levels[9][5] = {
      {0, 64, 124, 188, 252}, {124, 156, 188, 220, 252}, {180, 196, 216, 232, 252},
      {0, 28, 56, 84, 112},   {56, 68, 84, 96, 112},     {80, 88, 96, 104, 112},
      {0, 16, 32, 48, 64},    {32, 40, 48, 56, 64},      {44, 48, 52, 60, 64}};
  // Level indices (0 lo .. 4 hi) of red, green, blue for the 24 steps of a group.
  static constexpr uint8_t Wheel[24][3] = {
      {0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 0, 4}, {4, 0, 3}, {4, 0, 2}, {4, 0, 1},
      {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0}, {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0},
      {0, 4, 0}, {0, 4, 1}, {0, 4, 2}, {0, 4, 3}, {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4}};
  for (int g = 0; g < 9; ++g) {
    for (int s = 0; s < 24; ++s) {
      const uint8_t* lv = Levels[g];
      p[32 + 24 * g + s] = {lv[Wheel[s][0]], lv[Wheel[s][1]], lv[Wheel[s][2]]};
    }
  }
  // Entries 248..255 stay black.
  return p;
}

}  // namespace

const std::array<RGBRec, 256>& DefaultPaletteColors() {
  static const std::array<RGBRec, 256> palette = BuildDefaultPalette();
  return palette;
}
