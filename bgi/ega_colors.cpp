#include "ega_colors.h"

#include <algorithm>

namespace bgi {

namespace {

constexpr int Third = 84;

// Thirds (0..3) of one component from its two bits.
int Thirds(int code, int twoThirdsBit, int oneThirdBit) {
  return ((code >> twoThirdsBit) & 1) * 2 + ((code >> oneThirdBit) & 1);
}

// The two bits of one component, nearest third first.
int Bits(int value, int twoThirdsBit, int oneThirdBit) {
  const int thirds = std::clamp((value + Third / 2) / Third, 0, 3);
  return ((thirds >> 1) << twoThirdsBit) | ((thirds & 1) << oneThirdBit);
}

}  // namespace

RGBRec EgaColorToRGB(int code) {
  return {uint8_t(Thirds(code, 2, 5) * Third), uint8_t(Thirds(code, 1, 4) * Third),
          uint8_t(Thirds(code, 0, 3) * Third)};
}

int8_t RGBToEgaColor(int red, int green, int blue) {
  return int8_t(Bits(red, 2, 5) | Bits(green, 1, 4) | Bits(blue, 0, 3));
}

}  // namespace bgi
