// Generic clearing of the viewport.
#include "graph/graph.h"
#include "graph/shapes.h"
#include "layer_internal.h"

void ClearViewPort() {
  Graph.Slots.ClearViewPort();
}

void GenericClearViewPort() {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  const uint16_t keptColor = Graph.CurrentColor;
  const uint16_t keptWriteMode = Graph.WriteMode;
  const bool keptClip = Graph.ViewPort.ClipPixels;
  Graph.CurrentColor = Graph.BkColor;
  Graph.WriteMode = NormalPut;
  Graph.ViewPort.ClipPixels = true;
  for (int32_t y = 0; y <= Graph.ViewPort.Height; ++y) {
    Graph.Slots.HLine(0, Graph.ViewPort.Width, static_cast<int16_t>(y));
  }
  Graph.ViewPort.ClipPixels = keptClip;
  Graph.WriteMode = keptWriteMode;
  Graph.CurrentColor = keptColor;
  Graph.CurrentX = Graph.CurrentY = 0;
}

void ClearDevice() {
  const ViewPortState kept = Graph.ViewPort;
  Graph.ViewPort = {0, 0, Graph.MaxX, Graph.MaxY, true};
  Graph.Slots.ClearViewPort();
  Graph.ViewPort = kept;
  Graph.CurrentX = Graph.CurrentY = 0;
}
