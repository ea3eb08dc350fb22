#pragma once
// A window on the X server and its client area as a framebuffer: drawing stores pixels and
// grows the damage; the connection's reader thread sends it as image requests at once when
// drawing starts after a pause, and then at most once a flush interval while it goes on.
#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <vector>

#include "backend.h"
#include "damage.h"
#include "surface.h"
#include "x11/x11_connection.h"
#include "x11/x11_image.h"

namespace platform::x11 {

class X11Window;

// Damage that comes while drawing goes on waits at most this long. Shorter is sooner on
// the screen but costs the server more requests: a small shared-memory image costs it
// about as much as copying a few thousand pixels.
constexpr auto FlushInterval = std::chrono::microseconds(100);
// Dense drawing that goes on for longer than a game's turn or a whole maze takes, such as a
// picture set pixel by pixel, goes out once this interval instead.
constexpr auto LongDrawing = std::chrono::milliseconds(4);
constexpr auto LongFlushInterval = std::chrono::milliseconds(1);
// How soon the reader looks again when the drawing held its lock, and waits for it;
// later the longer it holds it (FlushPacer::retry).
constexpr auto LockRetry = std::chrono::microseconds(5);

class X11Surface : public WindowSurface {
 public:
  // Under the connection's mutex.
  X11Surface(Connection& connection, X11Window& window, std::unique_ptr<FrameImage> image);
  void drawUnder(std::recursive_timed_mutex& lock) override { lock_.use(lock); }

  // The rest runs on the reader thread under the connection's mutex.
  // When to look at the damage again; nullopt when the drawing side wakes the reader.
  std::optional<FlushPacer::Clock::time_point> nextFlush(FlushPacer::Clock::time_point now) const;
  // Sends the damage when it is due; true when something was sent.
  bool flushIfDue(FlushPacer::Clock::time_point now);
  // Whether event says the server read a block sent (FrameImage::noteRead).
  bool noteRead(const XEvent& event) { return image_->noteRead(event); }

 private:
  void presentBlock(int x, int y, int w, int h) override;

  Connection& connection_;
  X11Window& window_;
  std::unique_ptr<FrameImage> image_;
  DrawingLock lock_;
  Damage damage_;
  std::vector<Block> blocks_;  // what a flush sends, kept to spare an allocation a flush
  FlushPacer pacer_{FlushInterval, LongDrawing, LongFlushInterval};
  // Whether the next damage must wake the reader: only while the pacer is idle, so that
  // drawing pays for no wake while the reader will look anyway. Under the drawing lock.
  bool wakeOnDamage_ = true;

  bool sendBlocks(FlushPacer::Clock::time_point now, uint64_t changes);  // reader: sends blocks_
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
