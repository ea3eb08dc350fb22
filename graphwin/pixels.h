#pragma once
// The driver's pixel and run routines, put into the operation slots of its mode records.
// They draw nothing while the window is not ready.
#include <cstdint>

#include "driver_state.h"

void DriverPutPixel(int16_t x, int16_t y, uint16_t color);  // viewport-relative, copy mode
uint16_t DriverGetPixel(int16_t x, int16_t y);              // viewport-relative
void DriverDirectPutPixel(int16_t x, int16_t y);            // absolute, current write mode
void DriverHLine(int16_t x1, int16_t x2, int16_t y);        // viewport-relative, ends included
void DriverVLine(int16_t x, int16_t y1, int16_t y2);        // viewport-relative, ends included

// The colour number the current write mode draws in: NotPut draws the one numbered by the
// complement of the current colour.
uint16_t DrawingColor();
// What the current write mode draws over a pixel that holds present: in a palette window
// the colour numbers combine, in the game's windows the RGB values. Expects graphLock to
// be held.
Ink CombineWriteMode(Ink present);
