/* The classic console routines for C and C++ programs: keys one at a time, and text placed
 * and coloured on the screen of the terminal the program runs in.
 *
 * Keys: in graphics mode (between initgraph and closegraph) getch, getche, kbhit, ungetch
 * and bioskey read the keys typed into the graph window, as graphics.h says. Before
 * initgraph and after closegraph they read the terminal the program was started from: one
 * key at a time, without echo and without waiting for Enter (the terminal is put back as it
 * was at exit, on Ctrl+C and on the other signals that end the program, and while it is
 * stopped with Ctrl+Z). A key without a character comes as 0 and then its scan code (72 Up,
 * 80 Down, 75 Left, 77 Right, 71 Home, 79 End, 73 Page Up, 81 Page Down, 82 Insert,
 * 83 Delete, 59.. F1..F10), as from the graph window; Enter gives 13. When standard input is
 * not a terminal, each byte is a key as it is; once it has ended, kbhit reports a key and
 * getch returns 27 (Escape), so that a loop waiting for Escape ends.
 *
 * Text: putch, cputs and cprintf write to standard output after what the C library's stdio
 * wrote there. On a terminal, gotoxy, clrscr, the colours and the rest are terminal control
 * sequences. Elsewhere (a file, a pipe) the output is plain text without any control byte:
 * gotoxy to a later row writes line ends and to a later column spaces, gotoxy back starts a
 * new line, clrscr starts a new line, and the colours, clreol, delline, insline and the
 * cursor shape do nothing. wherex and wherey give the position the program asked for. The
 * screen is the terminal's size, 80 x 25 when that is not known; gotoxy outside it is
 * ignored. Colours are masked to their range (textcolor takes 0..15 and BLINK).
 *
 * Threads: the program's thread. */
#ifndef BGIGRAPH_CONIO_H
#define BGIGRAPH_CONIO_H

#include "classic_colors.h"

#ifdef __cplusplus
extern "C" {
#endif

#define BLINK 128

enum text_cursor_types { _NOCURSOR = 0, _SOLIDCURSOR = 1, _NORMALCURSOR = 2 };

/* Keys. ungetch puts one character back for the next getch; it returns it, or -1 (EOF) when
 * one is already waiting there or c is EOF. */
int getch(void);
int getche(void);
int kbhit(void);
int ungetch(int c);

/* Text at the cursor, in the current colours. putch returns c; cputs the last character
 * written; cprintf the number of characters written, of any length. */
int putch(int c);
int cputs(const char* text);
int cprintf(const char* format, ...);
/* Reads a line typed at the keys (echoed, Backspace takes back), then scans it as sscanf
 * would; returns the number of fields read. */
int cscanf(const char* format, ...);

/* The screen: columns and rows count from 1. */
void clrscr(void);
void clreol(void);
void gotoxy(int column, int row);
int wherex(void);
int wherey(void);
void delline(void);
void insline(void);
void _setcursortype(int cursor_type);

/* Colours: an attribute is foreground | background << 4 | BLINK. */
void textcolor(int color);
void textbackground(int color);
void textattr(int attribute);
void highvideo(void);
void lowvideo(void);
void normvideo(void);

#ifdef __cplusplus
}
#endif

#endif
