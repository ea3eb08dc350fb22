#pragma once
// Whether a drawing area fits the display that the graph window will open on. Only a display
// with a size of its own in character cells, a terminal, can be too small: a desktop window
// shows what fits and the in-memory display has room for anything.
#include <string>

namespace platform {

struct DisplayFit {
  bool fits = true;
  // When it does not fit: the display as a user knows it ("the terminal"), its size and the
  // least size that shows the area whole, in its own cells (a terminal's columns and rows).
  std::string display;
  int columns = 0, rows = 0;
  int neededColumns = 0, neededRows = 0;
};

// Whether a drawing area of width x height pixels fits whole. Chooses the display when none
// was chosen yet; with no display at all the area is said to fit, and the window's creation
// reports the failure. Any thread.
DisplayFit FitOnDisplay(int width, int height);

}  // namespace platform
