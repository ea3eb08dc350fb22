#pragma once
// The cheapest way to put a whole picture on an X server: one full-frame XShmPutImage onto
// a window of its own, then XSync. A yardstick for the window driver's X11 output.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstring>

class ShmFrame {
 public:
  ShmFrame(Display* d, int width, int height) : d_(d), width_(width), height_(height) {
    const int screen = DefaultScreen(d);
    window_ = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, unsigned(width), unsigned(height),
                                  0, 0, 0);
    gc_ = XCreateGC(d, window_, 0, nullptr);
    XMapWindow(d, window_);
    if (!XShmQueryExtension(d)) return;
    image_ = XShmCreateImage(d, DefaultVisual(d, screen), unsigned(DefaultDepth(d, screen)),
                             ZPixmap, nullptr, &info_, unsigned(width), unsigned(height));
    if (image_ == nullptr) return;
    const size_t bytes = size_t(image_->bytes_per_line) * size_t(height);
    info_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (info_.shmid < 0) return;
    info_.shmaddr = image_->data = static_cast<char*>(shmat(info_.shmid, nullptr, 0));
    info_.readOnly = False;
    for (size_t i = 0; i < bytes; ++i) image_->data[i] = char(i * 31);
    attached_ = XShmAttach(d, &info_);
    XSync(d, False);
    shmctl(info_.shmid, IPC_RMID, nullptr);
  }
  ~ShmFrame() {
    if (attached_) XShmDetach(d_, &info_);
    if (info_.shmaddr != nullptr) shmdt(info_.shmaddr);
    if (image_ != nullptr) {
      image_->data = nullptr;
      XDestroyImage(image_);
    }
    XDestroyWindow(d_, window_);
    XSync(d_, False);
  }
  ShmFrame(const ShmFrame&) = delete;
  ShmFrame& operator=(const ShmFrame&) = delete;

  bool ok() const { return attached_; }
  // Puts the whole frame and waits until the server has it.
  void putAndSync() {
    XShmPutImage(d_, window_, gc_, image_, 0, 0, 0, 0, unsigned(width_), unsigned(height_), False);
    XSync(d_, False);
  }

 private:
  Display* d_;
  int width_, height_;
  Window window_ = 0;
  GC gc_ = nullptr;
  XImage* image_ = nullptr;
  XShmSegmentInfo info_{};
  bool attached_ = false;
};
