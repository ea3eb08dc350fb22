// Start and end of graphics mode for C programs: initgraph brings up the window driver and
// the key buffer itself, as a classic program expects of its graphics library.
#include "arguments.h"
#include "font_lookup.h"
#include "graph/driver_interface.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "graphwin/hooks.h"
#include "keypad_center.h"
#include "keys/key_buffer.h"
#include "mouse_clicks.h"
#include "window_setup.h"

// A C++ program that started the driver or filled the key slot itself keeps what it set up.
void bgi::StartStackOnce() {
  if (ModeList == nullptr) StartGraphWindowDriver();
  if (KeyMessageHook.load() == nullptr) StartKeyBuffer();
  bgi::CollectCenterKey();
  bgi::CollectMouseClicks();
  UsePaletteWindows(true);
}

namespace {

// Classic detection finds the VGA: the 640 x 480 window in 16 colours. Where the screen is
// too small for that mode (it was not registered), the layer's own detection chooses, and
// so a window that fits. True when the VGA was chosen.
bool DetectVga(int16_t& driver, int16_t& mode) {
  int16_t lowest = -1, highest = -1;
  GetModeRange(VGA, lowest, highest);
  if (highest != VGAHI) return false;
  driver = VGA;
  mode = VGAHI;
  SetGraphResult(grOk);
  return true;
}

}  // namespace

extern "C" {

void initgraph(int* graphdriver, int* graphmode, const char* pathtodriver) {
  bgi::StartStackOnce();
  bgi::PrepareWindow({});
  int16_t driver = graphdriver ? bgi::Coordinate(*graphdriver) : Detect;
  int16_t mode = graphmode ? bgi::Coordinate(*graphmode) : 0;
  if (driver == Detect) DetectVga(driver, mode);
  // The path is only where fonts are looked for: one that does not exist is no error.
  bgi::SetFontPath(bgi::Text(pathtodriver));
  bgi::ForgetMouseClicks();  // those of a window before
  InitGraph(driver, mode, bgi::Text(pathtodriver));
  bgi::NumberOpenedWindow();
  // A failed start leaves its result code in the driver argument too, as classic programs
  // test either; graphresult still reports it.
  if (LayerState().ResultCode != grOk) driver = LayerState().ResultCode;
  if (graphdriver) *graphdriver = driver;
  if (graphmode && LayerState().ResultCode == grOk) *graphmode = mode;
}

void detectgraph(int* graphdriver, int* graphmode) {
  bgi::StartStackOnce();
  int16_t driver = Detect, mode = 0;
  if (!DetectVga(driver, mode)) DetectGraph(driver, mode);
  if (LayerState().ResultCode != grOk) driver = LayerState().ResultCode;
  if (graphdriver) *graphdriver = driver;
  if (graphmode) *graphmode = mode;
}

void closegraph(void) {
  CloseGraph();
}

void setgraphmode(int mode) {
  SetGraphMode(bgi::Coordinate(mode));
}

void getmoderange(int graphdriver, int* lomode, int* himode) {
  if (graphdriver == CURRENT_DRIVER) graphdriver = LayerState().CurrentDriver;
  int16_t lowest = -1, highest = -1;
  GetModeRange(bgi::Coordinate(graphdriver), lowest, highest);
  if (lomode) *lomode = lowest;
  if (himode) *himode = highest;
}

int graphresult(void) {
  return GraphResult();
}

void graphdefaults(void) {
  GraphDefaults();
}

int getmaxx(void) {
  return GetMaxX();
}

int getmaxy(void) {
  return GetMaxY();
}

}  // extern "C"
