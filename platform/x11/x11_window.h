#pragma once
// A window on the X server and its client area as a drawing surface. The surface keeps a
// copy of what it drew, so that reading a pixel never asks the server.
#include <X11/Xlib.h>

#include "platform/backend.h"
#include "platform/surface.h"
#include "platform/x11/x11_connection.h"

namespace platform::x11 {

class X11Window;

class X11Surface : public WindowSurface {
 public:
  X11Surface(Connection& connection, X11Window& window, int width, int height);
  int width() const override { return copy_.width(); }
  int height() const override { return copy_.height(); }
  void setPixel(int x, int y, COLORREF v) override;
  COLORREF pixel(int x, int y) const override;
  void fillRect(int x, int y, int w, int h, COLORREF v) override;
  void copyFrom(const PixelSurface& src, int x, int y, int w, int h) override;

  // Sends the fill held back for merging. Under the connection's mutex.
  void SendPending();
  // Whether a fill is held back. Under the connection's mutex.
  bool holdsBack() const { return pending_; }
  // Puts the block (x, y, w, h) of the copy onto the window. Under the connection's mutex.
  void PutFromCopy(int x, int y, int w, int h);

 private:
  void FillLocked(int x, int y, int w, int h, COLORREF v);

  Connection& connection_;
  X11Window& window_;
  PixelSurface copy_;
  // A fill not sent yet: runs of the same colour that continue it (one below the other,
  // or one beside the other) grow it instead of becoming requests of their own.
  bool pending_ = false;
  int px_ = 0, py_ = 0, pw_ = 0, ph_ = 0;
  COLORREF pcolour_ = 0;
  bool haveForeground_ = false;
  COLORREF foreground_ = 0;
};

class X11Window : public NativeWindow {
 public:
  // Creates the X window; check ok() afterwards.
  X11Window(Connection& connection, const WindowSpec& spec, Window parent);
  ~X11Window() override;
  bool ok() const { return window_ != 0; }
  WindowSurface& surface() override { return *surface_; }
  void show() override;

  HWND hwnd() const { return hwnd_; }
  Window xwindow() const { return window_; }
  GC gc() const { return gc_; }
  X11Surface& x11Surface() { return *surface_; }
  // Keys held down, to tell auto-repeat from a fresh press. Reader thread only.
  bool keyDown[256] = {};

 private:
  Connection& connection_;
  HWND hwnd_;
  Window window_ = 0;
  GC gc_ = nullptr;
  std::unique_ptr<X11Surface> surface_;
};

}  // namespace platform::x11
