#include "desktop.h"

#include <windows.h>

#include <chrono>
#include <thread>

namespace testing_support::desktop {
namespace {

HWND Handle(NativeHandle window) {
  return reinterpret_cast<HWND>(window);
}

// Lets the windows of other threads handle what was just sent to them.
void Settle() {
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

}  // namespace

NativeHandle FindWindowTitled(const std::string& title) {
  return reinterpret_cast<NativeHandle>(FindWindowA(nullptr, title.c_str()));
}

bool Exists(NativeHandle window) {
  return IsWindow(Handle(window)) != FALSE;
}

uint32_t OwnerThread(NativeHandle window) {
  return GetWindowThreadProcessId(Handle(window), nullptr);
}

uint32_t ThisThread() {
  return GetCurrentThreadId();
}

uint32_t PixelOf(NativeHandle window, int x, int y) {
  HDC dc = GetDC(Handle(window));
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(Handle(window), dc);
  return c;
}

void CoverAndUncover(NativeHandle window) {
  RECT client;
  GetClientRect(Handle(window), &client);
  POINT origin{0, 0};
  ClientToScreen(Handle(window), &origin);
  HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "cover", WS_POPUP | WS_VISIBLE, origin.x,
                               origin.y, client.right, client.bottom, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  UpdateWindow(cover);
  Settle();
  DestroyWindow(cover);
  Settle();
}

void Invalidate(NativeHandle window) {
  InvalidateRect(Handle(window), nullptr, FALSE);
}

bool MakeForeground(NativeHandle window) {
  SetForegroundWindow(Handle(window));
  Settle();
  return GetForegroundWindow() == Handle(window);
}

void Key(uint16_t virtualKey, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = WORD(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  if (virtualKey >= VK_PRIOR && virtualKey <= VK_DOWN) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
  SendInput(1, &input, sizeof input);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void PostClose(NativeHandle window) {
  PostMessageA(Handle(window), WM_CLOSE, 0, 0);
}

}  // namespace testing_support::desktop
