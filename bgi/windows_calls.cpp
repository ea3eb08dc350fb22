// The Windows calls of the compatibility <windows.h>, for programs built on other systems.
#include <windows.h>

#include <chrono>
#include <thread>

#include "held_keys.h"

extern "C" {

void Sleep(DWORD milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

BOOL Beep(DWORD, DWORD duration) {
  // No speaker to sound; the caller still waits as long as the tone would last.
  Sleep(duration);
  return TRUE;
}

DWORD GetTickCount(void) {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return DWORD(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

SHORT GetAsyncKeyState(int vKey) {
  return bgi::KeyHeldNow(vKey) ? SHORT(0x8000) : SHORT(0);
}

}  // extern "C"
