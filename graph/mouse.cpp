// The mouse part: presence flag and button state collected from the graph window. The
// message routine runs on the window's message thread, hence the atomic state byte.
#include <atomic>

#include "graph/graph.h"
#include "runtime/exit_chain.h"

namespace {

constexpr uint32_t kLeftDown = 0x201, kLeftUp = 0x202, kLeftDouble = 0x203;
constexpr uint32_t kRightDown = 0x204, kRightUp = 0x205, kRightDouble = 0x206;
constexpr uint32_t kMiddleDown = 0x207, kMiddleUp = 0x208, kMiddleDouble = 0x209;

bool mousePresent = false;
std::atomic<uint8_t> buttons{0};
void (*installRoutine)(MouseMessageRoutine) = nullptr;
ExitHandler displacedExitHandler = nullptr;
bool exitHandlerChained = false;

void MouseExitHandler() {
  ExitProc = displacedExitHandler;
  exitHandlerChained = false;
  if (installRoutine) installRoutine(nullptr);
}

}  // namespace

void StartMousePart(bool present, void (*install)(MouseMessageRoutine routine)) {
  mousePresent = present;
  buttons = 0;
  installRoutine = install;
  if (install) install(MouseMessage);
  if (!exitHandlerChained) {
    displacedExitHandler = ChainExitHandler(MouseExitHandler);
    exitHandlerChained = true;
  }
}

bool MousePresent() {
  return mousePresent;
}

intptr_t MouseMessage(HWND__*, uint32_t message, uintptr_t, intptr_t) {
  switch (message) {
    case kLeftDown:
    case kLeftDouble:
      buttons |= 1;
      break;
    case kLeftUp:
      buttons &= static_cast<uint8_t>(~1);
      break;
    case kRightDown:
    case kRightDouble:
      buttons |= 2;
      break;
    case kRightUp:
      buttons &= static_cast<uint8_t>(~2);
      break;
    case kMiddleDown:
    case kMiddleDouble:
      buttons |= 4;
      break;
    case kMiddleUp:
      buttons &= static_cast<uint8_t>(~4);
      break;
    default:
      break;
  }
  return 0;
}

uint8_t MouseButtons() {
  return buttons;
}
