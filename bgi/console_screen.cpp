#include "console_screen.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "console_device.h"
#include "platform/console.h"

namespace bgi {
namespace {

struct Screen {
  int column = 1, row = 1;
  int attribute = NormalAttribute;
  // The attribute the terminal shows now; -1 before the first colour was sent.
  int shownAttribute = -1;
  bool cursorChanged = false;
  bool restoreAtExit = false;
};
Screen screen;

// Control sequences only where a terminal reads them, and never while a display backend
// places the console's text (in the rows under a picture drawn in the terminal).
bool Sequences() {
  return OutputIsTerminal() && !platform::ConsoleHasWriter();
}

ConsoleSize Size() {
  if (const auto size = TerminalSize()) return *size;
  return {DefaultColumns, DefaultRows};
}

void Send(std::string_view bytes) {
  // After what the program wrote with printf or cout, in order.
  std::fflush(stdout);
  // As the C library's own output, a failed write is the program's to notice, not an end.
  platform::WriteConsole(bytes);
}

// ANSI colour numbers count red 1, green 2, blue 4; the PC's blue 1, green 2, red 4.
int AnsiColor(int pc) {
  return (pc & 1) << 2 | (pc & 2) | (pc & 4) >> 2;
}

void ResetAtExit() {
  std::string reset = "\x1b[0m";
  if (screen.cursorChanged) reset += "\x1b[?25h\x1b[0 q";
  Send(reset);
}

// The first control sequence that changes how the terminal looks: at exit it is put back.
void ChangingTerminal() {
  if (screen.restoreAtExit) return;
  screen.restoreAtExit = true;
  std::atexit(ResetAtExit);
}

std::string ColorSequence() {
  if (screen.attribute == screen.shownAttribute) return "";
  ChangingTerminal();
  screen.shownAttribute = screen.attribute;
  const int fg = screen.attribute & 15, bg = (screen.attribute >> 4) & 7;
  std::string sgr = "\x1b[0;" + std::to_string((fg & 8 ? 90 : 30) + AnsiColor(fg)) + ";" +
                    std::to_string(40 + AnsiColor(bg));
  if (screen.attribute & 0x80) sgr += ";5";
  return sgr + "m";
}

std::string CursorTo(int column, int row) {
  return "\x1b[" + std::to_string(row) + ";" + std::to_string(column) + "H";
}

void Advance(char c, const ConsoleSize& size) {
  switch (c) {
    case '\n':
      // Output processing turns a line end into CR LF on a terminal.
      screen.column = 1;
      ++screen.row;
      break;
    case '\r':
      screen.column = 1;
      break;
    case '\b':
      if (screen.column > 1) --screen.column;
      break;
    case '\t':
      screen.column = (screen.column - 1) / 8 * 8 + 9;
      break;
    case '\a':
      break;
    default:
      ++screen.column;
  }
  if (screen.column > size.columns) {
    screen.column = 1;
    ++screen.row;
  }
  if (screen.row > size.rows) screen.row = size.rows;  // the screen scrolls
}

}  // namespace

void PutText(std::string_view text) {
  const ConsoleSize size = Size();
  for (char c : text) Advance(c, size);
  if (Sequences()) {
    Send(ColorSequence() + std::string(text));
  } else {
    Send(text);
  }
}

void PutCharacter(char c) {
  PutText(std::string_view(&c, 1));
}

bool MoveCursor(int column, int row) {
  const ConsoleSize size = Size();
  if (column < 1 || row < 1 || column > size.columns || row > size.rows) return false;
  if (Sequences()) {
    Send(CursorTo(column, row));
  } else {
    // Plain text goes down by line ends and right by spaces; it cannot go back, so a place
    // above or to the left starts a new line.
    std::string moves;
    if (row > screen.row) {
      moves.append(size_t(row - screen.row), '\n').append(size_t(column - 1), ' ');
    } else if (row == screen.row && column >= screen.column) {
      moves.append(size_t(column - screen.column), ' ');
    } else {
      moves.append(1, '\n').append(size_t(column - 1), ' ');
    }
    Send(moves);
  }
  screen.column = column;
  screen.row = row;
  return true;
}

int CursorColumn() {
  return screen.column;
}

int CursorRow() {
  return screen.row;
}

void ClearScreen() {
  if (Sequences()) {
    // The cleared screen takes the current background, as on a PC.
    Send(ColorSequence() + "\x1b[2J" + CursorTo(1, 1));
  } else if (screen.column != 1) {
    Send("\n");
  }
  screen.column = 1;
  screen.row = 1;
}

void ClearToEndOfLine() {
  if (Sequences()) Send(ColorSequence() + "\x1b[K");
}

void DeleteLine() {
  if (Sequences()) Send(ColorSequence() + "\x1b[M");
}

void InsertLine() {
  if (Sequences()) Send(ColorSequence() + "\x1b[L");
}

void SetCursorShape(CursorShape shape) {
  if (!Sequences()) return;
  ChangingTerminal();
  screen.cursorChanged = true;
  switch (shape) {
    case CursorShape::Hidden:
      Send("\x1b[?25l");
      break;
    case CursorShape::Solid:
      Send("\x1b[?25h\x1b[2 q");  // a steady block
      break;
    case CursorShape::Normal:
      Send("\x1b[?25h\x1b[0 q");  // the terminal's own
      break;
  }
}

int Attribute() {
  return screen.attribute;
}

void SetAttribute(int attribute) {
  screen.attribute = attribute & 0xFF;
}

}  // namespace bgi
