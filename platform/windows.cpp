// Window classes, windows and their lifetime, painting and the window's surface.
#include <algorithm>
#include <vector>

#include "backend.h"
#include "platform/console.h"
#include "win32.h"
#include "window_state.h"

using platform::detail::FindWindowLocked;
using platform::detail::GetState;
using platform::detail::State;
using platform::detail::Window;

namespace {

// Client size of a window from the outer size its caller asked for, the way the caller
// itself works it out from the metrics (frames on both sides, caption on top).
void ClientSize(const platform::ScreenMetrics& m, DWORD style, int width, int height, int* cx,
                int* cy) {
  if (style & WS_CHILD) {
    *cx = width;
    *cy = height;
  } else if (style & WS_MAXIMIZE) {
    *cx = m.workWidth;
    *cy = m.workHeight - m.caption;
  } else {
    if (width == CW_USEDEFAULT) width = m.screenWidth / 2 + 2 * m.frameX;
    if (height == CW_USEDEFAULT) height = m.screenHeight / 2 + 2 * m.frameY + m.caption;
    *cx = width - 2 * m.frameX;
    *cy = height - 2 * m.frameY - m.caption;
  }
  // A display cannot show an empty window; the smallest one is a pixel.
  *cx = std::max(*cx, 1);
  *cy = std::max(*cy, 1);
}

std::shared_ptr<Window> Find(HWND hwnd) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  return FindWindowLocked(s, hwnd);
}

}  // namespace

ATOM RegisterClass(const WNDCLASS& wc) {
  if (wc.lpszClassName == nullptr || *wc.lpszClassName == '\0' || wc.lpfnWndProc == nullptr)
    return 0;
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  auto [it, added] = s.classes.try_emplace(wc.lpszClassName);
  if (!added) return 0;  // a class of that name exists already
  it->second.style = wc.style;
  it->second.proc = wc.lpfnWndProc;
  return s.nextAtom++;
}

bool UnregisterClass(const char* className) {
  if (className == nullptr) return false;
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  auto cls = s.classes.find(className);
  if (cls == s.classes.end()) return false;
  for (const auto& [handle, w] : s.windows)
    if (w->className == className) return false;
  s.classes.erase(cls);
  return true;
}

HWND CreateWindowEx(DWORD, const char* className, const char* title, DWORD style, int x, int y,
                    int width, int height, HWND parent, void*, void*, void* param) {
  const DWORD self = GetCurrentThreadId();
  platform::Backend* backend = platform::CurrentBackend();
  if (backend == nullptr) {
    platform::ReportNoBackend();
    return nullptr;
  }
  if (className == nullptr) return nullptr;

  auto w = std::make_shared<Window>();
  platform::WindowSpec spec;
  State& s = GetState();
  {
    std::lock_guard lock(s.mutex);
    auto cls = s.classes.find(className);
    if (cls == s.classes.end()) return nullptr;
    std::shared_ptr<Window> parentWindow;
    if (parent != nullptr) {
      parentWindow = FindWindowLocked(s, parent);
      if (parentWindow == nullptr || parentWindow->destroying) return nullptr;
    } else if (style & WS_CHILD) {
      return nullptr;  // a child needs its parent
    }
    w->hwnd = reinterpret_cast<HWND>(s.nextHandle);
    s.nextHandle += 4;
    w->parent = (style & WS_CHILD) ? parent : nullptr;
    w->thread = self;
    w->proc = cls->second.proc;
    w->className = className;
    w->title = title ? title : "";
    w->style = style;
    spec.parent = (style & WS_CHILD) ? parentWindow->native.get() : nullptr;
  }
  ClientSize(backend->metrics(), style, width, height, &w->width, &w->height);
  spec.hwnd = w->hwnd;
  spec.title = w->title;
  spec.className = w->className;
  spec.style = style;
  spec.x = x;
  spec.y = y;
  spec.clientWidth = w->width;
  spec.clientHeight = w->height;
  spec.maximised = (style & WS_MAXIMIZE) != 0;
  w->native = backend->createWindow(spec);
  if (w->native == nullptr) return nullptr;
  {
    std::lock_guard lock(s.mutex);
    s.windows[w->hwnd] = w;
    platform::detail::InvalidateLocked(s, *w, RECT{0, 0, w->width, w->height});
  }
  if (w->proc(w->hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(param)) == -1) {
    DestroyWindow(w->hwnd);
    return nullptr;
  }
  return w->hwnd;
}

