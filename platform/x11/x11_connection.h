#pragma once
// One connection to the X server, shared by the thread that reads its events (and sends
// what windows drew) and the threads that make and end windows. Every Xlib call on it is
// made under its mutex. Drawing never takes it: the windows' framebuffers are memory. A
// reader that holds it may take a window's drawing lock, never the other way round.
#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <vector>

#include "platform/win_types.h"

namespace platform::x11 {

class X11Window;

struct PixelFormat {
  unsigned long redMask = 0, greenMask = 0, blueMask = 0;
  int redShift = 0, greenShift = 0, blueShift = 0;
  int redBits = 8, greenBits = 8, blueBits = 8;
  unsigned long toPixel(COLORREF c) const;
};

struct Atoms {
  Atom wmProtocols, wmDeleteWindow, netWmName, utf8String, netWmState, netWmStateMaxVert,
      netWmStateMaxHorz, netWorkArea, netFrameExtents, netRequestFrameExtents, netSupportingWmCheck;
};

struct Connection {
  std::mutex mutex;
  Display* display = nullptr;
  int screen = 0;
  Window root = 0;
  Visual* visual = nullptr;
  int depth = 0;
  PixelFormat format;
  Atoms atoms{};
  std::atomic<bool> lost{false};
  std::map<Window, X11Window*> windows;  // under mutex
  int wakeFd = -1;                       // eventfd that wakes the reader
  std::atomic<int> readerThread{0};      // the reader's thread id, once it runs
  std::atomic<int> readerKeptOff{-1};    // the processor the reader may not use
  // Graphics contexts of windows that outlived the server: freeing them would mean a
  // request to it, so they are kept here instead. Under mutex.
  std::vector<GC> abandoned;

  // Requests were queued: the reader flushes them a moment later. Under mutex.
  void markDirty();
  // A window's framebuffer has damage for the reader to look at. From a drawing thread,
  // which the reader must not be queued behind (see x11_backend.cpp); no lock.
  void wakeReaderFromDrawing();
  // About to queue a request of about this many bytes. Xlib writes on its own once its
  // buffer is full; to notice a server that went away before that write instead of in it,
  // the connection is checked and flushed here first. Under mutex; false once lost.
  bool reserve(size_t bytes);
  // Whether the server is still there, without reading or writing through Xlib; marks the
  // connection lost when it is not. Under mutex.
  bool checkAlive();
  size_t queued = 0;   // bytes queued since the last flush, an upper estimate; under mutex
  bool dirty = false;  // under mutex
  std::chrono::steady_clock::time_point flushBy;
};

}  // namespace platform::x11
