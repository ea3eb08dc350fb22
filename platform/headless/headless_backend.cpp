// The in-memory display: each window's picture is memory that goes through the drawing lock
// and the damage as on every other display; input comes from the test API, or from the
// environment for a whole program (headless_environment.h).
#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "damage.h"
#include "headless/headless_environment.h"
#include "headless/headless_snapshot.h"
#include "picture_surface.h"
#include "platform/headless/headless.h"
#include "window_state.h"

namespace platform::headless {
namespace {

// A window's picture: the framebuffer that drawing writes, and the picture the display
// shows, which only what was presented brings up to date, under the drawing lock, when a
// reader of the test entry looks. Shared by the window and such a reader, which may finish
// reading after the window went.
struct Picture {
  Picture(int width, int height) : framebuffer(width, height), shown(width, height) {}

  // Under lock: the presented blocks go from the framebuffer onto the shown picture.
  void showDamageLocked() {
    damage.take(blocks);
    for (const Block& b : blocks) shown.copyFrom(framebuffer, b.x, b.y, b.w, b.h);
  }

  DrawingLock lock;
  PixelSurface framebuffer;
  Damage damage;
  PixelSurface shown;
  std::vector<Block> blocks;  // kept to spare an allocation a look
};

using MemorySurface = PictureSurface<Picture>;

class MemoryWindow;

struct Display {
  std::mutex mutex;
  ScreenMetrics metrics = DefaultMetrics();
  bool failCreation = false;
  std::vector<MemoryWindow*> windows;
};

Display& TheDisplay() {
  static detail::Immortal<Display> display;
  return display.get();
}

class MemoryWindow : public NativeWindow {
 public:
  explicit MemoryWindow(const WindowSpec& spec)
      : picture_(std::make_shared<Picture>(spec.clientWidth, spec.clientHeight)),
        surface_(picture_) {
    info_.hwnd = spec.hwnd;
    info_.title = spec.title;
    info_.className = spec.className;
    info_.style = spec.style;
    info_.x = spec.x;
    info_.y = spec.y;
    info_.width = spec.clientWidth;
    info_.height = spec.clientHeight;
    info_.maximised = spec.maximised;
    if (spec.parent != nullptr) info_.parent = static_cast<MemoryWindow*>(spec.parent)->info_.hwnd;
    Display& d = TheDisplay();
    std::lock_guard lock(d.mutex);
    d.windows.push_back(this);
  }
  ~MemoryWindow() override {
    {
      Display& d = TheDisplay();
      std::lock_guard lock(d.mutex);
      std::erase(d.windows, this);
    }
    SavePictureIfAsked(lastPicture());
  }
  WindowSurface& surface() override { return surface_; }
  void show() override {
    Display& d = TheDisplay();
    std::lock_guard lock(d.mutex);
    info_.shown = true;
  }
  // Under the display's lock.
  const WindowInfo& info() const { return info_; }
  const std::shared_ptr<Picture>& picture() const { return picture_; }

 private:
  // What the window shows as it goes, with what was presented last.
  PixelSurface lastPicture() {
    std::lock_guard held(picture_->lock.hold(), std::adopt_lock);
    picture_->showDamageLocked();
    return picture_->shown;
  }

