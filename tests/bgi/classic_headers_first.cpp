// The companion headers first, then graphics.h and the C and C++ libraries' headers, in one
// C++ source: this builds only while the names they share agree (getch, kbhit and delay in
// graphics.h and conio.h or dos.h, the colours, sleep in dos.h and unistd.h, struct time
// beside the C library's time). classic_headers_last.cpp has the other order; the C sources
// of the tests (classic_console.c, console_child.c) include them as C.
#include <bios.h>
#include <conio.h>
#include <dos.h>
#include <fstream.h>
#include <iomanip.h>
#include <iostream.h>

#include <graphics.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

static_assert(BLINK == 128 && WHITE == 15 && LIGHTGRAY == 7);

// A pre-standard C++ program's names, unqualified.
void OldStylePrint(int value) {
  cout << setw(6) << setfill('0') << hex << value << endl;
  ifstream in("none");
  ofstream out("none", ios::app);
  cerr << (in ? 1 : 0) << flush;
  struct time now;
  gettime(&now);
  cout << int(now.ti_hour) << ends;
  std::time_t t = time(nullptr);
  (void)t;
  sleep(0);
}
