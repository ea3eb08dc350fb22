// Generic clearing of the viewport.
#include "graph/graph.h"
#include "graph/shapes.h"
#include "layer_internal.h"

void ClearViewPort() {
  Graph.Slots.ClearViewPort();
}

void GenericClearViewPort() {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  {
    const SavedField savedColor(Graph.CurrentColor);
    const SavedField savedWriteMode(Graph.WriteMode);
    const SavedField savedClip(Graph.ViewPort.ClipPixels);
    Graph.CurrentColor = Graph.BkColor;
    Graph.WriteMode = NormalPut;
    Graph.ViewPort.ClipPixels = true;
    for (int32_t y = 0; y <= Graph.ViewPort.Height; ++y) {
      Graph.Slots.HLine(0, Graph.ViewPort.Width, static_cast<int16_t>(y));
    }
  }
  Graph.CurrentX = Graph.CurrentY = 0;
}

void ClearDevice() {
  {
    const SavedField savedViewPort(Graph.ViewPort);
    Graph.ViewPort = {0, 0, Graph.MaxX, Graph.MaxY, true};
    Graph.Slots.ClearViewPort();
  }
  Graph.CurrentX = Graph.CurrentY = 0;
}
