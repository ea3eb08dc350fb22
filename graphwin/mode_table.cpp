#include "mode_table.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "graph/graph.h"
#include "graph_state.h"
#include "graphwin/driver.h"
#include "graphwin/true_color.h"
#include "images.h"
#include "page_planes.h"
#include "palette.h"
#include "pixels.h"
#include "run_batch.h"
#include "text_output.h"
#include "win32.h"
#include "window_thread.h"

namespace {

void DoNothing() {}
void IgnorePage(uint16_t) {}

bool paletteWindows = false;
bool fixedPalette = false;

// With a fixed palette the background is only the colour that clearing uses.
void KeepBkColor(uint16_t color) {
  Graph.BkColor = color;
}

// The slots in which palette windows differ: real pages, a whole palette set at once, and
// with a fixed palette a background colour that changes no palette entry.
void FillPaletteWindowSlots(ModeSlots& slots) {
  slots.SetVisualPage = paletteWindows ? DriverSetVisualPage : IgnorePage;
  slots.SetActivePage = paletteWindows ? DriverSetActivePage : IgnorePage;
  slots.SetAllPalette = paletteWindows ? DriverSetAllPalette : nullptr;
  slots.SetBkColor = paletteWindows && fixedPalette ? KeepBkColor : nullptr;
}

void Register(int16_t driver, int16_t mode, const char* name, int maxX, int maxY, int colors,
              uint16_t xAspect) {
  ModeRecord record;
  record.DriverNumber = driver;
  record.ModeNumber = mode;
  record.ModeName = std::string(name).substr(0, 32);
  record.MaxColor = colors;
  record.PaletteSize = colors;
  record.DirectColor = false;
  record.HardwarePages = 0;
  record.MaxX = uint16_t(maxX);
  record.MaxY = uint16_t(maxY);
  record.XAspect = xAspect;
  record.YAspect = 10000;
  ModeSlots& slots = record.Slots;
  slots.DirectPutPixel = DriverDirectPutPixel;
  slots.GetPixel = DriverGetPixel;
  slots.PutPixel = DriverPutPixel;
  slots.SetRGBPalette = DriverSetRGBPalette;
  slots.GetRGBPalette = DriverGetRGBPalette;
  FillPaletteWindowSlots(slots);
  slots.HLine = DriverHLine;
  slots.VLine = DriverVLine;
  slots.GetImage = DriverGetImage;
  slots.PutImage = DriverPutImage;
  slots.GetScanLine = DriverGetScanLine;
  slots.Runs = DriverRuns;
  slots.InitMode = InitMode;
  slots.OutTextXY = DriverOutTextXY;
  AddMode(record);
}

}  // namespace

void RegisterDriverModes() {
  OnceOnlyStartHook = DoNothing;
  CompanionHook = DoNothing;
  CloseGraphHook = DriverCloseGraph;

  const int screenW = GetSystemMetrics(SM_CXSCREEN);
  const int frameX = GetSystemMetrics(SM_CXFRAME);
  const int screenH = GetSystemMetrics(SM_CYSCREEN);
  const int frameY = GetSystemMetrics(SM_CYFRAME);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  const int fullW = GetSystemMetrics(SM_CXFULLSCREEN);
  const int fullH = GetSystemMetrics(SM_CYFULLSCREEN);
  // The largest client area a framed window can have on this screen.
  const int W = screenW - 2 * frameX;
  const int H = screenH - 2 * frameY - caption;

  if (ModeList != nullptr) return;  // the table is built only once

  struct FixedMode {
    int16_t driver, mode;
    const char* name;
    int width, height, colors;
    uint16_t xAspect;
  };
  static constexpr FixedMode FixedModes[] = {
      {9, 2, "640 x 480 x 16 Win32GUI", 640, 480, 16, 10000},
      {9, 0, "640 x 200 x 16 Win32GUI", 640, 200, 16, 4500},
      {9, 1, "640 x 350 x 16 Win32GUI", 640, 350, 16, 7750},
      {10, 256, "640 x 400 x 256 Win32GUI", 640, 400, 256, 8333},
      {10, 257, "640 x 480 x 256 Win32GUI", 640, 480, 256, 10000},
      {10, 258, "800 x 600 x 16 Win32GUI", 800, 600, 16, 10000},
      {10, 259, "800 x 600 x 256 Win32GUI", 800, 600, 256, 10000},
      {10, 260, "1024 x 768 x 16 Win32GUI", 1024, 768, 16, 10000},
      {10, 261, "1024 x 768 x 256 Win32GUI", 1024, 768, 256, 10000},
      {10, 262, "1280 x 1024 x 16 Win32GUI", 1280, 1024, 16, 10000},
      {10, 263, "1280 x 1024 x 256 Win32GUI", 1280, 1024, 256, 10000},
  };
  for (const FixedMode& m : FixedModes) {
    if (W >= m.width && H >= m.height) {
      Register(m.driver, m.mode, m.name, m.width - 1, m.height - 1, m.colors, m.xAspect);
    }
  }
  Register(10, 240, "Largest Window x 16", W - 1, H - 1, 16, 10000);
  Register(10, 241, "Largest Window x 256", W - 1, H - 1, 256, 10000);
  Register(10, 245, "Maximized Window x 16", fullW - 1, fullH - 1, 16, 10000);
  Register(10, 246, "Maximized Window x 256", fullW - 1, fullH - 1, 256, 10000);
}

int16_t SizedWindowMode(int width, int height) {
  // Numbers of their own, above the fixed and largest-window modes, one per size.
  constexpr int16_t FirstSizedMode = 300;
  if (width < 1 || height < 1 || width > MaxSizedWindowSide || height > MaxSizedWindowSide) {
    return -1;
  }
  int16_t next = FirstSizedMode;
  for (const ModeRecord* record = ModeList; record; record = record->Next) {
    if (record->DriverNumber != SizedWindowDriver || record->ModeNumber < FirstSizedMode) continue;
    if (record->MaxX == width - 1 && record->MaxY == height - 1) return record->ModeNumber;
    next = std::max<int16_t>(next, int16_t(record->ModeNumber + 1));
  }
  if (next == INT16_MAX) return -1;  // every number is taken
  const std::string name = std::to_string(width) + " x " + std::to_string(height) + " x 16 Window";
  Register(SizedWindowDriver, next, name.c_str(), width - 1, height - 1, 16, 10000);
  return next;
}

void UsePaletteWindows(bool on, bool fixed) {
  paletteWindows = on;
  fixedPalette = on && fixed;
  for (ModeRecord* record = ModeList; record; record = record->Next) {
    if (record->Slots.InitMode == InitMode) FillPaletteWindowSlots(record->Slots);
  }
}

bool PaletteWindowsInUse() {
  return paletteWindows;
}

bool FixedPaletteInUse() {
  return fixedPalette;
}
