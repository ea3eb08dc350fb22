// Uses only the graphics layer, with a driver of its own that draws into memory: no graph
// window, no display. Exits 0 when a bar lands where it should and a refused request is
// reported.
#include <cstdio>
#include <vector>

#include "graph/driver_interface.h"
#include "graph/fill.h"
#include "graph/graph.h"

namespace {

constexpr int Width = 64, Height = 48;
std::vector<uint16_t> pixels(Width* Height);
uint8_t palette[16][3];

// DirectPutPixel takes absolute coordinates and the current colour; PutPixel and GetPixel
// take viewport-relative ones.
void Put(int x, int y, uint16_t color) {
  if (x >= 0 && y >= 0 && x < Width && y < Height) pixels[y * Width + x] = color;
}
void DirectPutPixel(int16_t x, int16_t y) {
  Put(x, y, LayerState().CurrentColor);
}
void PutPixelAt(int16_t x, int16_t y, uint16_t color) {
  const ViewPortState& viewPort = LayerState().ViewPort;
  Put(x + viewPort.X1, y + viewPort.Y1, color);
}
uint16_t GetPixelAt(int16_t x, int16_t y) {
  const ViewPortState& viewPort = LayerState().ViewPort;
  const int ax = x + viewPort.X1, ay = y + viewPort.Y1;
  return ax >= 0 && ay >= 0 && ax < Width && ay < Height ? pixels[ay * Width + ax] : 0;
}
void SetPaletteEntry(int16_t c, int16_t r, int16_t g, int16_t b) {
  if (c < 0 || c > 15) return SetGraphResult(grError);
  palette[c][0] = uint8_t(r), palette[c][1] = uint8_t(g), palette[c][2] = uint8_t(b);
}
void GetPaletteEntry(int16_t c, int16_t& r, int16_t& g, int16_t& b) {
  if (c < 0 || c > 15) return;
  r = palette[c][0], g = palette[c][1], b = palette[c][2];
}
void StartMode() {}
void StartDriver() {}

// The layer calls the driver's start hook at the first InitGraph; it must be there.
void RegisterMemoryDriver() {
  OnceOnlyStartHook = StartDriver;
  ModeRecord mode;
  mode.DriverNumber = 9;
  mode.ModeNumber = 1;
  mode.ModeName = "64 x 48 x 16 in memory";
  mode.MaxColor = mode.PaletteSize = 16;
  mode.MaxX = Width - 1;
  mode.MaxY = Height - 1;
  mode.XAspect = mode.YAspect = 10000;
  mode.Slots.DirectPutPixel = DirectPutPixel;
  mode.Slots.PutPixel = PutPixelAt;
  mode.Slots.GetPixel = GetPixelAt;
  mode.Slots.SetRGBPalette = SetPaletteEntry;
  mode.Slots.GetRGBPalette = GetPaletteEntry;
  mode.Slots.InitMode = StartMode;
  AddMode(mode);
}

}  // namespace

int main() {
  StartGraphLayer(RegisterMemoryDriver);
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  if (const int16_t result = GraphResult(); result != grOk || GetMaxX() != Width - 1) {
    std::fprintf(stderr, "graph only: the memory driver did not start (result %d)\n", result);
    return 1;
  }
  SetFillStyle(SolidFill, 2);
  Bar(4, 4, 9, 7);
  const bool inside = pixels[5 * Width + 6] == 2 && GetPixel(9, 7) == 2;
  const bool outside = pixels[8 * Width + 6] == 0 && pixels[5 * Width + 10] == 0;
  if (!inside || !outside) {
    std::fprintf(stderr, "graph only: the bar is not where it was drawn\n");
    return 1;
  }
  // A request the driver refuses reaches GraphResult.
  SetRGBPalette(16, 0, 0, 0);
  if (GraphResult() != grError || GraphResult() != grOk) {
    std::fprintf(stderr, "graph only: the driver's refusal did not reach GraphResult\n");
    return 1;
  }
  std::printf("graph only: drawn with a driver of its own\n");
  return 0;
}
