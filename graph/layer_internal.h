#pragma once
// Pieces of the layer shared between its own source files; not part of its interface.
#include <cstdint>

#include "graph/mode_record.h"
#include "graph_state.h"

// The table of routines in force while no mode is set: the generic routines for the
// optional slots and the stop routine for the required ones.
ModeSlots GenericSlots();
// Graph.Slots := GenericSlots().
void ResetSlots();
// True while the required slots hold the stop routine, i.e. no mode is installed.
bool NoModeInstalled();
// Writes the "not in graphics mode" line and ends the program with exit code 1.
[[noreturn]] void StopNotInGraphicsMode();

// Depth driver (11..18) of a colour count, or 0 when the count has none.
int16_t DepthDriverOf(int32_t colors);
bool IsDepthDriver(int16_t driver);
// The mode record for (driver, mode), rewriting mode for the special numbers; nullptr
// when there is none.
const ModeRecord* SearchMode(int16_t driver, int16_t& mode);
void FreeModeRegistry();

void FreeFonts();
void RegisterStandardFonts();

// Detection; keepGivenDepthDriver is InitGraph's flag.
void DetectGraphMode(int16_t& driver, int16_t& mode, bool keepGivenDepthDriver);

// Generic routines behind optional slots, defined where they belong.
void GenericHLine(int16_t x1, int16_t x2, int16_t y);
void GenericVLine(int16_t x, int16_t y1, int16_t y2);
void GenericLine(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
void GenericSetBkColor(uint16_t color);
uint16_t GenericGetBkColor();
void GenericSetAllPalette(const PaletteType& palette);
void GenericGetScanLine(int16_t x1, int16_t x2, int16_t y, uint16_t* row);
void GenericClearViewPort();
void GenericPutImage(int16_t x, int16_t y, const void* image, uint16_t bitBlt);
void GenericGetImage(int16_t x1, int16_t y1, int16_t x2, int16_t y2, void* image);
int32_t GenericImageSize(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
void GenericOutTextXY(int16_t x, int16_t y, std::string_view text);
void GenericRuns(const PixelRun* runs, size_t count);

// 32-bit form of LineClip for callers whose coordinates may leave the 16-bit range.
bool ClipLine32(int32_t& x1, int32_t& y1, int32_t& x2, int32_t& y2, int32_t left, int32_t top,
                int32_t right, int32_t bottom);
