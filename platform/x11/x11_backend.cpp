// The X11 display: metrics from the server and its window manager, windows, and a reader
// thread that turns X events into window messages and flushes what was drawn.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/eventfd.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdlib>
#include <future>
#include <optional>
#include <thread>
#include <vector>

#include "backend.h"
#include "x11/x11_connection.h"
#include "x11/x11_image.h"
#include "x11/x11_keys.h"
#include "x11/x11_window.h"

namespace platform::x11 {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto FlushDelay = std::chrono::microseconds(100);

void Wake(int fd) {
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t n = write(fd, &one, sizeof one);
}

// Protocol errors (a window the server already forgot, say) are not worth ending the
// program for; the drawing they concern is lost either way.
int IgnoreProtocolError(Display*, XErrorEvent* error) {
  NoteProtocolError(*error);
  return 0;
}
// The connection is gone; the exit handler below decides what happens next.
int QuietIOError(Display*) {
  return 0;
}
void ConnectionGone(Display*, void* connection) {
  static_cast<Connection*>(connection)->lost = true;
}

// Whether the server closed its end: no more bytes will come.
bool PeerGone(int fd) {
  char byte;
  const ssize_t n = recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
  return n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

bool HungUp(int fd) {
  pollfd p{fd, POLLIN, 0};
  return poll(&p, 1, 0) > 0 && ((p.revents & (POLLHUP | POLLERR)) || PeerGone(fd));
}

void MaskShift(unsigned long mask, int& shift, int& bits) {
  shift = mask ? std::countr_zero(mask) : 0;
  bits = std::popcount(mask);
}

// One property of a window as 32-bit items; empty when it is not there.
std::vector<long> CardinalProperty(Display* d, Window w, Atom property) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::vector<long> out;
  if (XGetWindowProperty(d, w, property, 0, 64, False, XA_CARDINAL, &type, &format, &count, &after,
                         &data) == Success &&
      data != nullptr) {
    if (format == 32) {
      const long* items = reinterpret_cast<const long*>(data);
      out.assign(items, items + count);
    }
    XFree(data);
  }
  return out;
}

class X11Backend : public Backend {
 public:
  explicit X11Backend(Display* display) : displayName_(DisplayString(display)) {
    c_.display = display;
    c_.screen = DefaultScreen(display);
    c_.root = RootWindow(display, c_.screen);
    c_.visual = DefaultVisual(display, c_.screen);
    c_.depth = DefaultDepth(display, c_.screen);
    PixelFormat& f = c_.format;
    f.redMask = c_.visual->red_mask;
    f.greenMask = c_.visual->green_mask;
    f.blueMask = c_.visual->blue_mask;
    MaskShift(f.redMask, f.redShift, f.redBits);
    MaskShift(f.greenMask, f.greenShift, f.greenBits);
    MaskShift(f.blueMask, f.blueShift, f.blueBits);
    Atoms& a = c_.atoms;
    a.wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
    a.wmDeleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    a.netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    a.utf8String = XInternAtom(display, "UTF8_STRING", False);
    a.netWmState = XInternAtom(display, "_NET_WM_STATE", False);
    a.netWmStateMaxVert = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    a.netWmStateMaxHorz = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    a.netWorkArea = XInternAtom(display, "_NET_WORKAREA", False);
    a.netFrameExtents = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    a.netRequestFrameExtents = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    a.netSupportingWmCheck = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    XSetIOErrorExitHandler(display, ConnectionGone, &c_);
    Bool supported = False;
    XkbSetDetectableAutoRepeat(display, True, &supported);
    loadKeyboardMapping();
    metrics_ = readMetrics();
    c_.wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    XFlush(display);
    // Detached: the backend of the process outlives main, and its reader may end on its
    // own when the server goes; the destructor waits for it through readerDone_.
    std::thread([this] {
      // The flushes are paced in tens of microseconds; the default slack of a sleeping
      // thread's timer (50 us) would add half as much again to each.
      prctl(PR_SET_TIMERSLACK, 1000UL);
      c_.readerThread = int(syscall(SYS_gettid));
      readEvents();
      readerDone_.set_value();
    }).detach();
  }

