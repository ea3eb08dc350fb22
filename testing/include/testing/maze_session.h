#pragma once
// Runs the real maze binary against an X server and looks at what it shows: its window,
// its picture, its output and its exit code. Keys are sent with XTest.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "testing/xvfb_server.h"

namespace testing_support {

using Clock = std::chrono::steady_clock;

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

constexpr Rgb White{252, 252, 252}, Blue{0, 0, 168}, Red{168, 0, 0}, Yellow{252, 252, 84},
    Green{0, 168, 0};

// A child process with its standard output and error read back through pipes.
class Process {
 public:
  Process(const std::vector<std::string>& argv, const std::vector<std::string>& env) {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], 1);
      dup2(err[1], 2);
      const int devnull = open("/dev/null", O_RDONLY);
      dup2(devnull, 0);
      for (int fd : {out[0], out[1], err[0], err[1], devnull}) close(fd);
      std::vector<char*> args, envp;
      for (auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      for (auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
      args.push_back(nullptr);
      envp.push_back(nullptr);
      execve(args[0], args.data(), envp.data());
      _exit(127);
    }
    close(out[1]);
    close(err[1]);
    out_ = out[0];
    err_ = err[0];
    fcntl(out_, F_SETFL, O_NONBLOCK);
    fcntl(err_, F_SETFL, O_NONBLOCK);
  }
  ~Process() {
    if (pid_ > 0 && !exitCode_) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
    if (err_ >= 0) close(err_);
  }

  pid_t pid() const { return pid_; }

  // Everything written to standard output so far.
  const std::string& out() {
    drain();
    return outText_;
  }
  const std::string& err() {
    drain();
    return errText_;
  }

