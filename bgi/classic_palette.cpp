// The classic palette of hardware colour numbers for C programs, on the layer's RGB palette.
#include <algorithm>

#include "arguments.h"
#include "ega_colors.h"
#include "graph/default_palette.h"
#include "graph/graph.h"

namespace {

// struct palettetype holds this many entries, whatever its size field says.
constexpr int ClassicEntries = MAXCOLORS + 1;

int ClassicSize() {
  return std::min(int(GetMaxColor()) + 1, ClassicEntries);
}

}  // namespace

extern "C" {

void setpalette(int colornum, int color) {
  const RGBRec rgb = bgi::EgaColorToRGB(color);
  SetRGBPalette(bgi::Coordinate(colornum), rgb.Red, rgb.Green, rgb.Blue);
}

// A negative entry (classically -1) leaves its colour as it is.
void setallpalette(const struct palettetype* palette) {
  if (!palette) return;
  PaletteType wanted;
  wanted.Size = std::min(int(palette->size), ClassicEntries);
  for (int i = 0; i < wanted.Size; ++i) {
    if (palette->colors[i] >= 0) {
      wanted.Colors[i] = bgi::EgaColorToRGB(palette->colors[i]);
    } else {
      int16_t red = 0, green = 0, blue = 0;
      GetRGBPalette(int16_t(i), red, green, blue);
      wanted.Colors[i] = {uint8_t(red), uint8_t(green), uint8_t(blue)};
    }
  }
  SetAllPalette(wanted);
}

void getpalette(struct palettetype* palette) {
  if (!palette) return;
  palette->size = uint8_t(ClassicSize());
  for (int i = 0; i < ClassicEntries; ++i) {
    int16_t red = 0, green = 0, blue = 0;
    if (i < palette->size) GetRGBPalette(int16_t(i), red, green, blue);
    palette->colors[i] = bgi::RGBToEgaColor(red, green, blue);
  }
}

// Filled anew on every call, so what a program changed in the returned record does not last.
struct palettetype* getdefaultpalette(void) {
  static palettetype defaults;
  defaults.size = ClassicEntries;
  for (int i = 0; i < ClassicEntries; ++i) {
    const RGBRec& rgb = DefaultPaletteColors()[i];
    defaults.colors[i] = bgi::RGBToEgaColor(rgb.Red, rgb.Green, rgb.Blue);
  }
  return &defaults;
}

}  // extern "C"
