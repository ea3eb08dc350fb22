#include "win32_window_view.h"

#include <windows.h>

namespace testing_support::desktop {

WindowView::WindowView(const std::string& title) {
  HWND window = FindWindowA(nullptr, title.c_str());
  if (window == nullptr) return;
  window_ = window;
  dc_ = GetDC(window);
}

WindowView::~WindowView() {
  if (dc_ != nullptr) ReleaseDC(static_cast<HWND>(window_), static_cast<HDC>(dc_));
}

uint32_t WindowView::pixelAt(int x, int y) const {
  const COLORREF c = GetPixel(static_cast<HDC>(dc_), x, y);
  return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

}  // namespace testing_support::desktop
