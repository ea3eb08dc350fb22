#pragma once
// The classic hardware colour numbers of struct palettetype (0..63): bits 0, 1 and 2 add two
// thirds of blue, green and red, bits 3, 4 and 5 one third. A third is 84 in the layer's
// palette, whose components run from 0 to 252.
#include <cstdint>

#include "graph/mode_record.h"

namespace bgi {

RGBRec EgaColorToRGB(int code);  // only the low six bits count
// The nearest hardware colour: each component goes to the nearest third.
int8_t RGBToEgaColor(int red, int green, int blue);

}  // namespace bgi
