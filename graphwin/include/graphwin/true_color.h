#pragma once
// True colours: RGB values drawn exactly as given, beside the mode's colour numbers, for the
// C front's COLOR(r, g, b). The layer takes colours as 16-bit numbers, so a true colour
// reaches the driver as one of a few reserved numbers, one per use (the pen, the fill, the
// background, a single pixel, a flood fill's border), each standing for the RGB value last
// set for its use. A palette window's page keeps the value TrueColorFlag | RGB itself, so the
// pixel shows that RGB value whatever the palette does later; the game's windows keep RGB
// values anyway. Every routine here runs on the program's thread.
#include <cstdint>
#include <vector>

#include "platform/win_types.h"

// A colour value with this bit set is an RGB value (0x00BBGGRR below the bit); colour
// numbers stay below it.
constexpr uint32_t TrueColorFlag = 0x01000000;
constexpr uint32_t TrueColorRgbMask = 0x00FFFFFF;

enum class TrueColorUse : uint8_t { Pen, Fill, Background, Pixel, Border };

// The colour number that stands for rgb in that use, until the use is given another value.
uint16_t TrueColorNumber(TrueColorUse use, COLORREF rgb);
// A colour number as a colour value: TrueColorFlag | RGB for the numbers that stand for true
// colours, the number itself otherwise.
uint32_t ColorValueOf(uint16_t number);

// Puts a true colour in the layer's drawing state as the current colour (Pen), the fill
// colour (Fill) or the background colour (Background), past the layer's check of colour
// numbers. The background here changes no palette entry.
void SetTrueDrawingColor(TrueColorUse use, COLORREF rgb);

// While one lives, a flood fill's border of the TrueColorUse::Border number is the pixels
// of exactly that RGB value: the driver's scan lines read those pixels as that number.
class TrueColorBorder {
 public:
  explicit TrueColorBorder(COLORREF rgb);
  ~TrueColorBorder();
  TrueColorBorder(const TrueColorBorder&) = delete;
  TrueColorBorder& operator=(const TrueColorBorder&) = delete;
  uint16_t number() const;
};

// What the pixel (x, y) of the active page holds, viewport-relative as GetPixel takes it:
// the colour number it was drawn in, TrueColorFlag | RGB for a pixel drawn in a true
// colour. With a fixed palette, and in the game's windows (which keep only RGB values), an
// RGB value equal to one of the 16 basic colours is that colour's number. 0 outside the
// viewport (when it clips) or the window; grError without a window.
uint32_t GetPixelValue(int16_t x, int16_t y);

// The RGB values the window shows in the block from (left, top), width by height, in window
// coordinates, row by row; the block is clipped to the window first and its clipped place
// returned. Under one hold of graphLock. False, with nothing read, when there is no window
// or nothing of the block is on it.
struct ShownBlock {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<COLORREF> pixels;
};
bool ReadShownBlock(int left, int top, int width, int height, ShownBlock& block);

// Whether the palette windows opened now keep the 16 basic colours fixed
// (UsePaletteWindows in graphwin/driver.h).
bool FixedPaletteInUse();