  std::shared_ptr<Picture> picture_;
  MemorySurface surface_;
  WindowInfo info_;
};

class MemoryBackend : public Backend {
 public:
  const char* name() const override { return "headless"; }
  std::string displayName() const override { return "the in-memory display"; }
  ScreenMetrics metrics() override {
    Display& d = TheDisplay();
    std::lock_guard lock(d.mutex);
    return d.metrics;
  }
  std::unique_ptr<NativeWindow> createWindow(const WindowSpec& spec) override {
    {
      Display& d = TheDisplay();
      std::lock_guard lock(d.mutex);
      if (d.failCreation) return nullptr;
    }
    StartKeyScriptOnce();
    return std::make_unique<MemoryWindow>(spec);
  }
};

// Under the display's lock.
MemoryWindow* FindLocked(Display& d, HWND hwnd) {
  for (MemoryWindow* w : d.windows)
    if (w->info().hwnd == hwnd) return w;
  return nullptr;
}

bool Exists(HWND hwnd) {
  Display& d = TheDisplay();
  std::lock_guard lock(d.mutex);
  return FindLocked(d, hwnd) != nullptr;
}

LPARAM PointParam(int x, int y) {
  return LPARAM((uint32_t(y & 0xFFFF) << 16) | uint32_t(x & 0xFFFF));
}

}  // namespace

bool UseHeadless() {
  if (InstallBackend(MakeHeadlessBackend())) return true;
  Backend* current = CurrentBackend();
  return current != nullptr && std::strcmp(current->name(), "headless") == 0;
}

ScreenMetrics DefaultMetrics() {
  ScreenMetrics m;
  m.screenWidth = 1920;
  m.screenHeight = 1080;
  m.workWidth = 1920;
  m.workHeight = 1040;
  m.frameX = m.frameY = 4;
  m.caption = 23;
  m.mousePresent = true;
  return m;
}

void SetMetrics(const ScreenMetrics& metrics) {
  Display& d = TheDisplay();
  std::lock_guard lock(d.mutex);
  d.metrics = metrics;
}

ScreenMetrics Metrics() {
  Display& d = TheDisplay();
  std::lock_guard lock(d.mutex);
  return d.metrics;
}

void FailWindowCreation(bool fail) {
  Display& d = TheDisplay();
  std::lock_guard lock(d.mutex);
  d.failCreation = fail;
}

std::vector<HWND> Windows() {
  Display& d = TheDisplay();
  std::lock_guard lock(d.mutex);
  std::vector<HWND> handles;
  for (MemoryWindow* w : d.windows) handles.push_back(w->info().hwnd);
  return handles;
}

HWND LastWindow() {
  Display& d = TheDisplay();
  std::lock_guard lock(d.mutex);
  return d.windows.empty() ? nullptr : d.windows.back()->info().hwnd;
}

std::optional<WindowInfo> Info(HWND hwnd) {
  Display& d = TheDisplay();
  std::lock_guard lock(d.mutex);
  MemoryWindow* w = FindLocked(d, hwnd);
  if (w == nullptr) return std::nullopt;
  return w->info();
}

namespace {

// The window's picture; nullptr when the window is gone.
std::shared_ptr<Picture> PictureOf(HWND hwnd) {
  Display& d = TheDisplay();
  std::lock_guard lock(d.mutex);
  MemoryWindow* w = FindLocked(d, hwnd);
  return w == nullptr ? nullptr : w->picture();
}

}  // namespace

PixelSurface Snapshot(HWND hwnd) {
  const std::shared_ptr<Picture> picture = PictureOf(hwnd);
  if (picture == nullptr) return PixelSurface(0, 0);
  std::lock_guard held(picture->lock.hold(), std::adopt_lock);
  picture->showDamageLocked();
  return picture->shown;
}

std::optional<COLORREF> Pixel(HWND hwnd, int x, int y) {
  const std::shared_ptr<Picture> picture = PictureOf(hwnd);
  if (picture == nullptr || !picture->shown.contains(x, y)) return std::nullopt;
  std::lock_guard held(picture->lock.hold(), std::adopt_lock);
  picture->showDamageLocked();
  return picture->shown.pixel(x, y);
}

bool KeyDown(HWND hwnd, UINT virtualKey, int character) {
  return Exists(hwnd) && DeliverKey(hwnd, WM_KEYDOWN, virtualKey, character, 1);
}

bool KeyUp(HWND hwnd, UINT virtualKey) {
  return Exists(hwnd) && DeliverKey(hwnd, WM_KEYUP, virtualKey, -1, LPARAM(0xC0000001u));
}

bool MouseButton(HWND hwnd, UINT msg, int x, int y) {
  WPARAM buttons = 0;
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) buttons = 0x0001;
  if (msg == WM_RBUTTONDOWN || msg == WM_RBUTTONDBLCLK) buttons = 0x0002;
  if (msg == WM_MBUTTONDOWN || msg == WM_MBUTTONDBLCLK) buttons = 0x0010;
  return Exists(hwnd) && DeliverMessage(hwnd, msg, buttons, PointParam(x, y));
}

bool MouseMove(HWND hwnd, int x, int y) {
  return Exists(hwnd) && DeliverMessage(hwnd, WM_MOUSEMOVE, 0, PointParam(x, y));
}

bool Close(HWND hwnd) {
  return Exists(hwnd) && DeliverMessage(hwnd, WM_CLOSE, 0, 0);
}

bool Expose(HWND hwnd, const RECT& rect) {
  return Exists(hwnd) && InvalidateClient(hwnd, rect);
}

void LoseDisplay() {
  DisplayLost();
}

}  // namespace platform::headless

namespace platform {
std::unique_ptr<Backend> MakeHeadlessBackend() {
  return std::make_unique<headless::MemoryBackend>();
}
}  // namespace platform
