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

#include <vector>

#include "surface.h"
#include "x11/x11_connection.h"

namespace platform::x11 {

// Counts a protocol error the server reports; the shared-memory attach is checked by it.
void NoteProtocolError(const XErrorEvent& error);

class FrameImage {
 public:
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

 private:
  bool attachShared(int width, int height);
  void putConverted(Window window, GC gc, int x, int y, int w, int h);

  Connection& connection_;
  int width_, height_;
  XImage* image_ = nullptr;  // over the pixels, when the server's layout is ours
  XShmSegmentInfo segment_{};
  bool shared_ = false;
  PixelOrder order_ = PixelOrder::Bgr;
  std::vector<uint32_t> memory_;  // the pixels when not shared
};

}  // namespace platform::x11
