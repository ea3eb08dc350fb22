#include "classic_window.h"

#include <graphics.h>
#include <windows.h>

int open_window(int width, int height, const char* title, int left, int top, int double_buffered) {
  return initwindow(width, height, title, left, top, double_buffered != 0, 0);
}

int key_state(int virtual_key) {
  return GetAsyncKeyState(virtual_key);
}