  // Every window of this backend must be gone by now. The backend of the process is never
  // destroyed (a thread of the program may be drawing while it exits).
  ~X11Backend() override {
    stopping_ = true;
    Wake(c_.wakeFd);
    readerDone_.get_future().wait();
    close(c_.wakeFd);
    XCloseDisplay(c_.display);
  }

  const char* name() const override { return "x11"; }
  std::string displayName() const override { return "the display " + displayName_; }

  ScreenMetrics metrics() override {
    std::lock_guard lock(c_.mutex);
    return metrics_;
  }

  std::unique_ptr<NativeWindow> createWindow(const WindowSpec& spec) override {
    Window parent = c_.root;
    if (spec.parent != nullptr) parent = static_cast<X11Window*>(spec.parent)->xwindow();
    auto window = std::make_unique<X11Window>(c_, spec, parent);
    if (!window->ok()) return nullptr;
    return window;
  }

 private:
  bool hasWindowManager() {
    auto check = CardinalProperty(c_.display, c_.root, c_.atoms.netSupportingWmCheck);
    if (check.empty()) {
      // The property is a WINDOW, not a CARDINAL; ask again without a type.
      Atom type;
      int format;
      unsigned long count, after;
      unsigned char* data = nullptr;
      bool found =
          XGetWindowProperty(c_.display, c_.root, c_.atoms.netSupportingWmCheck, 0, 1, False,
                             AnyPropertyType, &type, &format, &count, &after, &data) == Success &&
          data != nullptr && count > 0;
      if (data != nullptr) XFree(data);
      return found;
    }
    return true;
  }

  // Xlib fetches the keyboard's mapping from the server at the first key it translates;
  // fetched now, that first key press is not held up by the round trips.
  void loadKeyboardMapping() {
    XKeyEvent key{};
    key.type = KeyPress;
    key.display = c_.display;
    key.window = c_.root;
    key.keycode = XKeysymToKeycode(c_.display, XK_a);
    char text[8];
    KeySym sym;
    XLookupString(&key, text, sizeof text, &sym, nullptr);
  }

