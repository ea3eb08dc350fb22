// Cohen-Sutherland clipping of a segment against a rectangle, both bounds included.
#include <cstdint>

#include "graph/fill.h"
#include "layer_internal.h"

namespace {

constexpr int Left = 1, Right = 2, Below = 4, Above = 8;

int OutCode(int64_t x, int64_t y, int64_t left, int64_t top, int64_t right, int64_t bottom) {
  int code = 0;
  if (x < left) code |= Left;
  if (x > right) code |= Right;
  if (y > bottom) code |= Below;
  if (y < top) code |= Above;
  return code;
}

}  // namespace

bool ClipLine32(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2, int32_t left, int32_t top,
                int32_t right, int32_t bottom) {
  // 64-bit products: the differences of two 32-bit coordinates times another such
  // difference would overflow 32 bits.
  int64_t ax = x1, ay = y1, bx = x2, by = y2;
  int codeA = OutCode(ax, ay, left, top, right, bottom);
  int codeB = OutCode(bx, by, left, top, right, bottom);
  for (;;) {
    if ((codeA | codeB) == 0) break;
    if (codeA & codeB) return false;
    bool first = codeA != 0;
    int code = first ? codeA : codeB;
    int64_t x = 0, y = 0;
    if (code & Left) {
      x = left;
      y = ay + (by - ay) * (x - ax) / (bx - ax);
    } else if (code & Right) {
      x = right;
      y = ay + (by - ay) * (x - ax) / (bx - ax);
    } else if (code & Below) {
      y = bottom;
      x = ax + (bx - ax) * (y - ay) / (by - ay);
    } else {
      y = top;
      x = ax + (bx - ax) * (y - ay) / (by - ay);
    }
    if (first) {
      ax = x;
      ay = y;
      codeA = OutCode(ax, ay, left, top, right, bottom);
    } else {
      bx = x;
      by = y;
      codeB = OutCode(bx, by, left, top, right, bottom);
    }
  }
  x1 = static_cast<int32_t>(ax);
  y1 = static_cast<int32_t>(ay);
  x2 = static_cast<int32_t>(bx);
  y2 = static_cast<int32_t>(by);
  return true;
}

bool LineClip(int16_t& x1, int16_t& y1, int16_t& x2, int16_t& y2, int16_t left, int16_t top,
              int16_t right, int16_t bottom) {
  int32_t ax = x1, ay = y1, bx = x2, by = y2;
  if (!ClipLine32(ax, ay, bx, by, left, top, right, bottom)) return false;
  x1 = static_cast<int16_t>(ax);
  y1 = static_cast<int16_t>(ay);
  x2 = static_cast<int16_t>(bx);
  y2 = static_cast<int16_t>(by);
  return true;
}
