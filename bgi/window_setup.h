#pragma once
// What initgraph and initwindow share: the stack started once per process, and how each
// window the C front opens is set up, numbered and closed.

namespace bgi {

// Starts the window driver and the key buffer the first time; every window the C front
// opens is a palette window with pages.
void StartStackOnce();

// How the next window opens. No title: the one the driver had when the C front first
// started it. No left: the display places the window.
struct WindowRequest {
  const char* title = nullptr;
  bool placed = false;
  int left = 0, top = 0;
  bool closeEndsProgram = true;
};
void PrepareWindow(const WindowRequest& request);

// After the layer's start: the number of the window it opened, or -1 when it failed.
int NumberOpenedWindow();

}  // namespace bgi
