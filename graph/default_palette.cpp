#include "graph/default_palette.h"

namespace {

std::array<RGBRec, 256> BuildDefaultPalette() {
  std::array<RGBRec, 256> p{};
  static constexpr uint8_t kBasic[16][3] = {
      {0, 0, 0},     {0, 0, 168},     {0, 168, 0},    {0, 168, 168},  {168, 0, 0},   {168, 0, 168},
      {168, 84, 0},  {168, 168, 168}, {84, 84, 84},   {84, 84, 252},  {84, 252, 84}, {84, 252, 252},
      {252, 84, 84}, {252, 84, 252},  {252, 252, 84}, {252, 252, 252}};
  for (int i = 0; i < 16; ++i) p[i] = {kBasic[i][0], kBasic[i][1], kBasic[i][2]};

  static constexpr uint8_t kGreys[16] = {0,   20,  32,  44,  56,  68,  80,  96,
                                         112, 128, 144, 160, 180, 200, 224, 252};
  for (int i = 0; i < 16; ++i) p[16 + i] = {kGreys[i], kGreys[i], kGreys[i]};

  // Nine groups that each run once round the colour wheel through five levels.
  static constexpr uint8_t kLevels[9][5] = {
      {0, 64, 124, 188, 252}, {124, 156, 188, 220, 252}, {180, 196, 216, 232, 252},
      {0, 28, 56, 84, 112},   {56, 68, 84, 96, 112},     {80, 88, 96, 104, 112},
      {0, 16, 32, 48, 64},    {32, 40, 48, 56, 64},      {44, 48, 52, 60, 64}};
  // Level indices (0 lo .. 4 hi) of red, green, blue for the 24 steps of a group.
  static constexpr uint8_t kWheel[24][3] = {
      {0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4}, {4, 0, 4}, {4, 0, 3}, {4, 0, 2}, {4, 0, 1},
      {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0}, {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0},
      {0, 4, 0}, {0, 4, 1}, {0, 4, 2}, {0, 4, 3}, {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4}};
  for (int g = 0; g < 9; ++g) {
    for (int s = 0; s < 24; ++s) {
      const uint8_t* lv = kLevels[g];
      p[32 + 24 * g + s] = {lv[kWheel[s][0]], lv[kWheel[s][1]], lv[kWheel[s][2]]};
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
