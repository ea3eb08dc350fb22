#pragma once
// The memory of a window's framebuffer as the X server reads it: an MIT-SHM image where
// the server can attach this process's shared memory (XShmPutImage sends a block as one
// small request), else an image in this process's memory that XPutImage sends. Where the
// server's pixels are not 32-bit values with 8 bits a colour, the framebuffer keeps
// COLORREFs and the blocks sent are converted on the way.
//
// GRAPHWIN_X11_NO_SHM (set, to anything but 0) keeps shared memory out, as on a remote
// server.
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <deque>
#include <vector>

#include "damage.h"
#include "surface.h"
#include "x11/x11_connection.h"

namespace platform::x11 {

// Counts a protocol error the server reports; the shared-memory attach is checked by it.
void NoteProtocolError(const XErrorEvent& error);

class FrameImage {
 public:
  // Blocks put that the server may leave unread before the oldest are forgotten.
  static constexpr size_t MostUnread = 4096;

  // Under the connection's mutex. Never fails: without shared memory, the pixels live here.
  FrameImage(Connection& connection, int width, int height);
  ~FrameImage();  // under the connection's mutex
  FrameImage(const FrameImage&) = delete;
  FrameImage& operator=(const FrameImage&) = delete;

  // A store on the image's memory.
  PixelSurface view();
  // Whether the server reads the pixels itself: then put needs no drawing lock.
  bool shared() const { return shared_; }
  // Sends the block to the window. Under the connection's mutex, and under the drawing
  // lock unless shared().
  void put(Window window, GC gc, int x, int y, int w, int h);
  // Whether event is the server's word that it has read the oldest block put from shared
  // memory: that block's lines then leave every cache (cache_lines.h). Under the
  // connection's mutex.
  bool noteRead(const XEvent& event);
  // Blocks put from shared memory that the server has not yet read. Under the connection's
  // mutex.
  size_t unread() const { return unread_.size(); }

 private:
  bool attachShared(int width, int height);
  void putConverted(Window window, GC gc, int x, int y, int w, int h);

  Connection& connection_;
  int width_, height_;
  XImage* image_ = nullptr;  // over the pixels, when the server's layout is ours
  XShmSegmentInfo segment_{};
  bool shared_ = false;
  int completionEvent_ = -1;  // the event type of the server's word that it read a block
  std::deque<Block> unread_;  // put from shared memory, oldest first
  PixelOrder order_ = PixelOrder::Bgr;
  std::vector<uint32_t> memory_;  // the pixels when not shared
};

}  // namespace platform::x11
