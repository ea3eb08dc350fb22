#pragma once
// The driver's image and scan-line routines, put into the operation slots of its mode
// records. Images hold RGB values (graph/image_layout.h), so they come back exactly as
// they were taken.
#include <cstdint>

// Viewport-relative corners in any order; reads the drawing area whatever the clipping,
// points off it as 0. grError while the window is not ready.
void DriverGetImage(int16_t x1, int16_t y1, int16_t x2, int16_t y2, void* image);
// Viewport-relative top-left corner; clipped to the viewport (to the drawing area when
// clipping is off); bitBlt is a write mode: copy, XOR, OR, AND, or NotPut for the
// complement of each pixel.
void DriverPutImage(int16_t x, int16_t y, const void* image, uint16_t bitBlt);
// Colour numbers of the viewport-relative row x1..x2, as GetPixel gives them, read under
// one lock.
void DriverGetScanLine(int16_t x1, int16_t x2, int16_t y, uint16_t* row);
