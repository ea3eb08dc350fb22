// The browser display: the program runs in a worker, each window's picture is memory that
// the page's main thread reads once an animation frame through bgi_web_frame, and the page
// hands the canvas's key and mouse events in through bgi_web_key and bgi_web_mouse. The page
// shows one window, the newest top-level one.
#include <emscripten/emscripten.h>
#include <emscripten/threading.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "backend.h"
#include "damage.h"
#include "immortal.h"
#include "picture_surface.h"
#include "platform/console.h"

namespace platform::browser {
namespace {

// A window's picture: the framebuffer that drawing writes, and the copy the page reads,
// which only the page's thread writes, from what was presented, under the drawing lock.
// The copy holds the canvas's own pixels (RGBA bytes, opaque), so that the page moves
// whole rows of it into its image without touching each pixel.
struct Picture {
  Picture(int width, int height)
      : framebuffer(width, height), shown(size_t(width) * size_t(height), OpaqueBlack) {}

  // The framebuffer's 0x00BBGGRR values are RGBA bytes in memory but for the alpha byte.
  static constexpr uint32_t Opaque = 0xFF000000u;
  static constexpr uint32_t OpaqueBlack = Opaque;

  // Copies the block (x, y, w, h), which lies inside the window, to the shown pixels.
  void show(const Block& b) {
    for (int r = b.y; r < b.y + b.h; ++r) {
      const uint32_t* in = framebuffer.row(r) + b.x;
      uint32_t* out = shown.data() + size_t(r) * size_t(framebuffer.width()) + b.x;
      for (int i = 0; i < b.w; ++i) out[i] = in[i] | Opaque;
    }
  }

  DrawingLock lock;
  PixelSurface framebuffer;
  Damage damage;
  std::vector<uint32_t> shown;
};

using CanvasSurface = PictureSurface<Picture>;

// The windows the page may show, newest last. When the last one goes (the program closed
// its graphics or ended), the canvas keeps its picture, with what was drawn last, until a
// new window comes: at the end of a program the page goes on showing how it ended.
struct Page {
  std::mutex mutex;
  struct Entry {
    HWND hwnd;
    std::shared_ptr<Picture> picture;
  };
  std::vector<Entry> windows;
  std::shared_ptr<Picture> lastPicture;
};

Page& ThePage() {
  static detail::Immortal<Page> page;
  return page.get();
}

class CanvasWindow : public NativeWindow {
 public:
  explicit CanvasWindow(const WindowSpec& spec)
      : hwnd_(spec.hwnd),
        picture_(std::make_shared<Picture>(spec.clientWidth, spec.clientHeight)),
        surface_(picture_),
        topLevel_(spec.parent == nullptr) {}
  ~CanvasWindow() override {
    Page& p = ThePage();
    std::lock_guard lock(p.mutex);
    std::erase_if(p.windows, [this](const Page::Entry& e) { return e.hwnd == hwnd_; });
    if (p.windows.empty() && topLevel_) p.lastPicture = picture_;
  }
  WindowSurface& surface() override { return surface_; }
  // A child window draws nowhere the page shows; only top-level windows take the canvas.
  void show() override {
    if (!topLevel_) return;
    Page& p = ThePage();
    std::lock_guard lock(p.mutex);
    for (const Page::Entry& e : p.windows)
      if (e.hwnd == hwnd_) return;
    p.windows.push_back({hwnd_, picture_});
    p.lastPicture = nullptr;
  }

 private:
  HWND hwnd_;
  std::shared_ptr<Picture> picture_;
  CanvasSurface surface_;
  bool topLevel_;
};

// The screen is the page's area for the canvas, which the page passes in GRAPHWIN_SCREEN
// as WIDTHxHEIGHT; the page has no frames or caption around the canvas.
ScreenMetrics PageMetrics() {
  ScreenMetrics m;
  m.screenWidth = 1024, m.screenHeight = 768;
  if (const char* size = std::getenv("GRAPHWIN_SCREEN")) {
    int w = 0, h = 0;
    if (std::sscanf(size, "%dx%d", &w, &h) == 2 && w > 0 && h > 0) {
      m.screenWidth = w, m.screenHeight = h;
    }
  }
  m.workWidth = m.screenWidth, m.workHeight = m.screenHeight;
  m.mousePresent = true;
  return m;
}

class BrowserBackend : public Backend {
 public:
  const char* name() const override { return "browser"; }
  std::string displayName() const override { return "the browser page"; }
  ScreenMetrics metrics() override { return metrics_; }
  std::unique_ptr<NativeWindow> createWindow(const WindowSpec& spec) override {
    return std::make_unique<CanvasWindow>(spec);
  }

