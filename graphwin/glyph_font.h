#pragma once
// The built-in 8 x 8 font: 256 characters of code page 437, one byte per row from the
// top, bit 7 the leftmost pixel.
#include <array>
#include <cstdint>

using GlyphImage = std::array<uint8_t, 8>;

extern const std::array<GlyphImage, 256> GlyphFont;

// The 8 x 8 image of a character for horizontal text (the pattern itself) or vertical
// text (the pattern turned a quarter turn anticlockwise: row r, bit b of the pattern,
// b = 0 for bit 7, becomes pixel (r, 7 - b)). Same layout as the pattern.
GlyphImage GlyphImageOf(uint8_t code, bool vertical);
