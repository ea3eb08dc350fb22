#pragma once
// The built-in 8 x 8 font: 256 characters of code page 437, one byte per row from the
// top, bit 7 the leftmost pixel.
#include <array>
#include <cstdint>

using GlyphPattern = std::array<uint8_t, 8>;

extern const std::array<GlyphPattern, 256> GlyphFont;
