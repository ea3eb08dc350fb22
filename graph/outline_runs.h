#pragma once
// Drawing lists of pixels through the run slots. Not part of the layer's interface.
#include <cstdint>
#include <vector>

struct RunPixel {
  int32_t x, y;  // viewport-relative
};

// Draws the pixels in CurrentColor through the Runs slot, consecutive pixels that touch
// along a row or a column as one run. A pixel equal to the one before is skipped; pixels
// beyond the 16-bit coordinate range cannot be visible and are left out.
void DrawPixelRuns(const std::vector<RunPixel>& pixels);
