#include "x11/x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace platform::x11 {
namespace {

std::string Latin1ToUtf8(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x80) {
      out += char(c);
    } else {
      out += char(0xC0 | (c >> 6));
      out += char(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

X11Surface::X11Surface(Connection& connection, X11Window& window, std::unique_ptr<FrameImage> image)
    : WindowSurface(image->view()),
      connection_(connection),
      window_(window),
      image_(std::move(image)) {
  keepDamageIn(damage_);
}

void X11Surface::presentBlock(int x, int y, int w, int h) {
  if (ClipBlock(width(), height(), x, y, w, h) && damage_.add(Block{x, y, w, h}) && wakeOnDamage_) {
    wakeOnDamage_ = false;
    connection_.wakeReaderFromDrawing();
  }
}

std::optional<FlushPacer::Clock::time_point> X11Surface::nextFlush(
    FlushPacer::Clock::time_point now) const {
  if (const auto at = pacer_.next()) return at;
  // Damage waits while the pacer is idle: the drawing side has woken the reader for it.
  return damage_.pending() ? std::optional(now) : std::nullopt;
}

bool X11Surface::flushIfDue(FlushPacer::Clock::time_point now) {
  if (!pacer_.due(now, damage_.changes())) return false;
  // Idle and nothing came: the drawing side wakes the reader when something does.
  if (!pacer_.next() && !damage_.pending()) return false;
  // The drawing takes its lock once a Bar, a line or a pixel, and takes it back before
  // another processor can: a look that finds it held looks again a moment later, and that
  // look waits for it, at most an interval. So a burst's damage goes out while the burst
  // goes on, not all at its end; the bound keeps one long drawing call from holding up the
  // server's events. Waiting under the connection's mutex keeps the lock order.
  std::recursive_timed_mutex* held =
      pacer_.lockWasHeld() ? lock_.holdWithin(FlushInterval) : lock_.tryHold();
  if (held == nullptr) {
    pacer_.retry(now, LockRetry);
    return false;
  }
  damage_.take(blocks_);
  const uint64_t changes = damage_.changes();
  if (blocks_.empty()) {
    // A whole interval without drawing: the next change is sent as soon as it comes.
    pacer_.idle();
    wakeOnDamage_ = true;
    held->unlock();
    return false;
  }
  if (image_->shared()) {
    held->unlock();  // the server reads the pixels itself, later
    return sendBlocks(now, changes);
  }
  const bool sent = sendBlocks(now, changes);  // read here, while nothing draws
  held->unlock();
  return sent;
}

bool X11Surface::sendBlocks(FlushPacer::Clock::time_point now, uint64_t changes) {
  pacer_.sent(now, changes);
  if (connection_.lost) return false;
  for (const Block& b : blocks_) image_->put(window_.xwindow(), window_.gc(), b.x, b.y, b.w, b.h);
  return true;
}

X11Window::X11Window(Connection& connection, const WindowSpec& spec, Window parent)
    : connection_(connection), hwnd_(spec.hwnd) {
  std::lock_guard lock(connection_.mutex);
  if (!connection_.reserve(1024 + 3 * (spec.title.size() + spec.className.size()))) return;
  Display* d = connection_.display;
  const Atoms& a = connection_.atoms;
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(d, connection_.screen);
  attributes.border_pixel = BlackPixel(d, connection_.screen);
  attributes.colormap = DefaultColormap(d, connection_.screen);
  attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                          ButtonReleaseMask | PointerMotionMask | StructureNotifyMask;
  const bool child = spec.parent != nullptr;
  const int x = (spec.x == CW_USEDEFAULT) ? 0 : spec.x;
  const int y = (spec.x == CW_USEDEFAULT) ? 0 : spec.y;
  window_ = XCreateWindow(d, parent, x, y, unsigned(spec.clientWidth), unsigned(spec.clientHeight),
                          0, connection_.depth, InputOutput, connection_.visual,
                          CWBackPixel | CWBorderPixel | CWColormap | CWEventMask, &attributes);
  if (window_ == 0) return;
  gc_ = XCreateGC(d, window_, 0, nullptr);
  if (!child) {
    XStoreName(d, window_, spec.title.c_str());
    const std::string utf8 = Latin1ToUtf8(spec.title);
    XChangeProperty(d, window_, a.netWmName, a.utf8String, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8.data()), int(utf8.size()));
    std::string className = spec.className;
    XClassHint hint{className.data(), className.data()};
    XSetClassHint(d, window_, &hint);
    Atom protocols[] = {a.wmDeleteWindow};
    XSetWMProtocols(d, window_, protocols, 1);
    XSizeHints* hints = XAllocSizeHints();
    if (hints != nullptr) {
      hints->flags = PSize;
      hints->width = spec.clientWidth;
      hints->height = spec.clientHeight;
      if (spec.x != CW_USEDEFAULT) {
        hints->flags |= USPosition;
        hints->x = x;
        hints->y = y;
      }
      if (!spec.maximised) {
        // The picture has one size; the window keeps it.
        hints->flags |= PMinSize | PMaxSize;
        hints->min_width = hints->max_width = spec.clientWidth;
        hints->min_height = hints->max_height = spec.clientHeight;
      }
      XSetWMNormalHints(d, window_, hints);
      XFree(hints);
    }
    if (spec.maximised) {
      Atom state[] = {a.netWmStateMaxVert, a.netWmStateMaxHorz};
      XChangeProperty(d, window_, a.netWmState, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(state), 2);
    }
  }
  surface_ = std::make_unique<X11Surface>(
      connection_, *this,
      std::make_unique<FrameImage>(connection_, spec.clientWidth, spec.clientHeight));
  connection_.windows[window_] = this;
  connection_.markDirty();
}

X11Window::~X11Window() {
  std::lock_guard lock(connection_.mutex);
  surface_.reset();  // its image's requests go out under the lock too
  if (window_ == 0) return;
  connection_.windows.erase(window_);
  if (!connection_.reserve(64)) {
    connection_.abandoned.push_back(gc_);
    return;
  }
  XFreeGC(connection_.display, gc_);
  XDestroyWindow(connection_.display, window_);
  connection_.markDirty();
}

void X11Window::show() {
  std::lock_guard lock(connection_.mutex);
  if (window_ == 0 || !connection_.reserve(64)) return;
  XMapWindow(connection_.display, window_);
  connection_.markDirty();
}

}  // namespace platform::x11
