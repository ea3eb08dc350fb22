#include "game/terminal_fit.h"

#ifdef _WIN32
// Windows draws on its desktop, never in a terminal.
bool TerminalFitsMaze() {
  return true;
}
#else
#include <unistd.h>

#include <string>
#include <string_view>

#include "platform/backend.h"
#include "platform/terminal/terminal_backend.h"
#include "runtime/console.h"

bool TerminalFitsMaze() {
  const platform::Backend* backend = platform::CurrentBackend();
  if (backend == nullptr || std::string_view(backend->name()) != "terminal") return true;
  using platform::terminal::TerminalSize;
  const TerminalSize have = platform::terminal::ReadTerminalSize(STDOUT_FILENO);
  const TerminalSize need =
      platform::terminal::TerminalSizeFor(SmallestMazeWidth, SmallestMazeHeight);
  if (have.columns >= need.columns && have.rows >= need.rows) return true;
  WriteErrorLine("The terminal is " + std::to_string(have.columns) + " x " +
                 std::to_string(have.rows) + "; the game needs at least " +
                 std::to_string(need.columns) + " columns and " + std::to_string(need.rows) +
                 " rows.");
  return false;
}
#endif
