// The Windows desktop as a backend of the window core: each window of the core is a real
// window on the backend's UI thread, its surface that window's DIB section, and what Windows
// reports for it reaches the core as it was sent (key messages with their lParam, the
// WM_CHAR and WM_SYSCHAR of the real TranslateMessage).
//
// Why a backend, and not the core's Windows names resolving to the real ones: the driver
// and the key buffer are written against the core's reduced Windows (a device context is a
// pixel surface, a thread's queue is the core's own), and the real names would have needed
// a second copy of the driver's painting and of its message loop. Behind the backend
// interface the driver, the key buffer, the layer and the game are the same sources on
// both systems, and only this folder knows Windows: it makes real windows with the real
// RegisterClass and CreateWindowEx, runs the real GetMessage / TranslateMessage /
// DispatchMessage loop for them, paints with BeginPaint, BitBlt and EndPaint, and asks the
// real GetSystemMetrics, GetTickCount, GetLocalTime and MessageBox.
#include <memory>
#include <string>

#include "backend.h"
#include "win32/win32_native.h"

namespace platform {
namespace {

using win32::NativeFrame;

class Win32Surface : public WindowSurface {
 public:
  explicit Win32Surface(NativeFrame& frame)
      : WindowSurface(PixelSurface(frame.width(), frame.height(), frame.pixels(), frame.width(),
                                   PixelOrder::Rgb)),
        frame_(frame) {
    keepDamageIn(frame.damage());
  }
  void drawUnder(std::recursive_timed_mutex& lock) override { frame_.drawUnder(lock); }

 private:
  void presentBlock(int x, int y, int w, int h) override {
    if (ClipBlock(width(), height(), x, y, w, h)) frame_.present(x, y, w, h);
  }

  NativeFrame& frame_;
};

class Win32Window : public NativeWindow, public win32::NativeEvents {
 public:
  explicit Win32Window(HWND hwnd) : hwnd_(hwnd) {}
  // The native window goes first, so that nothing is delivered for a window being destroyed.
  ~Win32Window() override {
    surface_.reset();
    frame_.reset();
  }

  bool make(const WindowSpec& spec) {
    win32::NativeSpec native;
    native.title = spec.title;
    native.style = spec.style;
    native.useDefaultPosition = spec.x == CW_USEDEFAULT;
    native.x = spec.x;
    native.y = spec.y;
    native.clientWidth = spec.clientWidth;
    native.clientHeight = spec.clientHeight;
    native.maximised = spec.maximised;
    if (spec.parent != nullptr)
      native.parent = static_cast<Win32Window*>(spec.parent)->frame_.get();
    frame_ = NativeFrame::create(native, *this);
    if (frame_ == nullptr) return false;
    surface_ = std::make_unique<Win32Surface>(*frame_);
    return true;
  }

  WindowSurface& surface() override { return *surface_; }
  void show() override { frame_->show(); }

  void key(uint32_t message, uint32_t virtualKey, intptr_t lParam) override {
    // No character: the real TranslateMessage sends the WM_CHAR that belongs to the key.
    DeliverKey(hwnd_, message, virtualKey, -1, lParam);
  }
  void message(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    DeliverMessage(hwnd_, message, wParam, lParam);
  }
  void exposed(int left, int top, int right, int bottom) override {
    InvalidateClient(hwnd_, RECT{left, top, right, bottom});
  }

 private:
  HWND hwnd_;
  std::unique_ptr<NativeFrame> frame_;
  std::unique_ptr<Win32Surface> surface_;
};

class Win32Backend : public Backend {
 public:
  const char* name() const override { return "win32"; }
  std::string displayName() const override { return "the Windows desktop"; }
  ScreenMetrics metrics() override { return win32::ReadDesktopMetrics(); }
  std::unique_ptr<NativeWindow> createWindow(const WindowSpec& spec) override {
    auto window = std::make_unique<Win32Window>(spec.hwnd);
    if (!window->make(spec)) return nullptr;
    return window;
  }
  bool messageBox(const std::string& text, const std::string& caption) override {
    win32::ShowMessageBox(text, caption);
    return true;
  }
};

}  // namespace

std::unique_ptr<Backend> MakeWin32Backend() {
  return std::make_unique<Win32Backend>();
}

}  // namespace platform
