#pragma once
// The thread that serves a terminal session: it reads and decodes the keys and delivers
// them to the window, sends changed cells of the picture to the terminal (at once after a
// pause, then gathering what is drawn meanwhile into one write an interval), and lays the
// screen out again when the terminal is resized or continued after a stop.
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/win_types.h"
#include "terminal/key_decoder.h"
#include "terminal/terminal_surface.h"

namespace platform::terminal {

// What changed while drawing goes on is sent once an interval; drawing that goes on for
// longer than a whole maze takes goes out once a long interval. A write costs the terminal
// far more than a request costs an X server, so both are longer than X11's.
constexpr auto FlushInterval = std::chrono::microseconds(500);
constexpr auto FlushLongDrawing = std::chrono::milliseconds(4);
constexpr auto FlushLongInterval = std::chrono::milliseconds(8);

class TerminalService {
 public:
  // The session has been entered already; keys go to keyWindow.
  TerminalService(HWND keyWindow, std::shared_ptr<PictureStore> store, int inFd, int outFd);
  ~TerminalService();  // stops the thread; the caller then leaves the session
  TerminalService(const TerminalService&) = delete;
  TerminalService& operator=(const TerminalService&) = delete;

  // Windows to repaint (WM_PAINT of the whole client area) after a resize, and to give the
  // mouse to: the newest one under the pointer; left and top are in the picture.
  void addWindow(HWND hwnd, int left, int top, int width, int height);
  void removeWindow(HWND hwnd);

 private:
  struct PaintTarget {
    HWND hwnd;
    int left, top, width, height;
  };

  void run();
  void layOut(bool repaintWindows);
  // Sends what changed; false when nothing had.
  bool flush();
  void flushIfDue(std::chrono::steady_clock::time_point now);
  bool readInput();
  void deliver(const std::vector<KeyEvent>& keys);
  void deliverMouse(const MouseReport& report);

  HWND keyWindow_;
  std::shared_ptr<PictureStore> store_;
  // The store's picture as the terminal was last brought up to date from it; the service
  // thread's own, so that it encodes outside the drawing lock.
  PixelSurface picture_;
  int inFd_, outFd_;
  KeyDecoder decoder_;
  FlushPacer pacer_{FlushInterval, FlushLongDrawing, FlushLongInterval};
  std::atomic<bool> stop_{false};
  std::mutex windowsMutex_;
  std::vector<PaintTarget> windows_;
  std::thread thread_;
};

}  // namespace platform::terminal
