#include "platform/x11/x11_window.h"

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

X11Surface::X11Surface(Connection& connection, X11Window& window, int width, int height)
    : connection_(connection), window_(window), copy_(width, height) {}

void X11Surface::setPixel(int x, int y, COLORREF v) {
  std::lock_guard lock(connection_.mutex);
  if (copy_.contains(x, y)) FillLocked(x, y, 1, 1, v);
}

COLORREF X11Surface::pixel(int x, int y) const {
  std::lock_guard lock(connection_.mutex);
  return copy_.contains(x, y) ? copy_.pixel(x, y) : 0;
}

void X11Surface::fillRect(int x, int y, int w, int h, COLORREF v) {
  std::lock_guard lock(connection_.mutex);
  if (ClipBlock(copy_.width(), copy_.height(), x, y, w, h)) FillLocked(x, y, w, h, v);
}

void X11Surface::FillLocked(int x, int y, int w, int h, COLORREF v) {
  v &= 0xFFFFFF;
  copy_.fill(x, y, w, h, v);
  if (connection_.lost) return;
  if (pending_ && v == pcolour_) {
    if (x == px_ && w == pw_ && y == py_ + ph_) {
      ph_ += h;
      return;
    }
    if (y == py_ && h == ph_ && x == px_ + pw_) {
      pw_ += w;
      return;
    }
  }
  SendPending();
  if (connection_.lost) return;
  pending_ = true;
  px_ = x, py_ = y, pw_ = w, ph_ = h, pcolour_ = v;
  connection_.MarkDirty();
}

void X11Surface::SendPending() {
  if (!pending_) return;
  pending_ = false;
  if (!connection_.Reserve(36)) return;  // a colour change (16 bytes) and a rectangle (20)
  if (!haveForeground_ || foreground_ != pcolour_) {
    XSetForeground(connection_.display, window_.gc(), connection_.format.ToPixel(pcolour_));
    haveForeground_ = true;
    foreground_ = pcolour_;
  }
  XFillRectangle(connection_.display, window_.xwindow(), window_.gc(), px_, py_, unsigned(pw_),
                 unsigned(ph_));
}

void X11Surface::copyFrom(const PixelSurface& src, int x, int y, int w, int h) {
  std::lock_guard lock(connection_.mutex);
  if (!ClipBlock(std::min(copy_.width(), src.width()), std::min(copy_.height(), src.height()), x, y,
                 w, h))
    return;
  for (int row = y; row < y + h; ++row)
    std::memcpy(copy_.row(row) + x, src.row(row) + x, size_t(w) * sizeof(COLORREF));
  if (connection_.lost) return;
  SendPending();
  PutFromCopy(x, y, w, h);
  connection_.MarkDirty();
}

void X11Surface::PutFromCopy(int x, int y, int w, int h) {
  if (!connection_.Reserve(size_t(w) * size_t(h) * 4 + 64)) return;
  Display* d = connection_.display;
  XImage* image = XCreateImage(d, connection_.visual, unsigned(connection_.depth), ZPixmap, 0,
                               nullptr, unsigned(w), unsigned(h), 32, 0);
  if (image == nullptr) return;
  std::vector<char> data(size_t(image->bytes_per_line) * size_t(h));
  image->data = data.data();
  const PixelFormat& f = connection_.format;
  const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
  for (int row = 0; row < h; ++row) {
    const COLORREF* in = copy_.row(y + row) + x;
    if (direct) {
      auto* out = reinterpret_cast<uint32_t*>(data.data() + size_t(row) * image->bytes_per_line);
      for (int i = 0; i < w; ++i) out[i] = uint32_t(f.ToPixel(in[i]));
    } else {
      for (int i = 0; i < w; ++i) XPutPixel(image, i, row, f.ToPixel(in[i]));
    }
  }
  XPutImage(d, window_.xwindow(), window_.gc(), image, 0, 0, x, y, unsigned(w), unsigned(h));
  image->data = nullptr;  // the vector owns it
  XDestroyImage(image);
}

X11Window::X11Window(Connection& connection, const WindowSpec& spec, Window parent)
    : connection_(connection), hwnd_(spec.hwnd) {
  std::lock_guard lock(connection_.mutex);
  if (!connection_.Reserve(1024 + 3 * (spec.title.size() + spec.className.size()))) return;
  Display* d = connection_.display;
  const Atoms& a = connection_.atoms;
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(d, connection_.screen);
  attributes.border_pixel = BlackPixel(d, connection_.screen);
  attributes.colormap = DefaultColormap(d, connection_.screen);
  attributes.event_mask = ExposureMask | KeyPressMask | KeyReleaseMask | ButtonPressMask |
                          ButtonReleaseMask | StructureNotifyMask;
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
  surface_ = std::make_unique<X11Surface>(connection_, *this, spec.clientWidth, spec.clientHeight);
  connection_.windows[window_] = this;
  connection_.MarkDirty();
}

X11Window::~X11Window() {
  std::lock_guard lock(connection_.mutex);
  if (window_ == 0) return;
  connection_.windows.erase(window_);
  if (!connection_.Reserve(64)) {
    connection_.abandoned.push_back(gc_);
    return;
  }
  XFreeGC(connection_.display, gc_);
  XDestroyWindow(connection_.display, window_);
  connection_.MarkDirty();
}

void X11Window::show() {
  std::lock_guard lock(connection_.mutex);
  if (window_ == 0 || !connection_.Reserve(64)) return;
  XMapWindow(connection_.display, window_);
  connection_.MarkDirty();
}

}  // namespace platform::x11
