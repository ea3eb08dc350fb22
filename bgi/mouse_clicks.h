#pragma once
// The C front's mouse clicks: per kind of mouse message a bounded queue of the positions not
// yet taken, the pointer's last position, and the handlers a program registered. The
// message thread pushes, through the routine the C front puts in the driver's mouse slot;
// the program's thread reads and runs the handlers.
#include <cstddef>
#include <optional>

namespace bgi {

constexpr int FirstMouseKind = 0x0200;  // WM_MOUSEMOVE
constexpr int LastMouseKind = 0x0209;   // WM_MBUTTONDBLCLK
// Per kind, and for the handler calls that wait; the oldest drop first.
constexpr size_t MostClicksWaiting = 64;

struct ClickPoint {
  int x = 0, y = 0;
  bool operator==(const ClickPoint&) const = default;
};
using MouseHandler = void (*)(int x, int y);

// Program thread. Puts the collector in the driver's mouse slot, in front of the routine
// that was there (the layer's button state), once.
void CollectMouseClicks();
// Program thread. Forgets the waiting clicks and handler calls and the pointer's position:
// a new window starts with none.
void ForgetMouseClicks();
// Program thread. Calls the handlers of the events that came since, oldest first; does
// nothing inside a handler, so that one that calls a library routine is not entered again.
void RunMouseHandlers();

// Program thread; a kind out of range has nothing waiting and takes nothing.
bool ClickWaiting(int kind);
std::optional<ClickPoint> TakeClick(int kind);
void ClearClicks(int kind);
ClickPoint PointerPosition();
void SetMouseHandler(int kind, MouseHandler handler);

}  // namespace bgi
