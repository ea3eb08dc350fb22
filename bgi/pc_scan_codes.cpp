#include "pc_scan_codes.h"

#include <array>
#include <string_view>

namespace bgi {
namespace {

// The keys of the main block, row by row, each with its scan code and the characters it
// types without and with Shift.
struct KeyRow {
  uint8_t firstScanCode;
  std::string_view plain;
  std::string_view shifted;
};
constexpr std::array<KeyRow, 4> Rows = {{
    {0x02, "1234567890-=", "!@#$%^&*()_+"},
    {0x10, "qwertyuiop[]", "QWERTYUIOP{}"},
    {0x1E, "asdfghjkl;'`", "ASDFGHJKL:\"~"},
    {0x2B, "\\zxcvbnm,./", "|ZXCVBNM<>?"},
}};

constexpr uint8_t Escape = 0x01, Backspace = 0x0E, Tab = 0x0F, Enter = 0x1C, Space = 0x39;

uint8_t ScanCodeOfPrintable(char c) {
  if (c == ' ') return Space;
  for (const KeyRow& row : Rows) {
    for (std::string_view keys : {row.plain, row.shifted}) {
      const size_t at = keys.find(c);
      if (at != std::string_view::npos) return uint8_t(row.firstScanCode + at);
    }
  }
  return 0;
}

}  // namespace

uint8_t ScanCodeOfCharacter(uint8_t character) {
  switch (character) {
    case 0:  // Ctrl+2
      return ScanCodeOfPrintable('2');
    case 8:
    case 127:  // Ctrl+Backspace
      return Backspace;
    case 9:
      return Tab;
    // Enter gives CR; a line end read from a file or a pipe is taken for Enter too.
    case 10:
    case 13:
      return Enter;
    case 27:
      return Escape;
    case 28:  // Ctrl+Backslash
      return ScanCodeOfPrintable('\\');
    case 29:  // Ctrl+]
      return ScanCodeOfPrintable(']');
    case 30:  // Ctrl+6
      return ScanCodeOfPrintable('6');
    case 31:  // Ctrl+-
      return ScanCodeOfPrintable('-');
    default:
      break;
  }
  // Ctrl with a letter gives the letter's control code.
  if (character < 32) return ScanCodeOfPrintable(char('a' + character - 1));
  if (character < 127) return ScanCodeOfPrintable(char(character));
  return 0;
}

}  // namespace bgi
