#pragma once
// The terminal as a display: the screen is the terminal's columns by twice its rows, less
// the rows kept at the bottom for console messages; one pixel is half a character cell.
#include <string>

#include "platform/backend.h"

namespace platform::terminal {

// Rows below the picture that show the latest console messages.
constexpr int ConsoleRowCount = 4;

// The smallest terminal a top-level window is made in: the maze needs 101 x 81 cells of at
// least one pixel, so a picture of 102 x 82 pixels.
constexpr int MinimumColumns = 102;
constexpr int MinimumPictureHeight = 82;
constexpr int MinimumRows = (MinimumPictureHeight + 1) / 2 + ConsoleRowCount;

struct TerminalSize {
  int columns = 0, rows = 0;
};
// The size of the terminal on fd; zeros when it cannot be read.
TerminalSize ReadTerminalSize(int fd);

// The metrics of a terminal of that size.
ScreenMetrics MetricsOf(TerminalSize size);

// The line that says why a window did not fit; empty when it fits.
std::string TooSmallNote(TerminalSize size);

}  // namespace platform::terminal
