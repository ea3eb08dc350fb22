#pragma once
// Colour model of the driver: the default palette, read-back of RGB values as colour
// numbers, and the palette slots of the mode records.
#include <array>
#include <cstdint>

#include "driver_state.h"
#include "graph/mode_record.h"

extern const std::array<PaletteEntry, 256> DefaultPalette;

// The first palette entry nearest to (red, green, blue) by the sum of the component
// distances; 0 without a palette. Expects graphLock to be held.
uint16_t NearestColor(int red, int green, int blue);

// The SetRGBPalette and GetRGBPalette slots: grError for a colour outside the palette or
// in a DirectColor mode. In a palette window a change recolours the visual page at once;
// in the game's windows it affects only what is drawn after it.
void DriverSetRGBPalette(int16_t color, int16_t red, int16_t green, int16_t blue);
void DriverGetRGBPalette(int16_t color, int16_t& red, int16_t& green, int16_t& blue);
// The SetAllPalette slot of the palette windows: every entry first, then one new picture;
// grError, with nothing changed, for a size beyond the palette or in a DirectColor mode.
void DriverSetAllPalette(const PaletteType& palette);
