#pragma once
// The window driver's process-wide state, shared by the message thread, the pixel routines
// and the text routine. graphLock guards the two surfaces, the pages and both caches;
// windowReady is written under it and may be read without it.
#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "page_planes.h"
#include "platform/win_types.h"
#include "surface.h"

// One palette entry; components are kept as given, only their low 8 bits are drawn.
struct PaletteEntry {
  int16_t Red = 0, Green = 0, Blue = 0;
};

// An 8 by 8 character image: one byte per row from the top, bit 7 the leftmost pixel.
using GlyphImage = std::array<uint8_t, 8>;
constexpr int HorizontalGlyphs = 0;
constexpr int VerticalGlyphs = 1;

extern std::recursive_timed_mutex graphLock;
extern std::atomic<bool> windowReady;
extern HWND graphWindow;  // the window that shows the drawing (single or child window)
extern HWND mainWindow;   // the frame window, only with UseMainWindow

// The off-screen copy of the whole drawing, (MaxX + 1) by (MaxY + 1); empty without a window.
extern std::optional<PixelSurface> backingBitmap;
// The window's visible surface from GetDC, drawn under graphLock; nullptr without a window.
extern WindowSurface* windowSurface;

// The current palette, MaxColor entries while a mode is set; under graphLock.
extern std::vector<PaletteEntry> currentPalette;

// One solid pen per basic colour 0..15, holding the RGB value it was made with.
extern std::array<std::optional<COLORREF>, 16> PenCache;
// Character images made on first use: [HorizontalGlyphs] and [VerticalGlyphs].
extern std::array<std::array<std::optional<GlyphImage>, 256>, 2> GlyphCache;

// What one drawing call writes: the colour number, which a palette window keeps in its
// active page, and the RGB value the surfaces show for it (all that the game's windows keep).
struct Ink {
  uint32_t color = 0;
  COLORREF rgb = 0;
};

// The numbers that stand for true colours (graphwin/true_color.h), one per TrueColorUse, and
// one more that scan lines give for a true-colour pixel that is not a flood fill's border.
// Above the palettes and below the complements (0xFF00 and up) that NotPut draws with.
constexpr uint16_t FirstTrueColorNumber = 0xFE00;
constexpr uint16_t TrueColorNumbers = 5;
constexpr uint16_t OtherTrueColorNumber = FirstTrueColorNumber + TrueColorNumbers;
inline bool IsTrueColorNumber(uint16_t color) {
  return uint16_t(color - FirstTrueColorNumber) < TrueColorNumbers;
}

// The RGB value drawn for a colour number: its palette entry, each component by its low 8
// bits. Numbers beyond the palette wrap round it; black when there is no palette. A true
// colour's number gives its RGB value. Expects graphLock to be held: the palette may be
// freed on the message thread.
COLORREF ColorToRGB(uint16_t color);
// The colour number as a page keeps it (wrapped round the palette, as it is drawn) and its
// RGB value; for a true colour's number, TrueColorFlag | RGB. Expects graphLock to be held.
Ink InkOf(uint16_t color);
// The ink of a value a page keeps: a colour number, or TrueColorFlag | RGB. Expects
// graphLock to be held.
Ink InkOfStored(uint32_t value);
// The ink of a true colour's number. The program's thread.
Ink TrueColorInk(uint16_t number);
// Whether a flood fill's border is a true colour now (TrueColorBorder). The program's thread.
bool TrueColorBorderActive();
// What a scan line gives for a value a page keeps, and for an RGB value of the game's windows
// while a true-colour border is active: the colour number as GetPixelValue reads it, the
// border's number for a pixel of the border's RGB value, OtherTrueColorNumber for another
// true colour. Expect graphLock to be held.
uint16_t ScanNumberOfStoredLocked(uint32_t stored);
uint16_t ScanNumberOfRgbLocked(COLORREF rgb);

// The following expect graphLock to be held and take absolute window coordinates; points
// outside the bitmap are ignored. In a palette window they draw on the active page, and
// on the surfaces only while that page is the visual one.

// Writes the ink to the enabled surfaces (DrawToBitmap, then DrawToWindow) and shows it.
void WritePixelLocked(int x, int y, Ink ink);
// Writes like WritePixelLocked without showing it yet: ShowLocked shows a whole block at once.
void StorePixelLocked(int x, int y, Ink ink);
// Shows the block (x, y, w, h) of the window surface, when it is drawn to.
void ShowLocked(int x, int y, int w, int h);
// Fills the block (x, y, w, h), clipped to the drawing area, on the enabled surfaces and
// shows it. The path of every solid run and bar, so it does no more than store and present.
void FillRectLocked(int x, int y, int w, int h, Ink ink);
// What a pixel holds now. A palette window: the active page's colour number and its RGB
// value. The game's windows: the RGB value from the bitmap when it is drawn to (the window
// may be covered), else from the window surface; the colour number is 0.
Ink PresentInkLocked(int x, int y);
// Width and height of the drawing area while a window exists, else 0.
inline int DrawingWidthLocked() {
  return backingBitmap ? backingBitmap->width() : 0;
}
inline int DrawingHeightLocked() {
  return backingBitmap ? backingBitmap->height() : 0;
}
