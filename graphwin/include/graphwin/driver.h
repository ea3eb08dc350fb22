#pragma once
// The window driver: program initialisation, settings, window thread.
#include <cstdint>
#include <string>

#include "platform/win_types.h"

// Program initialisation of the graphics stack, in this order: the layer's start-up with
// this driver's modes, the driver's hook slots emptied, the mouse part started. The
// program's thread, before anything else of the stack.
void StartGraphWindowDriver();

// Driver settings; a program may change them on its thread before InitGraph (the message
// thread reads them while it makes the window).
extern std::string GraphWindowTitle;  // "Graph window application"
extern uint32_t GraphClassStyle;      // 3
extern const char* GraphMenuName;     // none
extern bool DrawToWindow;             // true
extern bool DrawToBitmap;             // true
extern bool UseMainWindow;            // false
extern int32_t ChildMargins[4];       // left, top, right, bottom
// Screen position of the window's top-left corner (the frame's, with UseMainWindow);
// CW_USEDEFAULT in the first number lets the display place it.
extern int32_t GraphWindowPosition[2];  // CW_USEDEFAULT, 0

// Palette windows, the screen as classic programs know it: every window opened while they
// are on keeps two pages of colour numbers, draws on the active page, shows the visual one
// through the palette (so a palette change recolours what is shown at once) and reads
// colour numbers back from the active page. The driver's mode records get real page
// routines. Off by default, as the game is built: its windows keep RGB values, a palette
// change affects only later drawing, and the page routines do nothing. The program's
// thread, before InitGraph or SetGraphMode; a window already open keeps what it is.
//
// fixedPalette keeps the 16 basic colours as they are for such windows: SetBkColor only
// chooses the colour that clearing and empty fills use and changes no palette entry, and a
// pixel drawn in an RGB value equal to a basic colour reads back as that colour's number.
// (An explicit palette change still recolours the screen.)
void UsePaletteWindows(bool on, bool fixedPalette = false);

// Windows of a size the program chooses: the mode number, in driver SizedWindowDriver, of a
// 16-colour window whose drawing area is width x height pixels. The first request of a size
// registers its mode (so the depth driver of 16 colours lists it too), a later one finds it
// again. -1 when a side is outside 1..MaxSizedWindowSide. The program's thread, once the
// driver is started.
constexpr int16_t SizedWindowDriver = 10;
constexpr int MaxSizedWindowSide = 8192;
int16_t SizedWindowMode(int width, int height);

// The outer size of the graph window (drawing area, margins, frames and caption), 0 x 0
// without one; and the screen's size. The program's thread.
struct WindowSize {
  int width = 0, height = 0;
};
WindowSize GraphWindowOuterSize();
WindowSize ScreenSize();

// The active and visual page of the open palette window; both 0 without one. Any thread.
struct PageNumbers {
  int active = 0, visual = 0;
};
PageNumbers CurrentPages();

// Exit code of the current message thread: STILL_ACTIVE while it runs (and the graph window
// is there); 0 when no thread was ever started. Any thread.
DWORD MessageThreadExitCode();
