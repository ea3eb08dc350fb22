#include "graph/graph.h"
#include "graphwin/driver.h"
#include "graphwin/hooks.h"
#include "mode_table.h"
#include "win32.h"

namespace {

void InstallMouseRoutine(MouseMessageRoutine routine) {
  MouseMessageHook = routine;
}

}  // namespace

void StartGraphWindowDriver() {
  StartGraphLayer(RegisterDriverModes);
  KeyMessageHook = nullptr;
  MouseMessageHook = nullptr;
  CommandMessageHook = nullptr;
  NotifyMessageHook = nullptr;
  WindowCreatedHook = nullptr;
  DisplayLostHook = nullptr;
  WindowCloseHook = nullptr;
  StartMousePart(GetSystemMetrics(SM_MOUSEPRESENT) != 0, InstallMouseRoutine);
}
