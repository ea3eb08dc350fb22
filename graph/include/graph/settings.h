#pragma once
// Queries of the drawing state, the palette routines, names of drivers and modes, the
// result-code messages and the switch back from graphics mode. The structures are those
// of the classic interface, so a C front can copy them field by field. The program's thread,
// as all of the layer (graph.h).
#include <cstddef>
#include <cstdint>
#include <span>

#include "graph/graph_types.h"
#include "graph/mode_record.h"

struct ViewPortType {
  int16_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // absolute corners, both included
  bool Clip = true;
};

void GetViewSettings(ViewPortType& viewPort);
void GetFillSettings(FillSettingsType& fillInfo);
void GetFillPattern(uint8_t (&pattern)[8]);  // the user pattern's eight rows
void GetLineSettings(LineSettingsType& lineInfo);
void GetTextSettings(TextSettingsType& textInfo);

// The current palette as RGB values, PaletteSize entries.
void GetPalette(PaletteType& palette);
// The default palette's first PaletteSize entries (all 256 before a mode is set).
void GetDefaultPalette(PaletteType& palette);
int32_t GetPaletteSize();
// Sets palette entry colorNum to the RGB value of colour `colour` of the default palette
// (0..255); grError when either is out of range.
void SetPalette(int16_t colorNum, int16_t color);

const char* GetDriverName();
// The name of mode `mode` of the current driver; empty and grInvalidMode when it has none.
// The text lives as long as the mode registry.
const char* GetModeName(int16_t mode);
int16_t GetGraphMode();  // the driver's own number of the current mode
// The largest mode number of the current driver; -1 when it has none.
int16_t GetMaxMode();
// One line saying what a result code means and, for failures, what to do.
const char* GraphErrorMsg(int16_t errorCode);

// Leaves graphics mode as CloseGraph does, but keeps the driver and mode so that
// SetGraphMode(GetGraphMode()) opens the same mode again.
void RestoreCrtMode();

// Scales stroked fonts by multX / divX across and multY / divY up; grError for a
// divisor of 0 or less or a negative multiplier.
void SetUserCharSize(int32_t multX, int32_t divX, int32_t multY, int32_t divY);

// Largest font file accepted; real ones are a few kilobytes.
constexpr size_t MaxFontFileSize = 1 << 20;

// Registers a stroked font from the bytes of a font file already in memory. The font
// replaces the registry entry whose name matches the name in its header (the four bytes
// after the header size), or takes a new entry. Returns the font number, or grInvalidFont
// or grError (registry full).
int16_t RegisterBGIfont(std::span<const uint8_t> fontFile);
