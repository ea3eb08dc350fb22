#pragma once
// The BGI-style graphics layer: modes, detection, start-up, results, defaults, viewport.
#include <cstdint>
#include <string_view>

#include "graph/graph_state.h"
#include "graph/mode_record.h"

// Program initialisation of the layer: empties the registries, lets the driver register
// its modes (registerDriver), registers the ten stroked-font names and chains the layer's
// exit handler.
void StartGraphLayer(void (*registerDriver)());

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
void CloseGraph();  // the driver's routine, reached through CloseGraphHook

// Mouse part: the presence flag and the routine for the driver's mouse-message slot.
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
void SetColor(uint16_t colour);
uint16_t GetColor();
void SetBkColor(uint16_t colour);
uint16_t GetBkColor();
void SetWriteMode(uint16_t mode);
void SetLineStyle(uint16_t style, uint16_t pattern, uint16_t thickness);
void Line(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
void PutPixel(int16_t x, int16_t y, uint16_t colour);
uint16_t GetPixel(int16_t x, int16_t y);
void SetRGBPalette(int16_t colour, int16_t red, int16_t green, int16_t blue);
void GetRGBPalette(int16_t colour, int16_t& red, int16_t& green, int16_t& blue);
void SetAllPalette(const PaletteType& palette);
