#pragma once
// What a driver sees of the layer besides its mode records (graph/mode_record.h): the state
// it draws by, the result code it may set and the layer's hooks it fills. The window driver
// is one such driver; a program may bring its own (see examples/consumer/graph_only.cpp).
#include <cstdint>
#include <string>

#include "graph/graph_types.h"
#include "graph/mode_record.h"

// The layer's process-wide state. The layer alone writes it; drivers read it while they draw.
struct GraphState {
  int16_t ResultCode = grOk;
  bool IsGraphMode = false;
  std::string DriverPath = ".";
  std::string DriverName;
  int16_t CurrentDriver = 0;
  int16_t CurrentDepthDriver = 0;
  int16_t CurrentMode = 0;
  int16_t MaxX = 0, MaxY = 0;
  int32_t MaxColor = 0;
  int32_t PaletteSize = 0;
  uint16_t XAspect = 0, YAspect = 0;
  bool DirectColor = false;
  bool FirstStart = true;

  // Drawing state (GraphDefaults).
  uint16_t CurrentColor = 15;
  uint16_t BkColor = 0;
  uint16_t WriteMode = NormalPut;
  FillSettingsType FillSettings;
  uint8_t UserFillPattern[8] = {0, 0, 0, 0, 0, 0, 0, 0};
  LineSettingsType LineSettings;
  ViewPortState ViewPort;
  int16_t CurrentX = 0, CurrentY = 0;
  TextSettingsType TextSettings;
  ArcCoordsType ArcCoords;

  ModeSlots Slots;  // the operations in force: the mode's, or generic / stop routines
};

// The layer's state, read-only. The program's thread, as the layer's routines that call the
// driver's slots.
const GraphState& LayerState();
// A driver's report of a failed request, which GraphResult then reads and clears. The
// program's thread.
void SetGraphResult(int16_t code);

// Driver-side hooks of the layer, filled by the driver at program initialisation on the
// program's thread.
using DriverHook = void (*)();
extern DriverHook OnceOnlyStartHook;  // run by the first InitGraph
extern DriverHook CompanionHook;      // filled with the start hook, never called by the layer
extern DriverHook CloseGraphHook;     // the driver's CloseGraph