  // The frame a window manager puts around its windows: asked for on a window that is
  // never shown; the manager answers with _NET_FRAME_EXTENTS (left, right, top, bottom).
  std::vector<long> probeFrameExtents() {
    Display* d = c_.display;
    XSetWindowAttributes attributes{};
    attributes.event_mask = PropertyChangeMask;
    Window probe = XCreateWindow(d, c_.root, 0, 0, 100, 100, 0, CopyFromParent, InputOutput,
                                 CopyFromParent, CWEventMask, &attributes);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = probe;
    request.xclient.message_type = c_.atoms.netRequestFrameExtents;
    request.xclient.format = 32;
    XSendEvent(d, c_.root, False, SubstructureNotifyMask | SubstructureRedirectMask, &request);
    XFlush(d);
    std::vector<long> extents;
    const auto until = Clock::now() + std::chrono::milliseconds(300);
    while (extents.size() < 4 && Clock::now() < until && !c_.lost) {
      XEvent event;
      if (XCheckTypedWindowEvent(d, probe, PropertyNotify, &event)) {
        extents = CardinalProperty(d, probe, c_.atoms.netFrameExtents);
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
    XDestroyWindow(d, probe);
    return extents;
  }

  ScreenMetrics readMetrics() {
    ScreenMetrics m;
    m.screenWidth = DisplayWidth(c_.display, c_.screen);
    m.screenHeight = DisplayHeight(c_.display, c_.screen);
    m.workWidth = m.screenWidth;
    m.workHeight = m.screenHeight;
    m.mousePresent = true;
    if (!hasWindowManager()) return m;
    auto area = CardinalProperty(c_.display, c_.root, c_.atoms.netWorkArea);
    if (area.size() >= 4 && area[2] > 0 && area[3] > 0) {
      m.workWidth = int(area[2]);
      m.workHeight = int(area[3]);
    }
    auto extents = probeFrameExtents();
    if (extents.size() >= 4) {
      m.frameX = int(std::max(extents[0], extents[1]));
      m.frameY = int(extents[3]);
      m.caption = int(std::max(0L, extents[2] - extents[3]));
    }
    return m;
  }

  // Runs on the reader thread, under the connection's mutex.
  void flush() {
    if (!c_.lost) XFlush(c_.display);
    c_.queued = 0;
    c_.dirty = false;
  }

  struct Delivery {
    enum Kind { Message, Key, Paint } kind;
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    int character;
    RECT rect;
  };

  // Under the connection's mutex: what the event means for the windows.
  void translate(XEvent& event, std::vector<Delivery>& out) {
    if (event.type == MappingNotify) {  // the keyboard was remapped: for every client
      XRefreshKeyboardMapping(&event.xmapping);
      return;
    }
    auto it = c_.windows.find(event.xany.window);
    if (it == c_.windows.end()) return;
    X11Window& w = *it->second;
    if (w.x11Surface().noteRead(event)) return;
    switch (event.type) {
      case Expose: {
        const XExposeEvent& e = event.xexpose;
        out.push_back({Delivery::Paint, w.hwnd(), WM_PAINT, 0, 0, -1,
                       RECT{e.x, e.y, e.x + e.width, e.y + e.height}});
        break;
      }
      case KeyPress:
      case KeyRelease: {
        XKeyEvent& e = event.xkey;
        char text[8];
        KeySym sym = NoSymbol;
        const int n = XLookupString(&e, text, sizeof text, &sym, nullptr);
        const UINT vk = VirtualKeyOfEvent(XLookupKeysym(&e, 0), sym, n);
        if (vk == 0) break;
        const unsigned code = e.keycode & 0xFF;
        const bool wasDown = w.keyDown[code];
        w.keyDown[code] = event.type == KeyPress;
        LPARAM lParam = 1 | (LPARAM((code >= 8 ? code - 8 : code) & 0xFF) << 16);
        if (event.type == KeyPress) {
          if (wasDown) lParam |= LPARAM(1) << 30;
          out.push_back({Delivery::Key,
                         w.hwnd(),
                         WM_KEYDOWN,
                         vk,
                         lParam,
                         n == 1 ? int(static_cast<unsigned char>(text[0])) : -1,
                         {}});
        } else {
          lParam |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
          out.push_back({Delivery::Key, w.hwnd(), WM_KEYUP, vk, lParam, -1, {}});
        }
        break;
      }
      case ButtonPress:
      case ButtonRelease: {
        const XButtonEvent& e = event.xbutton;
        const bool down = event.type == ButtonPress;
        UINT msg;
        WPARAM flag;
        if (e.button == Button1) {
          msg = down ? WM_LBUTTONDOWN : WM_LBUTTONUP, flag = 0x0001;
        } else if (e.button == Button2) {
          msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP, flag = 0x0010;
        } else if (e.button == Button3) {
          msg = down ? WM_RBUTTONDOWN : WM_RBUTTONUP, flag = 0x0002;
        } else {
          break;  // wheel steps have no button message here
        }
        const LPARAM point = LPARAM((uint32_t(e.y & 0xFFFF) << 16) | uint32_t(e.x & 0xFFFF));
        out.push_back({Delivery::Message, w.hwnd(), msg, down ? flag : 0, point, -1, {}});
        break;
      }
      case MotionNotify: {
        const XMotionEvent& e = event.xmotion;
        WPARAM held = 0;  // the buttons held, as Windows' MK_ flags
        if (e.state & Button1Mask) held |= 0x0001;
        if (e.state & Button3Mask) held |= 0x0002;
        if (e.state & Button2Mask) held |= 0x0010;
        const LPARAM point = LPARAM((uint32_t(e.y & 0xFFFF) << 16) | uint32_t(e.x & 0xFFFF));
        out.push_back({Delivery::Message, w.hwnd(), WM_MOUSEMOVE, held, point, -1, {}});
        break;
      }
      case ClientMessage:
        if (event.xclient.message_type == c_.atoms.wmProtocols &&
            Atom(event.xclient.data.l[0]) == c_.atoms.wmDeleteWindow)
          out.push_back({Delivery::Message, w.hwnd(), WM_CLOSE, 0, 0, -1, {}});
        break;
      default:
        break;
    }
  }

  void readEvents() {
    const int xfd = ConnectionNumber(c_.display);
    std::vector<Delivery> deliveries;
    for (;;) {
      // Sub-millisecond waits while requests or a window's damage wait to be sent.
      timespec wait{};
      const timespec* timeout = nullptr;
      {
        std::lock_guard lock(c_.mutex);
        const auto now = Clock::now();
        std::optional<Clock::time_point> wakeAt;
        if (c_.dirty) wakeAt = c_.flushBy;
        for (auto& [xwindow, window] : c_.windows) {
          if (const auto at = window->x11Surface().nextFlush(now))
            wakeAt = wakeAt ? std::min(*wakeAt, *at) : *at;
        }
        if (!c_.lost && XEventsQueued(c_.display, QueuedAlready) > 0) {
          timeout = &wait;  // events wait in Xlib's queue already: no sleep
        } else if (wakeAt) {
          const auto left = std::max<long long>(
              0, std::chrono::duration_cast<std::chrono::nanoseconds>(*wakeAt - now).count());
          wait = {time_t(left / 1000000000), long(left % 1000000000)};
          timeout = &wait;
        }
      }
      pollfd fds[2] = {{xfd, POLLIN, 0}, {c_.wakeFd, POLLIN, 0}};
      ppoll(fds, 2, timeout, nullptr);
      if (fds[1].revents & POLLIN) {
        uint64_t count;
        [[maybe_unused]] ssize_t n = read(c_.wakeFd, &count, sizeof count);
      }
      if (stopping_) return;
      deliveries.clear();
      // A server that went away hangs up, or shows the end of its stream. Seen here, the
      // loss is noticed without asking Xlib to write to or read from a dead connection.
      if ((fds[0].revents & (POLLHUP | POLLERR)) || ((fds[0].revents & POLLIN) && PeerGone(xfd)))
        c_.lost = true;
      {
        std::lock_guard lock(c_.mutex);
        const auto now = Clock::now();
        bool sent = false;
        for (auto& [xwindow, window] : c_.windows) sent |= window->x11Surface().flushIfDue(now);
        if (sent || (c_.dirty && now >= c_.flushBy)) {
          c_.checkAlive();
          flush();
        }
        // Reading on a closed connection is what reports its loss.
        // Another thread's request may have read events off the socket into Xlib's queue;
        // the socket then shows nothing, so the queue is looked at every time.
        if (!c_.lost && ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) ||
                         XEventsQueued(c_.display, QueuedAlready) > 0)) {
          while (!c_.lost && XPending(c_.display) > 0) {
            XEvent event;
            XNextEvent(c_.display, &event);
            translate(event, deliveries);
          }
        }
      }
      for (const Delivery& d : deliveries) {
        switch (d.kind) {
          case Delivery::Paint:
            InvalidateClient(d.hwnd, d.rect);
            break;
          case Delivery::Key:
            DeliverKey(d.hwnd, d.msg, UINT(d.wParam), d.character, d.lParam);
            break;
          case Delivery::Message:
            DeliverMessage(d.hwnd, d.msg, d.wParam, d.lParam);
            break;
        }
      }
      if (c_.lost) {
        DisplayLost();
        return;
      }
    }
  }

