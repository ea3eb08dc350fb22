#include <algorithm>
#include <mutex>

#include "driver_state.h"
#include "graphwin/hooks.h"
#include "win32.h"
#include "window_thread.h"

namespace {

void EmptyCachesLocked() {
  for (auto& table : GlyphCache) table.fill(std::nullopt);
  PenCache.fill(std::nullopt);
}

LRESULT CallHook(const std::atomic<MessageHook>& slot, HWND window, UINT message, WPARAM wParam,
                 LPARAM lParam) {
  const MessageHook hook = slot.load();
  return hook ? hook(window, message, wParam, lParam) : 0;
}

// The hook slot for a message that goes to one, or nullptr.
const std::atomic<MessageHook>* HookFor(UINT message, bool withMouse) {
  if (message >= WM_KEYDOWN && message <= WM_CHAR) return &KeyMessageHook;
  if (message == WM_COMMAND) return &CommandMessageHook;
  if (message == WM_NOTIFY) return &NotifyMessageHook;
  if (withMouse && message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK) {
    return &MouseMessageHook;
  }
  return nullptr;
}

// The user's close: the program's routine decides whether the window goes.
LRESULT Close(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const CloseRoutine routine = WindowCloseHook.load();
  if (routine && !routine()) return 0;
  return DefWindowProc(window, message, wParam, lParam);
}

// Width and height of the bitmap the window was created for, and its number of pages.
int bitmapWidth = 0, bitmapHeight = 0, pageCount = 0;

// The window whose creation made the bitmap and took the window surface, under graphLock.
// Only that window paints from them and tears them down: a window of a thread that is
// still finishing after a new start leaves the new window's state alone.
HWND surfaceOwner = nullptr;

}  // namespace

void SetBitmapSize(int width, int height, int pages) {
  bitmapWidth = width;
  bitmapHeight = height;
  pageCount = pages;
}

LRESULT GraphWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      graphWindow = window;
      std::lock_guard lock(graphLock);
      surfaceOwner = window;
      backingBitmap.emplace(bitmapWidth, bitmapHeight);  // black in every pixel
      MakePagesLocked(bitmapWidth, bitmapHeight, pageCount);
      windowSurface = GetDC(window);
      if (windowSurface) {
        windowSurface->drawUnder(graphLock);
        const int w = std::min(bitmapWidth, windowSurface->width());
        const int h = std::min(bitmapHeight, windowSurface->height());
        windowSurface->pixels().fill(0, 0, w, h, RGB(0, 0, 0));
        windowSurface->present(0, 0, w, h);
      }
      EmptyCachesLocked();
      if (const CreatedHook hook = WindowCreatedHook.load()) hook();
      return 0;
    }
    case WM_PAINT: {
      if (!GetUpdateRect(window, nullptr, false)) return 0;
      std::lock_guard lock(graphLock);
      PAINTSTRUCT ps;
      WindowSurface* target = BeginPaint(window, &ps);
      if (window != surfaceOwner) {
        EndPaint(window, &ps);
        return 0;
      }
      windowReady = true;
      // BeginPaint's rectangle, not the one asked for before the lock: what was uncovered
      // while this waited for the lock is validated by BeginPaint too, so it is copied now.
      const RECT& update = ps.rcPaint;
      if (target && backingBitmap) {
        // One pixel beyond the update rectangle each way, clipped to what both hold.
        const int left = std::max(update.left, 0), top = std::max(update.top, 0);
        const int right = std::min({update.right + 1, backingBitmap->width(), target->width()});
        const int bottom = std::min({update.bottom + 1, backingBitmap->height(), target->height()});
        if (left < right && top < bottom) {
          target->pixels().copyFrom(*backingBitmap, left, top, right - left, bottom - top);
          target->present(left, top, right - left, bottom - top);
        }
      }
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY: {
      {
        std::lock_guard lock(graphLock);
        if (window == surfaceOwner) {
          surfaceOwner = nullptr;
          windowReady = false;
          if (windowSurface) ReleaseDC(window, windowSurface);
          windowSurface = nullptr;
          backingBitmap.reset();
          DropPagesLocked();
          EmptyCachesLocked();
        }
      }
      PostQuitMessage(0);
      return 0;
    }
    case WM_CLOSE:
      return Close(window, message, wParam, lParam);
    default:
      break;
  }
  if (const auto* slot = HookFor(message, true)) {
    return CallHook(*slot, window, message, wParam, lParam);
  }
  return DefWindowProc(window, message, wParam, lParam);
}

LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) return Close(window, message, wParam, lParam);
  if (const auto* slot = HookFor(message, false)) {
    return CallHook(*slot, window, message, wParam, lParam);
  }
  return DefWindowProc(window, message, wParam, lParam);
}
