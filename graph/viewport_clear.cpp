// Generic clearing of the viewport.
#include "fill_rows.h"
#include "graph/graph.h"
#include "graph/shapes.h"
#include "layer_internal.h"

void ClearViewPort() {
  Graph.Slots.ClearViewPort();
}

void GenericClearViewPort() {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  {
    const SavedField savedWriteMode(Graph.WriteMode);
    const SavedField savedClip(Graph.ViewPort.ClipPixels);
    Graph.WriteMode = NormalPut;
    Graph.ViewPort.ClipPixels = true;
    DrawRowsInColor(0, Graph.ViewPort.Width, 0, Graph.ViewPort.Height, Graph.BkColor);
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
