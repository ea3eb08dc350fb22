#ifndef CLASSIC_MOUSE_H
#define CLASSIC_MOUSE_H
/* The mouse and key routines of the newer library's style, called from C. */
#ifdef __cplusplus
extern "C" {
#endif

/* Whether a click of that kind waited, and getmouseclick's coordinates. */
int take_click(int kind, int* x, int* y);
/* getch of a key without a character: its code after the 0, or -1 when the first byte was
 * not 0. */
int key_after_lead(void);

#ifdef __cplusplus
}
#endif
#endif
