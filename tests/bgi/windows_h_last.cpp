// graphics.h before the compatibility windows.h, used together.
#include <graphics.h>

#include <windows.h>

int WindowsHeaderLast() {
  Beep(440, 0);
  return GetAsyncKeyState(VK_LEFT) + getmaxy();
}
