#pragma once
// The terminal as a display: the screen is the terminal's columns by twice its rows, less
// the rows kept at the bottom for console messages; one pixel is half a character cell.
#include <string>

#include "backend.h"

namespace platform::terminal {

// Rows below the picture that show the latest console messages.
constexpr int ConsoleRowCount = 4;

// The smallest terminal a top-level window is made in: room for one row of picture above
// the console rows. A window larger than the terminal shows what fits.
constexpr int MinimumColumns = 1;
constexpr int MinimumRows = ConsoleRowCount + 1;

struct TerminalSize {
  int columns = 0, rows = 0;
};
// The size of the terminal on fd; zeros when it cannot be read.
TerminalSize ReadTerminalSize(int fd);

// The metrics of a terminal of that size.
ScreenMetrics MetricsOf(TerminalSize size);

// The smallest terminal that shows a picture of width x height pixels whole.
TerminalSize TerminalSizeFor(int width, int height);

// The line that says why no window can be made in a terminal of that size; empty when one
// can.
std::string TooSmallNote(TerminalSize size);

}  // namespace platform::terminal
