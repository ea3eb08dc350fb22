#ifndef CLASSIC_WINDOW_H
#define CLASSIC_WINDOW_H
/* The windows of the newer BGI-style library from a program compiled as C, which must give
 * initwindow every argument. */
#ifdef __cplusplus
extern "C" {
#endif

/* initwindow with double buffering as asked and the close button left to the program. */
int open_window(int width, int height, const char* title, int left, int top, int double_buffered);
/* What GetAsyncKeyState of the compatibility windows.h says about the key. */
int key_state(int virtual_key);

#ifdef __cplusplus
}
#endif
#endif
