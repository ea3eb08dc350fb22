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

// Exit code of the current message thread: STILL_ACTIVE while it runs (and the graph window
// is there); 0 when no thread was ever started. Any thread.
DWORD MessageThreadExitCode();
