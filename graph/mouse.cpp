// The mouse part: presence flag and button state collected from the graph window. The
// message routine runs on the window's message thread, hence the atomic state byte.
#include <atomic>

#include "graph/graph.h"
#include "runtime/exit_chain.h"

namespace {

constexpr uint32_t LeftDown = 0x201, LeftUp = 0x202, LeftDouble = 0x203;
constexpr uint32_t RightDown = 0x204, RightUp = 0x205, RightDouble = 0x206;
constexpr uint32_t MiddleDown = 0x207, MiddleUp = 0x208, MiddleDouble = 0x209;

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
    case LeftDown:
    case LeftDouble:
      buttons |= 1;
      break;
    case LeftUp:
      buttons &= static_cast<uint8_t>(~1);
      break;
    case RightDown:
    case RightDouble:
      buttons |= 2;
      break;
    case RightUp:
      buttons &= static_cast<uint8_t>(~2);
      break;
    case MiddleDown:
    case MiddleDouble:
      buttons |= 4;
      break;
    case MiddleUp:
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
