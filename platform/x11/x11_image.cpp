#include "x11/x11_image.h"

#include "x11/cache_lines.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace platform::x11 {
namespace {

// The MIT-SHM request code of the attach under way and the errors seen with that code.
std::atomic<int> shmRequestCode{-1};
std::atomic<unsigned> shmErrors{0};

bool SharedMemoryWanted() {
  const char* off = std::getenv("GRAPHWIN_X11_NO_SHM");
  return off == nullptr || *off == '\0' || std::strcmp(off, "0") == 0;
}

// The order of stored values that the server reads as they are, if there is one.
std::optional<PixelOrder> OrderOf(const XImage& image, int width) {
  const bool littleEndian = std::endian::native == std::endian::little;
  if (image.bits_per_pixel != 32 || image.bytes_per_line != 4 * width ||
      (image.byte_order == LSBFirst) != littleEndian)
    return std::nullopt;
  if (image.red_mask == 0xFF0000 && image.green_mask == 0xFF00 && image.blue_mask == 0xFF)
    return PixelOrder::Rgb;
  if (image.red_mask == 0xFF && image.green_mask == 0xFF00 && image.blue_mask == 0xFF0000)
    return PixelOrder::Bgr;
  return std::nullopt;
}

void DestroyImage(XImage* image) {
  image->data = nullptr;  // the pixels belong to someone else
  XDestroyImage(image);
}

}  // namespace

void NoteProtocolError(const XErrorEvent& error) {
  if (int(error.request_code) == shmRequestCode.load()) shmErrors.fetch_add(1);
}

FrameImage::FrameImage(Connection& connection, int width, int height)
    : connection_(connection), width_(std::max(width, 0)), height_(std::max(height, 0)) {
  if (width_ == 0 || height_ == 0) return;
  if (SharedMemoryWanted() && attachShared(width_, height_)) return;
  memory_.assign(size_t(width_) * size_t(height_), 0);
  image_ = XCreateImage(connection_.display, connection_.visual, unsigned(connection_.depth),
                        ZPixmap, 0, nullptr, unsigned(width_), unsigned(height_), 32, 0);
  if (image_ == nullptr) return;
  if (const auto order = OrderOf(*image_, width_)) {
    order_ = *order;
    image_->data = reinterpret_cast<char*>(memory_.data());
  } else {
    DestroyImage(image_);  // another layout: the blocks are converted as they are sent
    image_ = nullptr;
  }
}

bool FrameImage::attachShared(int width, int height) {
  Display* d = connection_.display;
  int code, firstEvent, firstError;
  if (!connection_.reserve(64) || !XQueryExtension(d, "MIT-SHM", &code, &firstEvent, &firstError) ||
      !XShmQueryExtension(d))
    return false;
  XImage* image = XShmCreateImage(d, connection_.visual, unsigned(connection_.depth), ZPixmap,
                                  nullptr, &segment_, unsigned(width), unsigned(height));
  if (image == nullptr) return false;
  const auto order = OrderOf(*image, width);
  segment_.shmid =
      order ? shmget(IPC_PRIVATE, size_t(image->bytes_per_line) * size_t(height), IPC_CREAT | 0600)
            : -1;
  void* memory =
      segment_.shmid < 0 ? reinterpret_cast<void*>(-1) : shmat(segment_.shmid, nullptr, 0);
  if (memory == reinterpret_cast<void*>(-1)) {
    if (segment_.shmid >= 0) shmctl(segment_.shmid, IPC_RMID, nullptr);
    DestroyImage(image);
    return false;
  }
  segment_.shmaddr = image->data = static_cast<char*>(memory);
  segment_.readOnly = False;
  shmRequestCode = code;
  const unsigned errorsBefore = shmErrors.load();
  const bool sent = XShmAttach(d, &segment_);
  XSync(d, False);
  shmRequestCode = -1;
  // The server has attached it (or failed to): from here on the segment goes away when both
  // sides let go of it, however this process ends.
  shmctl(segment_.shmid, IPC_RMID, nullptr);
  connection_.queued = 0;
  connection_.markDirty();  // the sync may have read events into Xlib's queue for the reader
  if (!sent || connection_.lost || shmErrors.load() != errorsBefore) {
    shmdt(memory);  // a remote server, or one that may not attach it
    DestroyImage(image);
    return false;
  }
  image_ = image;
  shared_ = true;
  completionEvent_ = XShmGetEventBase(d) + ShmCompletion;
  order_ = *order;
  return true;
}

FrameImage::~FrameImage() {
  if (shared_) {
    // The server lets go of it after the blocks it was sent before.
    if (connection_.reserve(16)) XShmDetach(connection_.display, &segment_);
    shmdt(segment_.shmaddr);
  }
  if (image_ != nullptr) DestroyImage(image_);
}

PixelSurface FrameImage::view() {
  uint32_t* memory = shared_ ? reinterpret_cast<uint32_t*>(image_->data) : memory_.data();
  return PixelSurface(width_, height_, memory, width_, order_);
}

void FrameImage::put(Window window, GC gc, int x, int y, int w, int h) {
  if (!ClipBlock(width_, height_, x, y, w, h)) return;
  Display* d = connection_.display;
  if (shared_) {
    if (!connection_.reserve(64)) return;
    // With the server's word once it has read the block.
    XShmPutImage(d, window, gc, image_, x, y, x, y, unsigned(w), unsigned(h), True);
    // A server that stopped answering must not make the list grow without end.
    if (unread_.size() == MostUnread) unread_.pop_front();
    unread_.push_back(Block{x, y, w, h});
  } else if (image_ != nullptr) {
    if (connection_.reserve(size_t(w) * size_t(h) * 4 + 64))
      XPutImage(d, window, gc, image_, x, y, x, y, unsigned(w), unsigned(h));
  } else {
    putConverted(window, gc, x, y, w, h);
  }
}

bool FrameImage::noteRead(const XEvent& event) {
  if (!shared_ || event.type != completionEvent_) return false;
  if (unread_.empty()) return true;
  const Block b = unread_.front();
  unread_.pop_front();
  const PixelSurface pixels = view();
  for (int y = b.y; y < b.y + b.h; ++y) DropFromCaches(pixels.row(y) + b.x, size_t(b.w) * 4);
  return true;
}

void FrameImage::putConverted(Window window, GC gc, int x, int y, int w, int h) {
  if (!connection_.reserve(size_t(w) * size_t(h) * 4 + 64)) return;
  Display* d = connection_.display;
  XImage* image = XCreateImage(d, connection_.visual, unsigned(connection_.depth), ZPixmap, 0,
                               nullptr, unsigned(w), unsigned(h), 32, 0);
  if (image == nullptr) return;
  std::vector<char> data(size_t(image->bytes_per_line) * size_t(h));
  image->data = data.data();
  const PixelFormat& f = connection_.format;
  for (int row = 0; row < h; ++row) {
    const uint32_t* in = memory_.data() + size_t(y + row) * size_t(width_) + size_t(x);
    for (int i = 0; i < w; ++i) XPutPixel(image, i, row, f.toPixel(in[i]));
  }
  XPutImage(d, window, gc, image, 0, 0, x, y, unsigned(w), unsigned(h));
  DestroyImage(image);
}

}  // namespace platform::x11
