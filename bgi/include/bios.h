/* The classic keyboard call of the BIOS for C and C++ programs. It reads the keys that getch
 * reads (conio.h says where they come from), as a PC keyboard gives them: the scan code
 * times 256 plus the character (Up 0x4800, Enter 0x1C0D, Esc 0x011B, 'a' 0x1E61, F1 0x3B00).
 *
 *   bioskey(0) waits for a key and takes it.
 *   bioskey(1) gives the key that waits without taking it, or 0 when none does. Once no key
 *              can come any more (the graph window is gone, the input has ended) it gives
 *              Escape, as kbhit reports a key then.
 *   bioskey(2) gives the shift flags: bit 0 right Shift, 1 left Shift, 2 Ctrl, 3 Alt. The
 *              graph window reports its modifier keys, so in graphics mode these are the
 *              keys held now; a terminal reports no modifier keys of their own, so there
 *              they are always 0.
 *   Any other command gives 0.
 *
 * Threads: the program's thread. */
#ifndef BGIGRAPH_BIOS_H
#define BGIGRAPH_BIOS_H

#ifdef __cplusplus
extern "C" {
#endif

int bioskey(int cmd);

#ifdef __cplusplus
}
#endif

#endif
