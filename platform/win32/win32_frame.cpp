// A native window and its client area as a DIB section, shown with BitBlt.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

#include "damage.h"
#include "win32/win32_native.h"
#include "win32/win32_ui_thread.h"

namespace platform::win32 {
namespace {

constexpr char FrameClass[] = "BgiGraphNativeWindow";

// Windows waits in whole milliseconds, so damage that comes while drawing goes on is looked
// at every millisecond; the first change after a pause goes out at once. Dense drawing
// that goes on for longer than a game's turn goes out every four milliseconds, and its end
// at the first millisecond without a change.
constexpr auto FlushInterval = std::chrono::milliseconds(1);
constexpr auto LongDrawing = std::chrono::milliseconds(4);
constexpr auto LongFlushInterval = std::chrono::milliseconds(4);

class Frame : public NativeFrame, public Flushable {
 public:
  explicit Frame(NativeEvents& events) : events_(events) {}
  ~Frame() override {
    UiThread::get().run([this] {
      UiThread::get().remove(this);
      if (hwnd_ != nullptr) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
      }
      if (memoryDc_ != nullptr) {
        SelectObject(memoryDc_, oldBitmap_);
        DeleteDC(memoryDc_);
      }
      if (bitmap_ != nullptr) DeleteObject(bitmap_);
    });
  }

  // On the UI thread.
  bool make(const NativeSpec& spec) {
    width_ = spec.clientWidth;
    height_ = spec.clientHeight;
    maximised_ = spec.maximised;
    child_ = spec.parent != nullptr;
    if (!makeBitmap()) return false;

    DWORD style = spec.style & ~DWORD(WS_MAXIMIZE | WS_VISIBLE);
    // A picture has one size: a window that is not maximised keeps it.
    if (!child_ && !maximised_) style &= ~DWORD(WS_THICKFRAME | WS_MAXIMIZEBOX);
    RECT outer{0, 0, width_, height_};
    if (!child_) AdjustWindowRectEx(&outer, style, FALSE, 0);
    static const bool registered = registerFrameClass();
    if (!registered) return false;
    const int x = spec.useDefaultPosition ? CW_USEDEFAULT : spec.x;
    const int y = spec.useDefaultPosition ? CW_USEDEFAULT : spec.y;
    HWND parent = child_ ? static_cast<Frame*>(spec.parent)->hwnd_ : nullptr;
    hwnd_ =
        CreateWindowExA(0, FrameClass, spec.title.c_str(), style, x, y, outer.right - outer.left,
                        outer.bottom - outer.top, parent, nullptr, GetModuleHandleA(nullptr), this);
    if (hwnd_ == nullptr) return false;
    UiThread::get().add(this);
    return true;
  }

