// Queries of the drawing state, palette routines, names and the switch back from graphics.
#include <algorithm>

#include "graph/default_palette.h"
#include "graph/graph.h"
#include "graph/settings.h"
#include "layer_internal.h"

void GetViewSettings(ViewPortType& viewPort) {
  const ViewPortState& vp = Graph.ViewPort;
  viewPort = {vp.X1, vp.Y1, static_cast<int16_t>(vp.X1 + vp.Width),
              static_cast<int16_t>(vp.Y1 + vp.Height), vp.ClipPixels};
}

void GetFillSettings(FillSettingsType& fillInfo) {
  fillInfo = Graph.FillSettings;
}

void GetFillPattern(uint8_t (&pattern)[8]) {
  std::copy(std::begin(Graph.UserFillPattern), std::end(Graph.UserFillPattern), pattern);
}

void GetLineSettings(LineSettingsType& lineInfo) {
  lineInfo = Graph.LineSettings;
}

void GetTextSettings(TextSettingsType& textInfo) {
  textInfo = Graph.TextSettings;
}

void GetPalette(PaletteType& palette) {
  palette.Size = std::clamp<int32_t>(Graph.PaletteSize, 0, 256);
  for (int32_t i = 0; i < palette.Size; ++i) {
    int16_t red = 0, green = 0, blue = 0;
    Graph.Slots.GetRGBPalette(static_cast<int16_t>(i), red, green, blue);
    palette.Colors[i] = {static_cast<uint8_t>(red), static_cast<uint8_t>(green),
                         static_cast<uint8_t>(blue)};
  }
}

void GetDefaultPalette(PaletteType& palette) {
  palette.Size = Graph.PaletteSize > 0 ? std::min<int32_t>(Graph.PaletteSize, 256) : 256;
  const auto& colors = DefaultPaletteColors();
  std::copy(colors.begin(), colors.end(), palette.Colors);
}

int32_t GetPaletteSize() {
  return Graph.PaletteSize;
}

void SetPalette(int16_t colorNum, int16_t color) {
  if (color < 0 || color > 255) {
    Graph.ResultCode = grError;
    return;
  }
  const RGBRec& rgb = DefaultPaletteColors()[static_cast<size_t>(color)];
  Graph.Slots.SetRGBPalette(colorNum, rgb.Red, rgb.Green, rgb.Blue);
}

const char* GetDriverName() {
  return Graph.DriverName.c_str();
}

const char* GetModeName(int16_t mode) {
  for (const ModeRecord* r = ModeList; r; r = r->Next) {
    if (r->DriverNumber == Graph.CurrentDriver && r->ModeNumber == mode) {
      return r->ModeName.c_str();
    }
  }
  Graph.ResultCode = grInvalidMode;
  return "";
}

int16_t GetGraphMode() {
  return Graph.CurrentMode;
}

int16_t GetMaxMode() {
  int16_t highest = -1;
  for (const ModeRecord* r = ModeList; r; r = r->Next) {
    if (r->DriverNumber == Graph.CurrentDriver) highest = std::max(highest, r->ModeNumber);
  }
  return highest;
}

void RestoreCrtMode() {
  CloseGraph();
}