  // Waits until standard output contains text; false on timeout or exit.
  bool waitForOutput(const std::string& text, double seconds) {
    const auto until = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < until) {
      if (out().find(text) != std::string::npos) return true;
      if (exited()) return out().find(text) != std::string::npos;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  bool exited() {
    if (exitCode_) return true;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    return exitCode_.has_value();
  }

  // The exit code, or nullopt when the process is still running after the wait.
  std::optional<int> waitForExit(double seconds) {
    const auto until = Clock::now() + std::chrono::duration<double>(seconds);
    while (!exited() && Clock::now() < until) {
      drain();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    drain();
    return exitCode_;
  }

 private:
  void drain() {
    char buffer[4096];
    for (auto [fd, text] : {std::pair{out_, &outText_}, std::pair{err_, &errText_}}) {
      ssize_t n;
      while (fd >= 0 && (n = read(fd, buffer, sizeof buffer)) > 0) text->append(buffer, size_t(n));
    }
  }

  pid_t pid_ = -1;
  int out_ = -1, err_ = -1;
  std::string outText_, errText_;
  std::optional<int> exitCode_;
};

// Our view of the game's window on the X server.
class WindowView {
 public:
  explicit WindowView(const std::string& display) : dpy_(XOpenDisplay(display.c_str())) {
    // The game's window may go away between two looks at it: a mine, the time limit or a
    // quit. Xlib's default handler would end the test there; a look at a window that is
    // gone finds nothing instead.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  }
  ~WindowView() {
    if (dpy_) XCloseDisplay(dpy_);
  }
  bool ok() const { return dpy_ != nullptr; }
  Display* display() const { return dpy_; }

  // The window titled title, waiting for it to appear.
  Window waitForWindow(const std::string& title, double seconds) {
    const auto until = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < until) {
      if (Window w = findWindow(DefaultRootWindow(dpy_), title)) {
        window_ = w;
        return w;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return 0;
  }

  void size(int& width, int& height) {
    XWindowAttributes a{};
    XGetWindowAttributes(dpy_, window_, &a);
    width = a.width;
    height = a.height;
  }

  // Waits until the window found last is gone from the server, so that the next search
  // cannot find it again.
  bool waitUntilGone(double seconds) {
    const auto until = Clock::now() + std::chrono::duration<double>(seconds);
    while (Clock::now() < until) {
      XWindowAttributes a{};
      if (!window_ || !XGetWindowAttributes(dpy_, window_, &a)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  // The whole window's picture.
  struct Picture {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    // Black outside the picture, and everywhere in the picture of a window that was gone.
    Rgb at(int x, int y) const {
      if (x < 0 || y < 0 || x >= width || y >= height) return {};
      return pixels[size_t(y) * size_t(width) + size_t(x)];
    }
  };
  Picture grab() {
    Picture p;
    size(p.width, p.height);
    if (p.width <= 0 || p.height <= 0) return {};
    XImage* image =
        XGetImage(dpy_, window_, 0, 0, unsigned(p.width), unsigned(p.height), AllPlanes, ZPixmap);
    if (!image) return {};
    p.pixels.resize(size_t(p.width) * size_t(p.height));
    for (int y = 0; y < p.height; ++y) {
      for (int x = 0; x < p.width; ++x) {
        const unsigned long v = XGetPixel(image, x, y);
        p.pixels[size_t(y) * size_t(p.width) + size_t(x)] = {uint8_t((v & image->red_mask) >> 16),
                                                             uint8_t((v & image->green_mask) >> 8),
                                                             uint8_t(v & image->blue_mask)};
      }
    }
    XDestroyImage(image);
    return p;
  }
  Rgb pixelAt(int x, int y) {
    XImage* image = XGetImage(dpy_, window_, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return {};
    const unsigned long v = XGetPixel(image, 0, 0);
    const Rgb rgb{uint8_t((v & image->red_mask) >> 16), uint8_t((v & image->green_mask) >> 8),
                  uint8_t(v & image->blue_mask)};
    XDestroyImage(image);
    return rgb;
  }

  void pressKey(KeySym sym, bool shift = false) {
    XTestFakeMotionEvent(dpy_, -1, 200, 200, 0);  // keys go to the window under the pointer
    const KeyCode shiftCode = XKeysymToKeycode(dpy_, XK_Shift_L);
    const KeyCode code = XKeysymToKeycode(dpy_, sym);
    if (shift) XTestFakeKeyEvent(dpy_, shiftCode, True, 0);
    XTestFakeKeyEvent(dpy_, code, True, 0);
    XTestFakeKeyEvent(dpy_, code, False, 0);
    if (shift) XTestFakeKeyEvent(dpy_, shiftCode, False, 0);
    XSync(dpy_, False);
  }

 private:
  Window findWindow(Window w, const std::string& title) {
    char* name = nullptr;
    if (XFetchName(dpy_, w, &name) && name) {
      const bool match = title == name;
      XFree(name);
      XWindowAttributes a{};
      if (match && XGetWindowAttributes(dpy_, w, &a) && a.map_state == IsViewable) return w;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(dpy_, w, &root, &parent, &children, &count)) {
      for (unsigned i = 0; i < count && !found; ++i) found = findWindow(children[i], title);
      if (children) XFree(children);
    }
    return found;
  }

  Display* dpy_;
  Window window_ = 0;
};

// The maze's slots as drawn in a window of the given size.
struct Field {
  int cellWidth, cellHeight;
  Field(int width, int height) : cellWidth((width - 1) / 101), cellHeight((height - 1) / 81) {}
  // The middle of slot (x, y), away from the lines it shares with its neighbours.
  int midX(int x) const { return x * cellWidth + cellWidth / 2; }
  int midY(int y) const { return y * cellHeight + cellHeight / 2; }

  // Whether every pixel of the slots' bars (slots 1..101 by 1..81, each one pixel wider and
  // higher than a cell) is drawn. No slot is black and the window starts black, so a black
  // pixel there is one that has not reached the server yet.
  bool drawn(const WindowView::Picture& p) const {
    if (p.width <= cellWidth || p.height <= cellHeight) return false;  // no picture
    const int right = std::min(p.width - 1, 102 * cellWidth);
    const int bottom = std::min(p.height - 1, 82 * cellHeight);
    for (int y = cellHeight; y <= bottom; ++y) {
      for (int x = cellWidth; x <= right; ++x) {
        if (p.at(x, y) == Rgb{}) return false;
      }
    }
    return true;
  }
};

inline std::vector<std::string> GameEnvironment(const std::string& display) {
  std::vector<std::string> env = {"DISPLAY=" + display, "GRAPHWIN_BACKEND=x11"};
  for (const char* keep : {"PATH", "HOME", "ASAN_OPTIONS", "UBSAN_OPTIONS"}) {
    if (const char* v = getenv(keep)) env.push_back(std::string(keep) + "=" + v);
  }
  std::string tsan = getenv("TSAN_OPTIONS") ? getenv("TSAN_OPTIONS") : "";
#ifdef TSAN_XLIB_SUPPRESSIONS
  // A game whose X server goes away meets Xlib's error path (testing/tsan_xlib.h).
  tsan.append(tsan.empty() ? "" : ":").append("suppressions=" TSAN_XLIB_SUPPRESSIONS);
#endif
  if (!tsan.empty()) env.push_back("TSAN_OPTIONS=" + tsan);
  return env;
}

}  // namespace testing_support
