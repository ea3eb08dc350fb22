#pragma once
// Draws on a window's framebuffer the way the window driver does: pixels, then present.
// The caller holds the surface's drawing lock where another thread may read the pixels.
#include "surface.h"

inline void FillAndPresent(WindowSurface& s, int x, int y, int w, int h, COLORREF v) {
  if (!ClipBlock(s.width(), s.height(), x, y, w, h)) return;
  s.pixels().fill(x, y, w, h, v);
  s.present(x, y, w, h);
}