 private:
  ScreenMetrics metrics_ = PageMetrics();
};

// What the page's thread reads after bgi_web_frame: the shown window's size and pixels
// (opaque RGBA bytes, row after row), and the blocks of it that changed, as x, y, w, h.
struct Frame {
  int width = 0, height = 0;
  const uint32_t* pixels = nullptr;
  int count = 0;
  int blocks[4 * 16] = {};
};

struct FrameState {
  Frame frame;
  std::shared_ptr<Picture> picture;  // keeps frame.pixels valid while the page reads them
  std::vector<Block> taken;
};

std::shared_ptr<Picture> ShownPicture() {
  Page& p = ThePage();
  std::lock_guard lock(p.mutex);
  return p.windows.empty() ? p.lastPicture : p.windows.back().picture;
}

// The window that takes the canvas's keys and mouse; none once the last one went.
HWND ShownWindow() {
  Page& p = ThePage();
  std::lock_guard lock(p.mutex);
  return p.windows.empty() ? nullptr : p.windows.back().hwnd;
}

LPARAM PointParam(int x, int y) {
  return LPARAM((uint32_t(y & 0xFFFF) << 16) | uint32_t(x & 0xFFFF));
}

// Standard output is the page's console panel, which only the page's thread writes. A plain
// write waits until that thread takes it, and the page's thread is at times busy with a
// frame or with input, so a game's turn that prints its time line waited with it. Standard
// output is therefore handed to the page's thread without waiting, in the same queue as the
// program's other calls there (printf, exit), so that the order of everything stays.
// Standard error still waits: its lines come right before a program stops.
void WriteOnPageThread(std::string* text) {
  const std::unique_ptr<std::string> owned(text);
  WriteAllTo(STDOUT_FILENO, *owned);
}

bool WriteWithoutWaiting(std::string_view text, bool toStandardError) {
  if (toStandardError || emscripten_is_main_runtime_thread()) {
    return WriteAllTo(toStandardError ? STDERR_FILENO : STDOUT_FILENO, text);
  }
  auto copy = std::make_unique<std::string>(text);
  emscripten_async_run_in_main_runtime_thread(EM_FUNC_SIG_VI, WriteOnPageThread, copy.release());
  return true;
}

[[maybe_unused]] const bool consoleWriterInstalled = (SetConsoleWriter(WriteWithoutWaiting), true);

}  // namespace
}  // namespace platform::browser

namespace platform {
std::unique_ptr<Backend> MakeBrowserBackend() {
  return std::make_unique<browser::BrowserBackend>();
}
std::unique_ptr<Backend> MakeTerminalBackend() {
  ExplainBackendFailure("a web page draws on its canvas");
  return nullptr;
}
}  // namespace platform

using namespace platform;
using namespace platform::browser;

extern "C" {

// Brings the shown copy up to date with what was presented and says what changed. Never
// waits for the drawing: when the program draws right now, nothing is taken (count 0) and
// the next frame takes it.
EMSCRIPTEN_KEEPALIVE const Frame* bgi_web_frame() {
  static FrameState state;
  Frame& f = state.frame;
  f.count = 0;
  std::shared_ptr<Picture> picture = ShownPicture();
  if (picture == nullptr) {
    state.picture = nullptr;
    f = Frame{};
    return &f;
  }
  std::recursive_timed_mutex* held = picture->lock.tryHold();
  if (held == nullptr) return &f;
  std::lock_guard guard(*held, std::adopt_lock);
  const bool fresh = picture != state.picture;
  const int width = picture->framebuffer.width(), height = picture->framebuffer.height();
  picture->damage.take(state.taken);
  if (fresh || state.taken.size() * 4 > std::size(f.blocks)) {
    state.taken.assign(1, Block{0, 0, width, height});
  }
  for (Block b : state.taken) {
    if (!ClipBlock(width, height, b.x, b.y, b.w, b.h)) continue;
    picture->show(b);
    int* out = f.blocks + 4 * f.count++;
    out[0] = b.x, out[1] = b.y, out[2] = b.w, out[3] = b.h;
  }
  state.picture = picture;
  f.width = width;
  f.height = height;
  f.pixels = picture->shown.data();
  return &f;
}

// The whole shown window waits to be shown again, as if all of it was drawn.
EMSCRIPTEN_KEEPALIVE void bgi_web_damage_all() {
  std::shared_ptr<Picture> picture = ShownPicture();
  if (picture == nullptr) return;
  std::lock_guard held(picture->lock.hold(), std::adopt_lock);
  picture->damage.add(Block{0, 0, picture->framebuffer.width(), picture->framebuffer.height()});
}

// A key of the canvas: down or up, its virtual key, and for a press its character or -1.
EMSCRIPTEN_KEEPALIVE int bgi_web_key(int down, int virtualKey, int character) {
  HWND hwnd = ShownWindow();
  if (hwnd == nullptr) return 0;
  if (down) return DeliverKey(hwnd, WM_KEYDOWN, UINT(virtualKey), character, 1);
  return DeliverKey(hwnd, WM_KEYUP, UINT(virtualKey), -1, LPARAM(0xC0000001u));
}

// A mouse message of the canvas at (x, y), with the buttons held as WPARAM's MK_ bits.
EMSCRIPTEN_KEEPALIVE int bgi_web_mouse(int message, int buttons, int x, int y) {
  HWND hwnd = ShownWindow();
  if (hwnd == nullptr) return 0;
  return DeliverMessage(hwnd, UINT(message), WPARAM(buttons), PointParam(x, y));
}
}
