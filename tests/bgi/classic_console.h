#ifndef CLASSIC_CONSOLE_H
#define CLASSIC_CONSOLE_H
/* The console routines as a classic program calls them, compiled as C (classic_console.c,
 * which includes the companion headers in another order than console_child.c). */
#include <dos.h>

#ifdef __cplusplus
extern "C" {
#endif

int bios_key(int command);
int put_back_key(int c);
int read_key(void);
void read_clock(struct date* today, struct time* now);

#ifdef __cplusplus
}
#endif
#endif
