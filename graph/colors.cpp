// Colours, write mode, palette and pixels: thin entry points through the slots, and the
// generic routines behind the optional palette and background slots.
#include "graph/default_palette.h"
#include "graph/graph.h"
#include "layer_internal.h"

void SetColor(uint16_t color) {
  // Drivers index their palette with the current colour; refuse what the mode lacks.
  if (color > GetMaxColor()) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.CurrentColor = color;
}

uint16_t GetColor() {
  return Graph.CurrentColor;
}

void SetBkColor(uint16_t color) {
  if (color > GetMaxColor()) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.Slots.SetBkColor(color);
}

uint16_t GetBkColor() {
  return Graph.Slots.GetBkColor();
}

void GenericSetBkColor(uint16_t color) {
  const SavedField savedViewPort(Graph.ViewPort);
  Graph.ViewPort = {0, 0, Graph.MaxX, Graph.MaxY, false};
  Graph.BkColor = color;
  if (!Graph.DirectColor && color < 256) {
    const RGBRec& rgb = DefaultPaletteColors()[color];
    Graph.Slots.SetRGBPalette(0, rgb.Red, rgb.Green, rgb.Blue);
  }
}

uint16_t GenericGetBkColor() {
  return Graph.BkColor;
}

void SetWriteMode(uint16_t mode) {
  if (mode > NotPut) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.WriteMode = mode;
}

void PutPixel(int16_t x, int16_t y, uint16_t color) {
  Graph.Slots.PutPixel(x, y, color);
}
uint16_t GetPixel(int16_t x, int16_t y) {
  return Graph.Slots.GetPixel(x, y);
}

void SetRGBPalette(int16_t color, int16_t red, int16_t green, int16_t blue) {
  Graph.Slots.SetRGBPalette(color, red, green, blue);
}

void GetRGBPalette(int16_t color, int16_t& red, int16_t& green, int16_t& blue) {
  Graph.Slots.GetRGBPalette(color, red, green, blue);
}

void SetAllPalette(const PaletteType& palette) {
  Graph.Slots.SetAllPalette(palette);
}

void GenericSetAllPalette(const PaletteType& palette) {
  if (palette.Size < 0 || palette.Size > 256 || palette.Size > Graph.PaletteSize) {
    Graph.ResultCode = grError;
    return;
  }
  for (int32_t i = 0; i < palette.Size; ++i) {
    const RGBRec& c = palette.Colors[i];
    Graph.Slots.SetRGBPalette(static_cast<int16_t>(i), c.Red, c.Green, c.Blue);
  }
}

void GetScanLine(int16_t x1, int16_t x2, int16_t y, uint16_t* row) {
  Graph.Slots.GetScanLine(x1, x2, y, row);
}

void GenericGetScanLine(int16_t x1, int16_t x2, int16_t y, uint16_t* row) {
  if (!row) return;
  for (int32_t x = x1, i = 0; x <= x2; ++x, ++i) {
    row[i] = Graph.Slots.GetPixel(static_cast<int16_t>(x), y);
  }
}

void SetActivePage(uint16_t page) {
  Graph.Slots.SetActivePage(page);
}
void SetVisualPage(uint16_t page) {
  Graph.Slots.SetVisualPage(page);
}
