#include "graphwin/driver.h"
#include "graphwin/hooks.h"

std::string GraphWindowTitle = "Graph window application";
uint32_t GraphClassStyle = CS_VREDRAW | CS_HREDRAW;
const char* GraphMenuName = nullptr;
bool DrawToWindow = true;
bool DrawToBitmap = true;
bool UseMainWindow = false;
int32_t ChildMargins[4] = {0, 0, 0, 0};
int32_t GraphWindowPosition[2] = {CW_USEDEFAULT, 0};

std::atomic<MessageHook> KeyMessageHook{nullptr};
std::atomic<MessageHook> MouseMessageHook{nullptr};
std::atomic<MessageHook> CommandMessageHook{nullptr};
std::atomic<MessageHook> NotifyMessageHook{nullptr};
std::atomic<CreatedHook> WindowCreatedHook{nullptr};
std::atomic<DisplayLostRoutine> DisplayLostHook{nullptr};
std::atomic<CloseRoutine> WindowCloseHook{nullptr};
