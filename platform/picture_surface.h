#pragma once
// A window surface over a picture that another thread shows (the in-memory display's reader,
// the browser's page): drawing writes the picture's framebuffer and grows its damage under
// its drawing lock, as on every other display. The picture is shared, so that whoever shows
// it may finish after the window went; it has a `lock` (DrawingLock), a `framebuffer`
// (PixelSurface) and a `damage` (Damage).
#include <memory>
#include <mutex>
#include <utility>

#include "damage.h"
#include "surface.h"

namespace platform {

template <class Picture>
class PictureSurface : public WindowSurface {
 public:
  explicit PictureSurface(std::shared_ptr<Picture> picture)
      : WindowSurface(PixelSurface(picture->framebuffer.width(), picture->framebuffer.height(),
                                   picture->framebuffer.row(0), picture->framebuffer.stride(),
                                   picture->framebuffer.order())),
        picture_(std::move(picture)) {
    keepDamageIn(picture_->damage);
  }
  void drawUnder(std::recursive_timed_mutex& lock) override { picture_->lock.use(lock); }

 private:
  void presentBlock(int x, int y, int w, int h) override {
    if (ClipBlock(width(), height(), x, y, w, h)) picture_->damage.add(Block{x, y, w, h});
  }

  std::shared_ptr<Picture> picture_;
};

}  // namespace platform