  const std::string displayName_;
  Connection c_;
  ScreenMetrics metrics_;
  std::atomic<bool> stopping_{false};
  std::promise<void> readerDone_;
};

}  // namespace

unsigned long PixelFormat::toPixel(COLORREF c) const {
  auto scale = [](unsigned v, int bits, int shift, unsigned long mask) {
    const unsigned long scaled = bits >= 8 ? (unsigned long)v << (bits - 8) : v >> (8 - bits);
    return (scaled << shift) & mask;
  };
  return scale(GetRValue(c), redBits, redShift, redMask) |
         scale(GetGValue(c), greenBits, greenShift, greenMask) |
         scale(GetBValue(c), blueBits, blueShift, blueMask);
}

bool Connection::checkAlive() {
  if (!lost && HungUp(ConnectionNumber(display))) lost = true;
  return !lost;
}

bool Connection::reserve(size_t bytes) {
  if (lost) return false;
  constexpr size_t room = 12288;  // well inside Xlib's own buffer of 16 KiB
  if (queued + bytes > room) {
    if (!checkAlive()) return false;
    XFlush(display);
    queued = 0;
    // All that was queued is out; the request about to be queued starts the wait for the
    // next flush afresh.
    if (dirty) flushBy = Clock::now() + FlushDelay;
    // The flush may have read events into Xlib's queue, where the reader's poll of the
    // socket cannot see them.
    if (XEventsQueued(display, QueuedAlready) > 0) Wake(wakeFd);
  }
  queued += bytes;
  return true;
}

