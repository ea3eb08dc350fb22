// What the backend asks of the desktop itself: its metrics and its message box.
#include <windows.h>

#include "win32/win32_native.h"

namespace platform::win32 {

ScreenMetrics ReadDesktopMetrics() {
  ScreenMetrics m;
  m.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  m.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT work{0, 0, m.screenWidth, m.screenHeight};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  m.workWidth = work.right - work.left;
  m.workHeight = work.bottom - work.top;
  m.frameX = GetSystemMetrics(SM_CXFRAME);
  m.frameY = GetSystemMetrics(SM_CYFRAME);
  m.caption = GetSystemMetrics(SM_CYCAPTION);
  m.mousePresent = GetSystemMetrics(SM_MOUSEPRESENT) != 0;
  return m;
}

void ShowMessageBox(const std::string& text, const std::string& caption) {
  MessageBoxA(nullptr, text.c_str(), caption.empty() ? nullptr : caption.c_str(), MB_OK);
}

}  // namespace platform::win32
