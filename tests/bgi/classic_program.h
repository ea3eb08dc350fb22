#ifndef CLASSIC_PROGRAM_H
#define CLASSIC_PROGRAM_H
/* Pieces of a classic BGI program, compiled as C, that the tests run and then inspect. */
#ifdef __cplusplus
extern "C" {
#endif

/* initgraph with the given driver and mode; the values it leaves in them come back through
 * driver and mode, graphresult() is the result. */
int start_graphics(int* driver, int* mode);
int start_graphics_without_arguments(void);
/* A small picture in the 640 x 480 mode (the C file says what goes where); returns getx()
 * after outtext("ab") at x 0. */
int draw_picture(void);
/* Hardware colour codes of the default palette, 16 of them; returns its size field. */
int default_palette(signed char* colors);
/* Gives colour 1 the hardware colour code; returns getpalette's code for colour 1 after. */
int recolor_blue(int code);
/* getch after a kbhit check: the key, or -2 when kbhit said none was waiting. */
int key_if_hit(void);
int wait_for_key(void);
void drain_keys(void);
void end_graphics(void);

#ifdef __cplusplus
}
#endif
#endif
