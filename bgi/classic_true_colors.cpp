// The routines of C programs that take or give a colour: each takes a colour number or a
// COLOR(r, g, b) value, which the window driver draws as that exact RGB value in any mode
// (graphwin/true_color.h says how it reaches the driver through the layer's 16-bit colours).
#include <graphics.h>

#include "arguments.h"
#include "graph/default_palette.h"
#include "graph/driver_interface.h"
#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/settings.h"
#include "graph/shapes.h"
#include "graphwin/true_color.h"

using bgi::Coordinate;
using bgi::Word;

static_assert(COLOR(0, 0, 0) == int(TrueColorFlag), "one flag for graphics.h and the driver");
static_assert(COLOR(1, 2, 3) == int(TrueColorFlag | RGB(1, 2, 3)), "COLOR holds a COLORREF");

namespace {

bool IsTrueColor(int color) {
  return (unsigned(color) & TrueColorFlag) != 0;
}

COLORREF RgbOf(int color) {
  return unsigned(color) & TrueColorRgbMask;
}

}  // namespace

extern "C" {

void setcolor(int color) {
  if (IsTrueColor(color)) {
    SetTrueDrawingColor(TrueColorUse::Pen, RgbOf(color));
  } else {
    SetColor(Word(color));
  }
}

int getcolor(void) {
  return int(ColorValueOf(GetColor()));
}

// Where the palette shows the background (every window but a fixed palette's), entry 0 takes
// the colour too, so the screen turns as with a colour number; clearing then uses the exact
// value.
void setbkcolor(int color) {
  if (!IsTrueColor(color)) {
    SetBkColor(Word(color));
    return;
  }
  const COLORREF rgb = RgbOf(color);
  SetTrueDrawingColor(TrueColorUse::Background, rgb);
  if (!FixedPaletteInUse()) SetRGBPalette(0, GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

int getbkcolor(void) {
  return int(ColorValueOf(GetBkColor()));
}

void putpixel(int x, int y, int color) {
  const uint16_t number =
      IsTrueColor(color) ? TrueColorNumber(TrueColorUse::Pixel, RgbOf(color)) : Word(color);
  PutPixel(Coordinate(x), Coordinate(y), number);
}

// Outside graphics mode the layer's routine ends the program, as every drawing routine does.
unsigned getpixel(int x, int y) {
  if (!LayerState().IsGraphMode) return GetPixel(Coordinate(x), Coordinate(y));
  return GetPixelValue(Coordinate(x), Coordinate(y));
}

void setfillstyle(int pattern, int color) {
  if (!IsTrueColor(color)) {
    SetFillStyle(Word(pattern), Word(color));
    return;
  }
  // The layer checks the pattern; the colour follows only a pattern it took.
  SetFillStyle(Word(pattern), 0);
  if (LayerState().FillSettings.Pattern == Word(pattern)) {
    SetTrueDrawingColor(TrueColorUse::Fill, RgbOf(color));
  }
}

void setfillpattern(const char* upattern, int color) {
  if (!upattern) return;  // no pattern to take
  uint8_t rows[8];
  for (int i = 0; i < 8; ++i) rows[i] = uint8_t(upattern[i]);
  if (!IsTrueColor(color)) {
    SetFillPattern(rows, Word(color));
    return;
  }
  SetFillPattern(rows, 0);
  SetTrueDrawingColor(TrueColorUse::Fill, RgbOf(color));
}

void getfillsettings(struct fillsettingstype* fillinfo) {
  if (!fillinfo) return;
  FillSettingsType f;
  GetFillSettings(f);
  *fillinfo = {f.Pattern, int(ColorValueOf(f.Color))};
}

void floodfill(int x, int y, int border) {
  if (!IsTrueColor(border)) {
    FloodFill(Coordinate(x), Coordinate(y), Word(border));
    return;
  }
  const TrueColorBorder trueBorder(RgbOf(border));
  FloodFillToDriverColor(Coordinate(x), Coordinate(y), trueBorder.number());
}

// A colour number's current palette entry (the default one outside graphics mode).
int converttorgb(int color) {
  if (IsTrueColor(color)) return color;
  if (!LayerState().IsGraphMode) {
    const RGBRec& c = DefaultPaletteColors()[size_t(color) & 0xFF];
    return COLOR(c.Red, c.Green, c.Blue);
  }
  int16_t red = 0, green = 0, blue = 0;
  GetRGBPalette(Coordinate(color), red, green, blue);
  return COLOR(red, green, blue);
}

}  // extern "C"
