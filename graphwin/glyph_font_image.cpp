#include "glyph_font.h"

GlyphImage GlyphImageOf(uint8_t code, bool vertical) {
  const GlyphImage& pattern = GlyphFont[code];
  if (!vertical) return pattern;
  GlyphImage image{};
  for (int r = 0; r < 8; ++r) {
    for (int b = 0; b < 8; ++b) {
      if (pattern[r] & (0x80 >> b)) image[7 - b] |= uint8_t(0x80 >> r);
    }
  }
  return image;
}
