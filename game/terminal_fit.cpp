#include "terminal_fit.h"

#include <cctype>
#include <string>

#include "platform/display_fit.h"
#include "runtime/console_output.h"

bool TerminalFitsMaze() {
  const platform::DisplayFit fit = platform::FitOnDisplay(SmallestMazeWidth, SmallestMazeHeight);
  if (fit.fits) return true;
  std::string display = fit.display;
  if (!display.empty()) display[0] = char(std::toupper(static_cast<unsigned char>(display[0])));
  WriteErrorLine(display + " is " + std::to_string(fit.columns) + " x " + std::to_string(fit.rows) +
                 "; the game needs at least " + std::to_string(fit.neededColumns) +
                 " columns and " + std::to_string(fit.neededRows) + " rows.");
  return false;
}
