// The compatibility windows.h before graphics.h, used together: this builds only while
// neither defines a name of the other.
#include <windows.h>

#include <graphics.h>

int WindowsHeaderFirst() {
  Sleep(0);
  return GetAsyncKeyState(VK_ESCAPE) + int(GetTickCount() & 1) + getmaxx();
}
