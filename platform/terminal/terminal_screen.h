#pragma once
// What the terminal shows while a session runs: the picture's cells and the console rows
// below it. One per process; every use holds the output lock (LockOutput).
#include <string_view>

#include "terminal/console_rows.h"
#include "terminal/picture_encoder.h"

namespace platform::terminal {

struct Screen {
  bool open = false;
  int columns = 0, rows = 0, pictureRows = 0;
  PictureEncoder picture;
  ConsoleRows console;
  bool errorsToTerminal = false;  // standard error is this terminal too
};

Screen& TheScreen();

// Lays the screen out for a terminal of columns x rows, clears it and draws all of picture
// and then the console rows. Holds the output lock and the picture's lock.
void LayOutScreen(int columns, int rows, const PixelSurface& picture, std::string& out);

// The console writer while a session runs: messages go to the console rows.
bool WriteConsoleToScreen(std::string_view text, bool toStandardError);

}  // namespace platform::terminal
