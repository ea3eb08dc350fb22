// Text for C programs.
#include "graph/text.h"
#include "arguments.h"
#include "graph/graph.h"

using bgi::Coordinate;
using bgi::Text;
using bgi::Word;

extern "C" {

int installuserfont(const char* name) {
  return InstallUserFont(Text(name));
}

void settextstyle(int font, int direction, int charsize) {
  SetTextStyle(Word(font), Word(direction), Word(charsize));
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
