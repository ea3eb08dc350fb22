// Text for C programs.
#include "arguments.h"
#include "font_lookup.h"
#include "graph/driver_interface.h"
#include "graph/graph.h"
#include "graph/text.h"

using bgi::Coordinate;
using bgi::Text;
using bgi::Word;

extern "C" {

int installuserfont(const char* name) {
  return InstallUserFont(Text(name));
}

// The font is loaded here, from a file or built in, so the layer never looks for one; a font
// that cannot be had leaves text in the built-in font 0 with the reason in graphresult.
void settextstyle(int font, int direction, int charsize) {
  const uint16_t number = Word(font);
  const int16_t loaded = bgi::LoadFontForUse(number);
  if (loaded == grOk) {
    SetTextStyle(number, Word(direction), Word(charsize));
    return;
  }
  SetTextStyle(DefaultFont, Word(direction), Word(charsize));
  SetGraphResult(loaded);
}

void settextjustify(int horiz, int vert) {
  SetTextJustify(Word(horiz), Word(vert));
}

void outtext(const char* textstring) {
  OutText(Text(textstring));
}

void outtextxy(int x, int y, const char* textstring) {
  OutTextXY(Coordinate(x), Coordinate(y), Text(textstring));
}

int textheight(const char* textstring) {
  return TextHeight(Text(textstring));
}

int textwidth(const char* textstring) {
  return TextWidth(Text(textstring));
}

}  // extern "C"

// C++ programs that pass (or declare the routines with) char*.
void outtext(char* textstring) {
  outtext(static_cast<const char*>(textstring));
}

void outtextxy(int x, int y, char* textstring) {
  outtextxy(x, y, static_cast<const char*>(textstring));
}

int textheight(char* textstring) {
  return textheight(static_cast<const char*>(textstring));
}

int textwidth(char* textstring) {
  return textwidth(static_cast<const char*>(textstring));
}
