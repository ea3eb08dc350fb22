#pragma once
// The text screen of the console routines: the cursor they keep, the colours, and how both
// reach standard output — as terminal control sequences on a terminal, as plain text
// elsewhere (conio.h says what becomes of each routine there). The program's thread.
#include <cstdint>
#include <string_view>

namespace bgi {

constexpr int NormalAttribute = 0x07;  // light grey on black
constexpr int DefaultColumns = 80, DefaultRows = 25;

// Writes text at the cursor in the current colours; the cursor follows it (line ends,
// carriage returns, tabs, backspaces and the wrap at the right edge).
void PutText(std::string_view text);
void PutCharacter(char c);

// Columns and rows from 1. False (and nothing done) outside the screen.
bool MoveCursor(int column, int row);
int CursorColumn();
int CursorRow();

void ClearScreen();
void ClearToEndOfLine();
void DeleteLine();
void InsertLine();
enum class CursorShape { Hidden, Solid, Normal };
void SetCursorShape(CursorShape shape);

int Attribute();
void SetAttribute(int attribute);

}  // namespace bgi
