/* graphics.h before the companion headers and the C library's, so that the names they
 * share (getch, kbhit, delay, the colours) and sleep must agree. */
#include <graphics.h>

#include <bios.h>
#include <conio.h>
#include <dos.h>
#include <time.h>
#include <unistd.h>

#include "classic_console.h"

int bios_key(int command) {
  return bioskey(command);
}

int put_back_key(int c) {
  return ungetch(c);
}

int read_key(void) {
  return getch();
}

void read_clock(struct date* today, struct time* now) {
  getdate(today);
  gettime(now);
}