// Woken by a drawing thread, the reader is often queued on that thread's processor, and
// a thread that draws for milliseconds does not give way to it: the damage then waits
// until the drawing ends, and goes out as one full-frame copy. So the reader is kept off
// the processor the drawing runs on, and is woken on another one, which is mostly idle.
void Connection::wakeReaderFromDrawing() {
  const int cpu = sched_getcpu();
  const int reader = readerThread.load();
  if (cpu >= 0 && reader > 0 && readerKeptOff.exchange(cpu) != cpu) {
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0) {
      CPU_CLR(cpu, &allowed);
      if (CPU_COUNT(&allowed) > 0) sched_setaffinity(reader, sizeof allowed, &allowed);
    }
  }
  Wake(wakeFd);
}

void Connection::markDirty() {
  if (dirty) return;
  dirty = true;
  flushBy = Clock::now() + FlushDelay;
  Wake(wakeFd);
}

}  // namespace platform::x11

namespace platform {

std::unique_ptr<Backend> MakeX11Backend() {
  // A write to a server that has gone must fail, not kill the process.
  struct sigaction old {};
  if (sigaction(SIGPIPE, nullptr, &old) == 0 && old.sa_handler == SIG_DFL) signal(SIGPIPE, SIG_IGN);
  XInitThreads();
  XSetErrorHandler(platform::x11::IgnoreProtocolError);
  XSetIOErrorHandler(platform::x11::QuietIOError);
  const std::string name = XDisplayName(nullptr);
  if (name.empty()) {
    ExplainBackendFailure("DISPLAY is not set; set DISPLAY to a running X server");
    return nullptr;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    ExplainBackendFailure("the X display \"" + name +
                          "\" cannot be opened; check that DISPLAY names a running X server "
                          "that lets you connect");
    return nullptr;
  }
  if (DefaultDepth(display, DefaultScreen(display)) < 15 ||
      DefaultVisual(display, DefaultScreen(display))->c_class != TrueColor) {
    XCloseDisplay(display);  // palette displays are not supported
    ExplainBackendFailure("the X display \"" + name +
                          "\" has no true-colour visual of 15 bits or more; use a "
                          "true-colour display");
    return nullptr;
  }
  return std::make_unique<platform::x11::X11Backend>(display);
}

}  // namespace platform