bool ShowWindow(HWND hwnd, int) {
  auto w = Find(hwnd);
  if (w == nullptr) return false;
  w->native->show();
  return true;
}

bool UpdateWindow(HWND hwnd) {
  auto w = Find(hwnd);
  if (w == nullptr) return false;
  bool pending;
  {
    State& s = GetState();
    std::lock_guard lock(s.mutex);
    pending = w->invalid && !w->destroying;
  }
  if (pending) w->proc(hwnd, WM_PAINT, 0, 0);
  return true;
}

bool DestroyWindow(HWND hwnd) {
  const DWORD self = GetCurrentThreadId();
  State& s = GetState();
  std::shared_ptr<Window> w;
  std::vector<HWND> children;
  {
    std::lock_guard lock(s.mutex);
    w = FindWindowLocked(s, hwnd);
    // Only the owning thread may destroy a window, and only once.
    if (w == nullptr || w->thread != self || w->destroying) return false;
    w->destroying = true;
    for (auto& [handle, other] : s.windows)
      if (other->parent == hwnd) children.push_back(handle);
  }
  w->proc(hwnd, WM_DESTROY, 0, 0);
  for (HWND child : children) DestroyWindow(child);
  {
    std::lock_guard lock(s.mutex);
    s.windows.erase(hwnd);
    auto q = s.queues.find(w->thread);
    if (q != s.queues.end()) {
      auto& posted = q->second->posted;
      std::erase_if(posted, [hwnd](const auto& m) { return m.msg.hwnd == hwnd; });
    }
  }
  w->native.reset();
  return true;
}

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  switch (msg) {
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT: {
      // An unhandled paint still validates, or it would come back for ever.
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return 0;
  }
}

bool GetUpdateRect(HWND hwnd, RECT* rect, bool) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  auto w = FindWindowLocked(s, hwnd);
  const bool pending = w != nullptr && w->invalid;
  if (rect != nullptr) *rect = pending ? w->update : RECT{};
  return pending;
}

WindowSurface* BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  auto w = FindWindowLocked(s, hwnd);
  if (w == nullptr) {
    if (ps != nullptr) *ps = PAINTSTRUCT{};
    return nullptr;
  }
  WindowSurface* surface = &w->native->surface();
  if (ps != nullptr) {
    ps->surface = surface;
    ps->rcPaint = w->invalid ? w->update : RECT{};
  }
  w->invalid = false;
  return surface;
}

void EndPaint(HWND, const PAINTSTRUCT*) {}

WindowSurface* GetDC(HWND hwnd) {
  auto w = Find(hwnd);
  return w == nullptr ? nullptr : &w->native->surface();
}

int ReleaseDC(HWND hwnd, WindowSurface* dc) {
  auto w = Find(hwnd);
  return (w != nullptr && dc == &w->native->surface()) ? 1 : 0;
}

int GetSystemMetrics(int index) {
  platform::Backend* backend = platform::CurrentBackend();
  if (backend == nullptr) return 0;
  const platform::ScreenMetrics m = backend->metrics();
  switch (index) {
    case SM_CXSCREEN:
      return m.screenWidth;
    case SM_CYSCREEN:
      return m.screenHeight;
    case SM_CYCAPTION:
      return m.caption;
    case SM_CXFULLSCREEN:
      return m.workWidth;
    case SM_CYFULLSCREEN:
      return m.workHeight - m.caption;
    case SM_MOUSEPRESENT:
      return m.mousePresent ? 1 : 0;
    case SM_CXFRAME:
      return m.frameX;
    case SM_CYFRAME:
      return m.frameY;
    default:
      return 0;
  }
}

// The display's own message box where it has one (Windows). Elsewhere there is nobody to
// press a button: the text goes out as one line on standard error and the call returns at
// once, as if OK had been chosen.
int MessageBox(HWND, const char* text, const char* caption, UINT) {
  platform::Backend* backend = platform::CurrentBackend();
  if (backend != nullptr && backend->messageBox(text ? text : "", caption ? caption : "")) return 1;
  std::string line = text ? text : "";
  std::replace(line.begin(), line.end(), '\n', ' ');
  line += '\n';
  platform::WriteConsole(line, true);
  return 1;  // IDOK
}
