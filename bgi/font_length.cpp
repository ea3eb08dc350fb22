#include "font_length.h"

#include <algorithm>

#include "graph/settings.h"

namespace bgi {

namespace {

constexpr size_t FileHeaderBytes = 128;
constexpr size_t StrokeHeaderBytes = 16;
constexpr uint8_t Signature[4] = {0x50, 0x4B, 0x08, 0x08};

// The end of one character's stroke list: two bytes a stroke, the last one with neither
// opcode bit set.
size_t StrokesEnd(const uint8_t* font, size_t at) {
  while (at + 1 < MaxFontFileSize) {
    const bool end = !(font[at] & 0x80) && !(font[at + 1] & 0x80);
    at += 2;
    if (end) break;
  }
  return at;
}

}  // namespace

size_t FontFileLength(const uint8_t* font) {
  if (!std::equal(std::begin(Signature), std::end(Signature), font)) return sizeof Signature;
  const uint8_t* stroke = font + FileHeaderBytes;
  const size_t headers = FileHeaderBytes + StrokeHeaderBytes;
  const int count = int16_t(stroke[1] | (stroke[2] << 8));
  if (stroke[0] != '+' || count < 0 || stroke[4] + count > 256) return headers;

  const uint8_t* offsets = font + headers;
  const size_t dataAt = headers + 3 * size_t(count);
  size_t end = dataAt;
  for (int i = 0; i < count; ++i) {
    const int offset = int16_t(offsets[2 * i] | (offsets[2 * i + 1] << 8));
    if (offset < 0) return headers;
    end = std::max(end, StrokesEnd(font, dataAt + size_t(offset)));
  }
  return end;
}

}  // namespace bgi
