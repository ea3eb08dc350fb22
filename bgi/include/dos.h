/* The classic DOS routines that a program for a modern system can still use: waiting, the
 * speaker, the clock. C and C++.
 *
 * sound starts a tone of the given frequency that lasts until nosound: on Windows through
 * the system's Beep; elsewhere there is no speaker to drive and both are silent. DOS's
 * hardware access (int86, union REGS, port input and output, far pointers) is not provided:
 * it has no meaning outside DOS.
 *
 * Threads: the program's thread. */
#ifndef BGIGRAPH_DOS_H
#define BGIGRAPH_DOS_H

#ifdef __cplusplus
extern "C" {
#endif

struct time {
  unsigned char ti_min;
  unsigned char ti_hour;
  unsigned char ti_hund;
  unsigned char ti_sec;
};

struct date {
  int da_year;
  char da_day;
  char da_mon;
};

/* Waits; delay is the same as in graphics.h. sleep is the C library's own, declared as
 * unistd.h declares it, so a program may include both. */
void delay(unsigned milliseconds);
unsigned int sleep(unsigned int seconds);

void sound(unsigned frequency);
void nosound(void);

/* The local time and date now. */
void gettime(struct time* now);

#ifdef __cplusplus
}
/* The C library may declare an X/Open getdate(const char*) of its own (glibc does for C++);
 * to C++ this one is an overload beside it, so both headers may be included in any order. A
 * C program sees the C library's only where it asks for X/Open extensions (_GNU_SOURCE,
 * _XOPEN_SOURCE 500 and later), and must not include time.h beside this header then. */
void getdate(struct date* today);
#else
void getdate(struct date* today);
#endif

#endif
