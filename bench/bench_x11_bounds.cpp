// Bounds to compare the window's drawing with: a full maze of cells (101 x 81 cells of
// 19 x 12 pixels, as on a 1920 x 1017 client area) drawn in the cheapest ways there are,
// against an X server of the benchmark's own (Xvfb, 1920 x 1080 x 24).
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include "shm_frame.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "backend.h"
#include "bench_stats.h"
#include "surface.h"
#include "testing/xvfb_server.h"
#include "win32.h"

namespace {

constexpr int Width = 1920, Height = 1017, CellW = 19, CellH = 12, Cols = 101, Rows = 81;
constexpr int Cells = Cols * Rows;  // 8,181
constexpr int Runs = 9;

// The colour of a cell, as varied as a maze's walls and floors.
COLORREF CellColor(int i) {
  static const COLORREF colors[] = {RGB(0, 0, 168), RGB(252, 252, 252), RGB(0, 168, 0)};
  return colors[(i * 7 + i / Cols) % 3];
}

unsigned long ToPixel(COLORREF c) {
  return (unsigned long)(GetRValue(c)) << 16 | (unsigned long)(GetGValue(c)) << 8 | GetBValue(c);
}

void MemoryBound() {
  PixelSurface bitmap(Width, Height), window(Width, Height);
  Print("8,181 cells into two memory surfaces", "ms", Measure(Runs, [&] {
          return MillisecondsOf([&] {
            for (int i = 0; i < Cells; ++i) {
              const int x = (i % Cols) * CellW, y = (i / Cols) * CellH;
              for (PixelSurface* s : {&bitmap, &window})
                for (int row = y; row < y + CellH; ++row) s->fill(x, row, CellW, 1, CellColor(i));
            }
          });
        }));
}

void RectangleBounds(Display* d, Window w, GC gc) {
  auto draw = [&](bool flushEach) {
    for (int i = 0; i < Cells; ++i) {
      XSetForeground(d, gc, ToPixel(CellColor(i)));
      XFillRectangle(d, w, gc, (i % Cols) * CellW, (i / Cols) * CellH, CellW, CellH);
      if (flushEach) XFlush(d);
    }
    XSync(d, False);
  };
  Print("8,181 rectangle requests, then one XSync", "ms",
        Measure(Runs, [&] { return MillisecondsOf([&] { draw(false); }); }));
  Print("8,181 rectangle requests, XFlush after each", "ms",
        Measure(Runs, [&] { return MillisecondsOf([&] { draw(true); }); }));
}

void ImageBounds(Display* d, Window w, GC gc) {
  Visual* visual = DefaultVisual(d, DefaultScreen(d));
  const int depth = DefaultDepth(d, DefaultScreen(d));
  std::vector<char> data(size_t(Width) * Height * 4);
  for (size_t i = 0; i < data.size(); ++i) data[i] = char(i * 31);
  XImage* image =
      XCreateImage(d, visual, unsigned(depth), ZPixmap, 0, data.data(), Width, Height, 32, 0);
  Print("one full-frame XPutImage, then XSync", "ms", Measure(Runs, [&] {
          return MillisecondsOf([&] {
            XPutImage(d, w, gc, image, 0, 0, 0, 0, Width, Height);
            XSync(d, False);
          });
        }));
  image->data = nullptr;
  XDestroyImage(image);
  ShmFrame frame(d, Width, Height);
  if (!frame.ok()) {
    std::printf("MIT-SHM: not offered by this server\n");
    return;
  }
  Print("one full-frame XShmPutImage, then XSync", "ms",
        Measure(Runs, [&] { return MillisecondsOf([&] { frame.putAndSync(); }); }));
}

// What the window driver's own path costs: the platform's X11 framebuffer, whose blocks
// return once stored (the backend's reader thread sends them to the server).
void PlatformSurface(Display* d) {
  setenv("GRAPHWIN_BACKEND", "x11", 1);
  if (platform::CurrentBackend() == nullptr) {
    std::printf("platform X11 backend: not available\n");
    return;
  }
  WNDCLASS wc;
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "BenchWindow";
  RegisterClass(wc);
  HWND hwnd = CreateWindowEx(0, "BenchWindow", "bench", WS_OVERLAPPEDWINDOW | WS_MAXIMIZE,
                             CW_USEDEFAULT, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  if (hwnd == nullptr) return;
  ShowWindow(hwnd, SW_SHOW);
  WindowSurface* dc = GetDC(hwnd);
  std::recursive_timed_mutex drawing;
  dc->drawUnder(drawing);
  auto fill = [&](int x, int y, int w, int h, COLORREF v) {
    std::lock_guard lock(drawing);
    if (!ClipBlock(dc->width(), dc->height(), x, y, w, h)) return;
    dc->pixels().fill(x, y, w, h, v);
    dc->present(x, y, w, h);
  };
  Print("8,181 cells on the platform surface (calls)", "ms", Measure(Runs, [&] {
          return MillisecondsOf([&] {
            for (int i = 0; i < Cells; ++i)
              fill((i % Cols) * CellW, (i / Cols) * CellH, CellW, CellH, CellColor(i));
          });
        }));
  // The same cells drawn row by row, as the driver's bars draw them: 12 runs per cell.
  Print("8,181 cells as 98,172 one-row runs (calls)", "ms", Measure(Runs, [&] {
          return MillisecondsOf([&] {
            for (int i = 0; i < Cells; ++i) {
              const int x = (i % Cols) * CellW, y = (i / Cols) * CellH;
              for (int row = y; row < y + CellH; ++row) fill(x, row, CellW, 1, CellColor(i));
            }
          });
        }));
  XSync(d, False);
  DestroyWindow(hwnd);
}

}  // namespace

int main() {
  MemoryBound();
  testing_support::XvfbServer server("1920x1080x24");
  if (!server.ok()) {
    std::printf("Xvfb did not start (installed: %s); X11 figures skipped\n",
                testing_support::XvfbServer::installed() ? "yes" : "no");
    return 0;
  }
  setenv("DISPLAY", server.display().c_str(), 1);
  Display* d = XOpenDisplay(server.display().c_str());
  if (d == nullptr) return 1;
  Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, Width, Height, 0, 0, 0);
  XMapWindow(d, w);
  GC gc = XCreateGC(d, w, 0, nullptr);
  XSync(d, False);
  RectangleBounds(d, w, gc);
  ImageBounds(d, w, gc);
  XDestroyWindow(d, w);
  XSync(d, False);
  PlatformSurface(d);
  XCloseDisplay(d);
  return 0;
}
