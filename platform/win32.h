#pragma once
// Our stand-in for the few Windows calls the driver and the key buffer make. Every window
// belongs to the thread that created it; its messages are fetched by that thread's
// GetMessage. Posting is safe from any thread.
#include <string_view>

#include "platform/win_types.h"
#include "surface.h"

struct WNDCLASS {
  UINT style = 0;
  WNDPROC lpfnWndProc = nullptr;
  const char* lpszMenuName = nullptr;
  const char* lpszClassName = nullptr;
};

struct PAINTSTRUCT {
  WindowSurface* surface = nullptr;
  RECT rcPaint;
};

ATOM RegisterClass(const WNDCLASS& wc);  // 0 on failure
// False when there is no such class or a window of it still exists.
bool UnregisterClass(const char* className);
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, void* menu, void* instance,
                    void* param);  // delivers WM_CREATE during the call; nullptr on failure
bool ShowWindow(HWND hwnd, int cmdShow);
bool UpdateWindow(HWND hwnd);   // delivers a pending WM_PAINT at once
bool DestroyWindow(HWND hwnd);  // delivers WM_DESTROY
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

int GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);  // 1, 0 on WM_QUIT, -1
// Like GetMessage without waiting: true when a message (WM_QUIT included) was there.
bool PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg);
bool TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
bool PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
DWORD GetCurrentThreadId();

bool GetUpdateRect(HWND hwnd, RECT* rect, bool erase);  // false when nothing needs painting
WindowSurface* BeginPaint(HWND hwnd, PAINTSTRUCT* ps);  // validates the update region
void EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
WindowSurface* GetDC(HWND hwnd);  // the window's surface, valid until the window is destroyed
int ReleaseDC(HWND hwnd, WindowSurface* dc);

int GetSystemMetrics(int index);
int MessageBox(HWND owner, const char* text, const char* caption, UINT type);  // one stderr line