  uint32_t* pixels() override { return bits_; }
  int width() const override { return width_; }
  int height() const override { return height_; }
  void show() override {
    UiThread::get().run([this] {
      ShowWindow(hwnd_, child_ ? SW_SHOW : maximised_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
      if (!child_) SetForegroundWindow(hwnd_);
    });
  }
  void present(int x, int y, int w, int h) override {
    if (damage_.add(Block{x, y, w, h})) UiThread::get().wake();
  }
  void drawUnder(std::recursive_timed_mutex& lock) override { lock_.use(lock); }
  Damage& damage() override { return damage_; }

  // The rest on the UI thread.
  std::optional<Clock::time_point> nextLook(Clock::time_point now) const override {
    if (const auto at = pacer_.next()) return at;
    // The pacer is idle: damage that waits goes out at once.
    return damage_.pending() ? std::optional(now) : std::nullopt;
  }

  void flushIfDue(Clock::time_point now) override {
    if (!pacer_.due(now, damage_.changes())) return;
    if (!pacer_.next() && !damage_.pending()) return;  // idle, and nothing came
    std::recursive_timed_mutex& lock = lock_.hold();
    damage_.take(blocks_);
    const uint64_t changes = damage_.changes();
    if (blocks_.empty()) {
      // A whole interval without drawing: the next change goes out as soon as it comes.
      pacer_.idle();
      lock.unlock();
      return;
    }
    // A DC of this flush's own: one that other threads may also use (a class DC) could be
    // busy, and a copy to it would then be lost.
    HDC dc = GetDC(hwnd_);
    for (const Block& b : blocks_) BitBlt(dc, b.x, b.y, b.w, b.h, memoryDc_, b.x, b.y, SRCCOPY);
    ReleaseDC(hwnd_, dc);
    // GDI may batch the copies; they must have read the pixels before drawing goes on.
    GdiFlush();
    lock.unlock();
    pacer_.sent(now, changes);
  }

  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        const RECT r = ps.rcPaint;
        std::recursive_timed_mutex& lock = lock_.hold();
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memoryDc_, r.left, r.top,
               SRCCOPY);
        GdiFlush();
        lock.unlock();
        EndPaint(hwnd_, &ps);
        // The window's owner paints it too, as it does wherever the display lost a part.
        if (r.right > r.left && r.bottom > r.top) events_.exposed(r.left, r.top, r.right, r.bottom);
        return 0;
      }
      case WM_ERASEBKGND:
        return 1;  // the paint covers it all; erasing first would flicker
      case WM_CLOSE:
        events_.message(WM_CLOSE, 0, 0);  // the owner decides; the window stays until then
        return 0;
      case WM_KEYDOWN:
      case WM_KEYUP:
        events_.key(msg, UINT(wParam), lParam);
        return 0;
      case WM_SYSKEYDOWN:
      case WM_SYSKEYUP:
        events_.key(msg, UINT(wParam), lParam);
        // Alt alone and F10 would put the window in menu mode, which swallows the next keys
        // of a window that has no menu; Alt+F4 and the rest keep their system meaning.
        if (wParam == VK_MENU || wParam == VK_F10) return 0;
        break;
      case WM_CHAR:
        events_.message(msg, wParam, lParam);
        return 0;
      case WM_SYSCHAR:
        events_.message(msg, wParam, lParam);
        if (wParam != ' ') return 0;  // no menu to pick from; only Alt+Space opens one
        break;
      case WM_MOUSEMOVE:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDOWN:
      case WM_RBUTTONUP:
      case WM_RBUTTONDBLCLK:
      case WM_MBUTTONDOWN:
      case WM_MBUTTONUP:
      case WM_MBUTTONDBLCLK:
        events_.message(msg, wParam, lParam);
        return 0;
      default:
        break;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
  }

  static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      auto* frame = static_cast<Frame*>(create->lpCreateParams);
      frame->hwnd_ = hwnd;
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    }
    auto* frame = reinterpret_cast<Frame*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (frame == nullptr) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return frame->handle(msg, wParam, lParam);
  }

 private:
  static bool registerFrameClass() {
    WNDCLASSEXA frameClass{};
    frameClass.cbSize = sizeof frameClass;
    frameClass.style = CS_DBLCLKS;
    frameClass.lpfnWndProc = windowProc;
    frameClass.hInstance = GetModuleHandleA(nullptr);
    frameClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    frameClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    frameClass.lpszClassName = FrameClass;
    return RegisterClassExA(&frameClass) != 0;
  }

  // A top-down DIB of 32-bit pixels: in memory each is the bytes B, G, R and one unused,
  // the value 0x00RRGGBB. Windows makes it black.
  bool makeBitmap() {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr || bits == nullptr) return false;
    bits_ = static_cast<uint32_t*>(bits);
    memoryDc_ = CreateCompatibleDC(nullptr);
    if (memoryDc_ == nullptr) return false;
    oldBitmap_ = SelectObject(memoryDc_, bitmap_);
    return true;
  }

  NativeEvents& events_;
  HWND hwnd_ = nullptr;
  HDC memoryDc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
  bool maximised_ = false, child_ = false;

  DrawingLock lock_;
  Damage damage_;
  // UI thread only.
  std::vector<Block> blocks_;
  FlushPacer pacer_{FlushInterval, LongDrawing, LongFlushInterval};
};

}  // namespace

std::unique_ptr<NativeFrame> NativeFrame::create(const NativeSpec& spec, NativeEvents& events) {
  auto frame = std::make_unique<Frame>(events);
  bool made = false;
  UiThread::get().run([&] { made = frame->make(spec); });
  if (!made) return nullptr;
  return frame;
}

}  // namespace platform::win32
