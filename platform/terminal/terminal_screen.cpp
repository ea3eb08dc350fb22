#include "terminal/terminal_screen.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "platform/console.h"
#include "terminal/terminal_backend.h"
#include "terminal/terminal_session.h"
#include "window_state.h"

namespace platform::terminal {

Screen& TheScreen() {
  // Never destroyed: console writes may come from other threads while the process exits.
  static detail::Immortal<Screen> screen;
  return screen.get();
}

void LayOutScreen(int columns, int rows, const PixelSurface& picture, std::string& out) {
  Screen& screen = TheScreen();
  screen.columns = std::max(columns, 0);
  screen.rows = std::max(rows, 0);
  screen.pictureRows = std::max(0, screen.rows - ConsoleRowCount);
  screen.picture.reset(screen.columns, screen.pictureRows);
  screen.console.reset(screen.columns, screen.pictureRows, screen.rows - screen.pictureRows);
  out += "\x1b[0m\x1b[2J";
  // The picture comes first and in the same write, so that the screen is never seen with
  // the messages at the new size and the picture still missing.
  screen.picture.encode(picture, CellArea{0, 0, screen.columns - 1, screen.pictureRows - 1}, out);
  screen.console.redraw(out);
  screen.picture.forgetCursorAndColors();
}

bool WriteConsoleToScreen(std::string_view text, bool toStandardError) {
  Screen& screen = TheScreen();
  std::unique_lock lock = LockOutput();
  const bool onScreen =
      screen.open && SessionActive() && (!toStandardError || screen.errorsToTerminal);
  if (!onScreen) {
    lock.unlock();
    return WriteAllTo(toStandardError ? STDERR_FILENO : STDOUT_FILENO, text);
  }
  std::string out;
  screen.console.add(text, out);
  screen.picture.forgetCursorAndColors();
  SetExitText(screen.console.tail());
  if (WriteLocked(out)) return true;
  // The session may have ended between the test and the write; the text still goes out.
  if (!SessionActive()) {
    lock.unlock();
    return WriteAllTo(toStandardError ? STDERR_FILENO : STDOUT_FILENO, text);
  }
  return false;
}

}  // namespace platform::terminal
