// The C and C++ libraries' headers and graphics.h first, then the companion headers (the
// other order is classic_headers_first.cpp, which says why).
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <iostream>

#include <graphics.h>

#include <bios.h>
#include <conio.h>
#include <dos.h>
#include <fstream.h>
#include <iomanip.h>
#include <iostream.h>

static_assert(BLINK == 128 && YELLOW == 14);

int OldStyleRead() {
  int value = 0;
  cin >> value;
  struct date today;
  getdate(&today);
  delay(0);
  return value + today.da_year + bioskey(2) + (kbhit() ? getch() : 0);
}
