/* A classic console program, compiled as C, that the console tests run in a child process
 * on a pseudo-terminal or with its output in a pipe. argv[1] says what it does; it prints
 * what it saw. */
#include <bios.h>
#include <conio.h>
#include <dos.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

/* Reads the keys the test types once it said "ready": getch three times, an arrow key and
 * bioskey(0) for a second one, and getch for a function key. */
static int ReadKeys(void) {
  int codes[6], i;
  printf("ready\n");
  fflush(stdout);
  for (i = 0; i < 4; ++i) codes[i] = getch();
  codes[4] = bioskey(0);
  codes[5] = getch();
  printf("got %d %d %d %d %#x %d", codes[0], codes[1], codes[2], codes[3], codes[4], codes[5]);
  printf(" %d\n", getch());
  return 0;
}

/* Waits in getch until a signal ends it. */
static int WaitForever(void) {
  printf("ready\n");
  fflush(stdout);
  getch();
  return 0;
}

/* A page of text with places and colours; the last line says where the cursor is. */
static int DrawPage(void) {
  clrscr();
  gotoxy(5, 3);
  textcolor(LIGHTRED | BLINK);
  textbackground(BLUE);
  cprintf("hi %d", 42);
  gotoxy(0, 1); /* outside the screen: ignored */
  gotoxy(1, 0);
  gotoxy(81, 1);
  gotoxy(1, 26);
  clreol();
  _setcursortype(_NOCURSOR);
  cprintf("[%d,%d]", wherex(), wherey());
  normvideo();
  gotoxy(3, 4);
  cputs("end");
  gotoxy(1, 5);
  printf("after\n");
  return 0;
}

/* One string far larger than any buffer a formatter would keep. */
static int WriteHuge(void) {
  const size_t length = 1000000;
  char* text = malloc(length + 1);
  int written;
  if (text == NULL) return 1;
  memset(text, 'x', length);
  text[length] = '\0';
  written = cprintf("%s", text);
  free(text);
  printf("\nwritten %d\n", written);
  return 0;
}

/* A key, then a line read with the C library, as a program asks for a choice and then a
 * name. */
static int KeyThenLine(void) {
  char line[64] = "";
  printf("ready\n");
  fflush(stdout);
  getch();
  printf("now a line\n");
  fflush(stdout);
  if (fgets(line, sizeof line, stdin) == NULL) return 1;
  printf("read %s", line);
  return 0;
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  if (strcmp(argv[1], "keys") == 0) return ReadKeys();
  if (strcmp(argv[1], "wait") == 0) return WaitForever();
  if (strcmp(argv[1], "line") == 0) return KeyThenLine();
  if (strcmp(argv[1], "page") == 0) return DrawPage();
  if (strcmp(argv[1], "huge") == 0) return WriteHuge();
  return 2;
}
