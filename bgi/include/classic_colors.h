/* The sixteen colour names of the classic interface, shared by graphics.h (drawing colours)
 * and conio.h (text colours): one definition, so that a program may include both in any
 * order. C and C++. */
#ifndef BGIGRAPH_CLASSIC_COLORS_H
#define BGIGRAPH_CLASSIC_COLORS_H

enum COLORS {
  BLACK,
  BLUE,
  GREEN,
  CYAN,
  RED,
  MAGENTA,
  BROWN,
  LIGHTGRAY,
  DARKGRAY,
  LIGHTBLUE,
  LIGHTGREEN,
  LIGHTCYAN,
  LIGHTRED,
  LIGHTMAGENTA,
  YELLOW,
  WHITE
};

#endif
