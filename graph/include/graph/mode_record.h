#pragma once
// A mode that a driver offers, with the table of operation slots through which the layer
// reaches the driver's pixels. An empty slot is nullptr. The layer calls the slots on the
// program's thread; a driver whose pixels another thread reads (a window's message thread)
// guards them itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct RGBRec {
  uint8_t Red = 0, Green = 0, Blue = 0;
};
struct PaletteType {
  int32_t Size = 0;
  RGBRec Colors[256];
};

using DirectPutPixelProc = void (*)(int16_t x, int16_t y);
using GetPixelProc = uint16_t (*)(int16_t x, int16_t y);
using PutPixelProc = void (*)(int16_t x, int16_t y, uint16_t color);
using SetRGBPaletteProc = void (*)(int16_t color, int16_t red, int16_t green, int16_t blue);
using GetRGBPaletteProc = void (*)(int16_t color, int16_t& red, int16_t& green, int16_t& blue);
using SetAllPaletteProc = void (*)(const PaletteType& palette);
using SetPageProc = void (*)(uint16_t page);
using ClearViewPortProc = void (*)();
using PutImageProc = void (*)(int16_t x, int16_t y, const void* image, uint16_t bitBlt);
using GetImageProc = void (*)(int16_t x1, int16_t y1, int16_t x2, int16_t y2, void* image);
using ImageSizeProc = int32_t (*)(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
using GetScanLineProc = void (*)(int16_t x1, int16_t x2, int16_t y, uint16_t* row);
using LineProc = void (*)(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
using RowProc = void (*)(int16_t x1, int16_t x2, int16_t y);  // PatternLine, HLine
using VLineProc = void (*)(int16_t x, int16_t y1, int16_t y2);
using InternalEllipseProc = void (*)(int16_t x, int16_t y, uint16_t xRadius, uint16_t yRadius,
                                     uint16_t startAngle, uint16_t endAngle, RowProc row);
using InitModeProc = void (*)();
using OutTextXYProc = void (*)(int16_t x, int16_t y, std::string_view text);
using SetBkColorProc = void (*)(uint16_t color);
using GetBkColorProc = uint16_t (*)();
// A row (Y1 == Y2), a column (X1 == X2) or a block of rows of pixels, viewport-relative,
// ends included.
struct PixelRun {
  int16_t X1, Y1, X2, Y2;
};
using RunsProc = void (*)(const PixelRun* runs, size_t count);

struct ModeSlots {
  DirectPutPixelProc DirectPutPixel = nullptr;  // required
  GetPixelProc GetPixel = nullptr;              // required
  PutPixelProc PutPixel = nullptr;              // required
  SetRGBPaletteProc SetRGBPalette = nullptr;    // required
  GetRGBPaletteProc GetRGBPalette = nullptr;    // required
  SetAllPaletteProc SetAllPalette = nullptr;
  SetPageProc SetVisualPage = nullptr;
  SetPageProc SetActivePage = nullptr;
  ClearViewPortProc ClearViewPort = nullptr;
  PutImageProc PutImage = nullptr;
  GetImageProc GetImage = nullptr;
  ImageSizeProc ImageSize = nullptr;
  GetScanLineProc GetScanLine = nullptr;
  LineProc Line = nullptr;
  InternalEllipseProc InternalEllipse = nullptr;
  RowProc PatternLine = nullptr;
  RowProc HLine = nullptr;
  VLineProc VLine = nullptr;
  InitModeProc InitMode = nullptr;  // required
  OutTextXYProc OutTextXY = nullptr;
  SetBkColorProc SetBkColor = nullptr;
  GetBkColorProc GetBkColor = nullptr;
  // Beyond the classic table: many runs at once, each drawn as HLine or VLine would draw
  // it (a block as HLine would draw each of its rows), so that a driver can take its lock
  // once for a whole outline, bar or batch of rows.
  RunsProc Runs = nullptr;
};

struct ModeRecord {
  int16_t DriverNumber = 0;
  int16_t ModeNumber = 0;
  int32_t MaxColor = 0;
  int32_t PaletteSize = 0;
  uint16_t XAspect = 0, YAspect = 0;
  uint16_t MaxX = 0, MaxY = 0;
  bool DirectColor = false;
  uint16_t HardwarePages = 0;
  std::string ModeName;  // at most 32 characters
  ModeSlots Slots;
  ModeRecord* Next = nullptr;  // registry link, set by AddMode
};
