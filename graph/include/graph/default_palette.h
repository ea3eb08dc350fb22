#pragma once
// The default RGB palette of 256 entries (components 0..252), which the generic background
// routine uses for palette entry 0 and drivers may use for their own palettes. Any thread:
// the table is made once and never changes.
#include <array>
#include <cstdint>

#include "graph/mode_record.h"

const std::array<RGBRec, 256>& DefaultPaletteColors();
