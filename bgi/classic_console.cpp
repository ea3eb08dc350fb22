// The text routines of conio.h over the console's screen (console_screen.h).
#include <conio.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "console_keys.h"
#include "console_screen.h"

namespace {

constexpr int ForegroundBits = 0x0F | BLINK, BackgroundBits = 0x70;

std::string Formatted(const char* format, va_list args) {
  va_list counting;
  va_copy(counting, args);
  const int length = std::vsnprintf(nullptr, 0, format, counting);
  va_end(counting);
  if (length <= 0) return "";
  std::string text(size_t(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  text.resize(size_t(length));
  return text;
}

// A line typed at the keys, echoed; Backspace takes a character back, Enter ends it. Keys
// without a character are skipped.
std::string TypedLine() {
  std::string line;
  for (;;) {
    const int c = bgi::TakeKey();
    if (c == 0) {
      bgi::TakeKey();
      continue;
    }
    if (c == '\r' || c == '\n') break;
    if (c == bgi::EscapeKey && bgi::KeysEnded()) break;
    if (c == '\b') {
      if (!line.empty()) {
        line.pop_back();
        bgi::PutText("\b \b");
      }
      continue;
    }
    line += char(c);
    bgi::PutCharacter(char(c));
  }
  return line;
}

}  // namespace

extern "C" {

int putch(int c) {
  bgi::PutCharacter(char(c));
  return c;
}

int cputs(const char* text) {
  if (text == nullptr || *text == '\0') return 0;
  const std::string_view written(text);
  bgi::PutText(written);
  return static_cast<unsigned char>(written.back());
}

int cprintf(const char* format, ...) {
  if (format == nullptr) return 0;
  va_list args;
  va_start(args, format);
  const std::string text = Formatted(format, args);
  va_end(args);
  bgi::PutText(text);
  return int(text.size());
}

int cscanf(const char* format, ...) {
  if (format == nullptr) return 0;
  const std::string line = TypedLine();
  va_list args;
  va_start(args, format);
  const int fields = std::vsscanf(line.c_str(), format, args);
  va_end(args);
  return fields;
}

void clrscr(void) {
  bgi::ClearScreen();
}

void clreol(void) {
  bgi::ClearToEndOfLine();
}

void gotoxy(int column, int row) {
  bgi::MoveCursor(column, row);
}

int wherex(void) {
  return bgi::CursorColumn();
}

int wherey(void) {
  return bgi::CursorRow();
}

void delline(void) {
  bgi::DeleteLine();
}

void insline(void) {
  bgi::InsertLine();
}

void _setcursortype(int cursor_type) {
  switch (cursor_type) {
    case _NOCURSOR:
      bgi::SetCursorShape(bgi::CursorShape::Hidden);
      break;
    case _SOLIDCURSOR:
      bgi::SetCursorShape(bgi::CursorShape::Solid);
      break;
    case _NORMALCURSOR:
      bgi::SetCursorShape(bgi::CursorShape::Normal);
      break;
    default:
      break;
  }
}

void textcolor(int color) {
  bgi::SetAttribute((bgi::Attribute() & BackgroundBits) | (color & ForegroundBits));
}

void textbackground(int color) {
  bgi::SetAttribute((bgi::Attribute() & ForegroundBits) | ((color & 7) << 4));
}

void textattr(int attribute) {
  bgi::SetAttribute(attribute);
}

void highvideo(void) {
  bgi::SetAttribute(bgi::Attribute() | 0x08);
}

void lowvideo(void) {
  bgi::SetAttribute(bgi::Attribute() & ~0x08);
}

void normvideo(void) {
  bgi::SetAttribute(bgi::NormalAttribute);
}

}  // extern "C"
