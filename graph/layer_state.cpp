// The layer's process-wide state, the stop routine and the table of routines in force
// while no mode is set.
#include "graph/fill.h"
#include "graph/graph.h"
#include "graph_state.h"
#include "layer_internal.h"
#include "runtime/console_output.h"
#include "runtime/exit_chain.h"

namespace {

// One stop routine per signature of a required slot.
void StopDirectPutPixel(int16_t, int16_t) {
  StopNotInGraphicsMode();
}
uint16_t StopGetPixel(int16_t, int16_t) {
  StopNotInGraphicsMode();
}
void StopPutPixel(int16_t, int16_t, uint16_t) {
  StopNotInGraphicsMode();
}
void StopSetRGBPalette(int16_t, int16_t, int16_t, int16_t) {
  StopNotInGraphicsMode();
}
void StopGetRGBPalette(int16_t, int16_t&, int16_t&, int16_t&) {
  StopNotInGraphicsMode();
}
void StopInitMode() {
  StopNotInGraphicsMode();
}

void NoPage(uint16_t) {}

GraphState InitialState() {
  GraphState state;
  state.Slots = GenericSlots();
  return state;
}

}  // namespace

GraphState Graph = InitialState();
DriverHook OnceOnlyStartHook = nullptr;
DriverHook CompanionHook = nullptr;
DriverHook CloseGraphHook = nullptr;

const GraphState& LayerState() {
  return Graph;
}

void SetGraphResult(int16_t code) {
  Graph.ResultCode = code;
}

void StopNotInGraphicsMode() {
  WriteErrorLine("Error: Not in graphics mode (use InitGraph and test GraphResult afterwards)");
  Halt(1);
}

ModeSlots GenericSlots() {
  ModeSlots s;
  s.DirectPutPixel = StopDirectPutPixel;
  s.GetPixel = StopGetPixel;
  s.PutPixel = StopPutPixel;
  s.SetRGBPalette = StopSetRGBPalette;
  s.GetRGBPalette = StopGetRGBPalette;
  s.SetAllPalette = GenericSetAllPalette;
  s.SetVisualPage = NoPage;
  s.SetActivePage = NoPage;
  s.ClearViewPort = GenericClearViewPort;
  s.PutImage = GenericPutImage;
  s.GetImage = GenericGetImage;
  s.ImageSize = GenericImageSize;
  s.GetScanLine = GenericGetScanLine;
  s.Line = GenericLine;
  s.InternalEllipse = InternalEllipse;
  s.PatternLine = PatternLine;
  s.HLine = GenericHLine;
  s.VLine = GenericVLine;
  s.InitMode = StopInitMode;
  s.OutTextXY = GenericOutTextXY;
  s.SetBkColor = GenericSetBkColor;
  s.GetBkColor = GenericGetBkColor;
  s.Runs = GenericRuns;
  return s;
}

void ResetSlots() {
  Graph.Slots = GenericSlots();
}

bool NoModeInstalled() {
  return Graph.Slots.DirectPutPixel == StopDirectPutPixel;
}

int16_t GraphResult() {
  int16_t code = Graph.ResultCode;
  Graph.ResultCode = grOk;
  return code;
}

int16_t GetMaxX() {
  return Graph.MaxX;
}
int16_t GetMaxY() {
  return Graph.MaxY;
}
uint16_t GetMaxColor() {
  return static_cast<uint16_t>(Graph.MaxColor - 1);
}
