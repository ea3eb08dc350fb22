#pragma once
// The BGI-style graphics layer: modes, detection, start-up, results, defaults, viewport.
//
// Threads: the layer is the program's: every routine here runs on the program's thread (the
// one that calls InitGraph), and so do the drivers' slots that they call. The exceptions are
// marked where they are declared (the mouse part).
#include <cstdint>
#include <string_view>

#include "graph/graph_types.h"
#include "graph/mode_record.h"

// Program initialisation of the layer: empties the registries, lets the driver register
// its modes (registerDriver), registers the ten stroked-font names and chains the layer's
// exit handler.
void StartGraphLayer(void (*registerDriver)());

// Special mode numbers: the lowest and highest mode of a driver; in InitGraph and
// SetGraphMode the highest mode of the given depth driver. 30001..30015 select a depth
// driver's mode by its resolution.
constexpr int16_t LowestMode = -32768;
constexpr int16_t HighestMode = -32767;
constexpr int16_t HighestModeOfDriver = 30000;
// CurrentDepthDriver of a mode whose colour count has no depth driver.
constexpr int16_t NoDepthDriver = 32767;

// The registry: every record AddMode received, in order (linked through Next), and the
// mode-number range of each depth driver 11..21 (index driver - 11), (-1, -1) when empty.
constexpr int DepthDriverCount = 11;
struct DepthModeRangeType {
  int16_t Lowest = -1, Highest = -1;
};
extern ModeRecord* ModeList;
extern DepthModeRangeType DepthModeRange[DepthDriverCount];

void AddMode(const ModeRecord& record);
void InitGraph(int16_t& driver, int16_t& mode, std::string_view path);
void DetectGraph(int16_t& driver, int16_t& mode);
void SetGraphMode(int16_t mode);
void GetModeRange(int16_t driver, int16_t& lowest, int16_t& highest);
int16_t GraphResult();
void GraphDefaults();
void SetViewPort(int16_t x1, int16_t y1, int16_t x2, int16_t y2, bool clip);
int16_t GetMaxX();
int16_t GetMaxY();
uint16_t GetMaxColor();
// Leaves graphics mode through the driver's CloseGraphHook; without a hook, grNoInitGraph
// when no mode is set.
void CloseGraph();

// Mouse part: the presence flag and the routine for the driver's mouse-message slot.
// MouseMessage is that routine and runs on the message thread; MouseButtons may be read on
// any thread.
struct HWND__;
using MouseMessageRoutine = intptr_t (*)(HWND__* window, uint32_t message, uintptr_t wParam,
                                         intptr_t lParam);
// Records the presence flag, installs MouseMessage through install and chains an exit
// handler that calls install(nullptr).
void StartMousePart(bool mousePresent, void (*install)(MouseMessageRoutine routine));
bool MousePresent();
intptr_t MouseMessage(HWND__* window, uint32_t message, uintptr_t wParam, intptr_t lParam);
uint8_t MouseButtons();  // bit 0 left, bit 1 right, bit 2 middle

// Colours and lines (generic routines unless the mode fills their slots).
void SetColor(uint16_t color);
uint16_t GetColor();
void SetBkColor(uint16_t color);
uint16_t GetBkColor();
void SetWriteMode(uint16_t mode);
void SetLineStyle(uint16_t style, uint16_t pattern, uint16_t thickness);
void Line(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
void PutPixel(int16_t x, int16_t y, uint16_t color);
uint16_t GetPixel(int16_t x, int16_t y);
void SetRGBPalette(int16_t color, int16_t red, int16_t green, int16_t blue);
void GetRGBPalette(int16_t color, int16_t& red, int16_t& green, int16_t& blue);
void SetAllPalette(const PaletteType& palette);
void GetScanLine(int16_t x1, int16_t x2, int16_t y, uint16_t* row);  // x2 - x1 + 1 entries

void SetActivePage(uint16_t page);
void SetVisualPage(uint16_t page);

// Current position and lines from it.
void MoveTo(int16_t x, int16_t y);
int16_t GetX();
int16_t GetY();
void LineTo(int16_t x, int16_t y);

// Fills the viewport with the background colour and moves the current position to (0, 0).
void ClearViewPort();
// Images; without a driver routine these report grError.
int32_t ImageSize(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
void GetImage(int16_t x1, int16_t y1, int16_t x2, int16_t y2, void* image);
void PutImage(int16_t x, int16_t y, const void* image, uint16_t bitBlt);
