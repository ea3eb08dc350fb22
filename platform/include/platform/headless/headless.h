#pragma once
// The in-memory display: what tests and benchmarks use to play the part of the user and
// to look at what a window shows. Active when GRAPHWIN_BACKEND=headless, or after
// UseHeadless() in a process whose backend was not chosen yet.
//
// Threads: any thread may call these (a test's own thread plays the user while the window's
// message thread runs); Pixel says what else it needs.
#include <optional>
#include <string>
#include <vector>

#include "platform/screen_metrics.h"
#include "platform/win_types.h"

namespace platform::headless {

// Makes the in-memory display this process's backend. False when another backend was
// chosen already.
bool UseHeadless();

// Defaults: 1920 x 1080 screen, work area 1920 x 1040, frames 4, caption 23, mouse present.
ScreenMetrics DefaultMetrics();
void SetMetrics(const ScreenMetrics& metrics);
ScreenMetrics Metrics();

// While set, every window creation fails.
void FailWindowCreation(bool fail);

struct WindowInfo {
  HWND hwnd = nullptr;
  HWND parent = nullptr;
  std::string title;
  std::string className;
  DWORD style = 0;
  int x = 0, y = 0;
  int width = 0, height = 0;  // client area
  bool maximised = false;
  bool shown = false;
};

// The windows on the display, oldest first.
std::vector<HWND> Windows();
// The newest window, or nullptr.
HWND LastWindow();
std::optional<WindowInfo> Info(HWND hwnd);
// One pixel of what the window shows: what was drawn and presented on its surface, as on any
// display; pixels drawn but never presented do not show. Takes the surface's drawing lock
// (the window driver's graphLock once the driver draws on it), so it may run beside the
// drawing. nullopt outside the window or when it is gone.
std::optional<COLORREF> Pixel(HWND hwnd, int x, int y);

// Input as the display would report it. False when the window is gone.
bool KeyDown(HWND hwnd, UINT virtualKey, int character = -1);
bool KeyUp(HWND hwnd, UINT virtualKey);
// msg is one of the button messages (WM_LBUTTONDOWN ... WM_MBUTTONDBLCLK).
bool MouseButton(HWND hwnd, UINT msg, int x, int y);
// The pointer moved to (x, y) in the window: WM_MOUSEMOVE, with no button held.
bool MouseMove(HWND hwnd, int x, int y);
// The close button: WM_CLOSE.
bool Close(HWND hwnd);
// Part of the window was uncovered: WM_PAINT of that rectangle follows.
bool Expose(HWND hwnd, const RECT& rect);
// The display goes away.
void LoseDisplay();

}  // namespace platform::headless
