#pragma once
// How the C front turns the int arguments of C programs into the layer's 16-bit numbers.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include <graphics.h>

namespace bgi {

// Clamped rather than wrapped, so that a far-off point stays far off.
inline int16_t Coordinate(int v) {
  return int16_t(std::clamp(v, int(INT16_MIN), int(INT16_MAX)));
}

// A number the layer takes as a word (colour, style, font, size); one that no word holds
// becomes 0xFFFF, which no setting accepts, so the layer refuses it instead of taking a
// wrapped value that may look valid.
inline uint16_t Word(int v) {
  return v < 0 || v > 0xFFFF ? uint16_t(0xFFFF) : uint16_t(v);
}

// C text may be a null pointer; it is then empty.
inline std::string_view Text(const char* text) {
  return text ? std::string_view(text) : std::string_view();
}

}  // namespace bgi
