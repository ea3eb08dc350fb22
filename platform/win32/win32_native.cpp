// The Win32 backend's Windows side: the UI thread with the real message loop, the native
// windows, and their client areas as DIB sections shown with BitBlt.
#include "platform/win32/win32_native.h"

#include <windows.h>
// After windows.h, which it needs.
#include <timeapi.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <thread>
#include <vector>

#include "platform/damage.h"
#include "platform/immortal.h"

namespace platform::win32 {
namespace {

using Clock = std::chrono::steady_clock;

// The backend's own messages, to the control window.
constexpr UINT kRun = WM_APP + 1;   // run the std::function<void()> at lParam
constexpr UINT kWake = WM_APP + 2;  // damage waits to be shown
constexpr UINT_PTR kFlushTimerId = 1;

constexpr char kFrameClass[] = "BgiGraphNativeWindow";
constexpr char kControlClass[] = "BgiGraphNativeControl";

// Windows waits in whole milliseconds, so damage is looked at every millisecond: it is shown
// at most two after the drawing pauses and at least every four while it goes on. The first
// change after a pause goes out at once, so that a single drawing call is seen at once.
constexpr auto kFlushQuiet = std::chrono::milliseconds(1);
constexpr auto kFlushLatest = std::chrono::milliseconds(4);

class Frame;

// The thread that owns every native window. It starts at the first use and runs until the
// process ends, as the windows it owns may.
class UiThread {
 public:
  UiThread() {
    std::promise<void> started;
    std::future<void> ready = started.get_future();
    std::thread([this, &started] { Loop(started); }).detach();
    ready.wait();
  }

  // Runs task on the UI thread and returns when it is done.
  void run(const std::function<void()>& task) {
    if (GetCurrentThreadId() == id_) {
      task();
      return;
    }
    SendMessageA(control_, kRun, 0, reinterpret_cast<LPARAM>(&task));
  }
  // From any thread, also under the drawing lock: never waits.
  void wake() { PostMessageA(control_, kWake, 0, 0); }

  // UI thread only.
  void add(Frame* frame) { frames_.push_back(frame); }
  void remove(Frame* frame) { std::erase(frames_, frame); }
  void service();

 private:
  static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void Loop(std::promise<void>& started);
  std::optional<Clock::time_point> nextLook(Clock::time_point now) const;

  HWND control_ = nullptr;
  DWORD id_ = 0;
  std::vector<Frame*> frames_;
  bool timerOn_ = false;
};

UiThread& Ui() {
  static detail::Immortal<UiThread> ui;
  return ui.get();
}

class Frame : public NativeFrame {
 public:
  explicit Frame(NativeEvents& events) : events_(events) {}
  ~Frame() override {
    Ui().run([this] {
      Ui().remove(this);
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
  bool Make(const NativeSpec& spec) {
    width_ = spec.clientWidth;
    height_ = spec.clientHeight;
    maximised_ = spec.maximised;
    child_ = spec.parent != nullptr;
    if (!MakeBitmap()) return false;

    DWORD style = spec.style & ~DWORD(WS_MAXIMIZE | WS_VISIBLE);
    // A picture has one size: a window that is not maximised keeps it.
    if (!child_ && !maximised_) style &= ~DWORD(WS_THICKFRAME | WS_MAXIMIZEBOX);
    RECT outer{0, 0, width_, height_};
    if (!child_) AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int x = spec.useDefaultPosition ? CW_USEDEFAULT : spec.x;
    const int y = spec.useDefaultPosition ? CW_USEDEFAULT : spec.y;
    HWND parent = child_ ? static_cast<Frame*>(spec.parent)->hwnd_ : nullptr;
    hwnd_ =
        CreateWindowExA(0, kFrameClass, spec.title.c_str(), style, x, y, outer.right - outer.left,
                        outer.bottom - outer.top, parent, nullptr, GetModuleHandleA(nullptr), this);
    if (hwnd_ == nullptr) return false;
    Ui().add(this);
    return true;
  }

  uint32_t* pixels() override { return bits_; }
  int width() const override { return width_; }
  int height() const override { return height_; }
  void show() override {
    Ui().run([this] {
      ShowWindow(hwnd_, child_ ? SW_SHOW : maximised_ ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
      if (!child_) SetForegroundWindow(hwnd_);
    });
  }
  void present(int x, int y, int w, int h) override {
    if (damage_.add(Block{x, y, w, h})) Ui().wake();
  }
  void drawUnder(BriefLock& lock) override { lock_.use(lock); }

  // The rest on the UI thread.
  std::optional<Clock::time_point> nextLook(Clock::time_point now) const {
    if (!damage_.pending()) return std::nullopt;
    return watching_ ? lookAt_ : now;
  }

  void flushIfDue(Clock::time_point now) {
    if (!damage_.pending()) return;
    BriefLock& lock = lock_.hold();
    if (!due(now)) {
      lock.unlock();
      return;
    }
    damage_.take(blocks_);
    // A DC of this flush's own: one that other threads may also use (a class DC) could be
    // busy, and a copy to it would then be lost.
    HDC dc = GetDC(hwnd_);
    for (const Block& b : blocks_) BitBlt(dc, b.x, b.y, b.w, b.h, memoryDc_, b.x, b.y, SRCCOPY);
    ReleaseDC(hwnd_, dc);
    // GDI may batch the copies; they must have read the pixels before drawing goes on.
    GdiFlush();
    lock.unlock();
    lastSent_ = now;
    watching_ = false;
  }

  LRESULT handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        const RECT r = ps.rcPaint;
        BriefLock& lock = lock_.hold();
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

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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
  // A top-down DIB of 32-bit pixels: in memory each is the bytes B, G, R and one unused,
  // the value 0x00RRGGBB. Windows makes it black.
  bool MakeBitmap() {
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

  // Whether the damage goes out now; under the drawing lock.
  bool due(Clock::time_point now) {
    const uint64_t changes = damage_.changes();
    if (!watching_) {
      if (now - lastSent_ >= kFlushLatest) return true;  // the first change after a pause
      watching_ = true;
      firstSeen_ = now;
      seen_ = changes;
      lookAt_ = now + kFlushQuiet;
      return false;
    }
    if (now < lookAt_) return false;
    if (changes == seen_ || now - firstSeen_ >= kFlushLatest) return true;
    seen_ = changes;
    lookAt_ = now + kFlushQuiet;
    return false;
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
  bool watching_ = false;
  uint64_t seen_ = 0;
  Clock::time_point firstSeen_, lookAt_, lastSent_;
};

void UiThread::Loop(std::promise<void>& started) {
  id_ = GetCurrentThreadId();
  // Windows' waits otherwise end on its 15.6 ms tick, far too late for the damage.
  timeBeginPeriod(1);
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA frameClass{};
  frameClass.cbSize = sizeof frameClass;
  frameClass.style = CS_DBLCLKS;
  frameClass.lpfnWndProc = Frame::Proc;
  frameClass.hInstance = instance;
  frameClass.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  frameClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  frameClass.lpszClassName = kFrameClass;
  RegisterClassExA(&frameClass);
  WNDCLASSEXA controlClass{};
  controlClass.cbSize = sizeof controlClass;
  controlClass.lpfnWndProc = ControlProc;
  controlClass.hInstance = instance;
  controlClass.lpszClassName = kControlClass;
  RegisterClassExA(&controlClass);
  control_ = CreateWindowExA(0, kControlClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                             nullptr);
  started.set_value();

  MSG msg;
  for (;;) {
    const auto now = Clock::now();
    if (const auto at = nextLook(now)) {
      // Damage waits: sleep until it is due or a message comes, whichever is first.
      const auto left = std::chrono::ceil<std::chrono::milliseconds>(*at - now).count();
      MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(std::max<long long>(left, 0)), QS_ALLINPUT,
                                  MWMO_INPUTAVAILABLE);
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    } else if (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    service();
  }
}

std::optional<Clock::time_point> UiThread::nextLook(Clock::time_point now) const {
  std::optional<Clock::time_point> next;
  for (const Frame* frame : frames_) {
    if (const auto at = frame->nextLook(now)) next = next ? std::min(*next, *at) : *at;
  }
  return next;
}

void UiThread::service() {
  const auto now = Clock::now();
  for (Frame* frame : frames_) frame->flushIfDue(now);
  // While a window is moved or sized, Windows runs a message loop of its own, which never
  // comes back here: a timer keeps the damage going out meanwhile.
  const bool waiting = nextLook(now).has_value();
  if (waiting != timerOn_) {
    if (waiting) {
      SetTimer(control_, kFlushTimerId, USER_TIMER_MINIMUM, nullptr);
    } else {
      KillTimer(control_, kFlushTimerId);
    }
    timerOn_ = waiting;
  }
}

LRESULT CALLBACK UiThread::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kRun:
      (*reinterpret_cast<const std::function<void()>*>(lParam))();
      return 0;
    case kWake:
    case WM_TIMER:
      Ui().service();
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

std::unique_ptr<NativeFrame> NativeFrame::Create(const NativeSpec& spec, NativeEvents& events) {
  auto frame = std::make_unique<Frame>(events);
  bool made = false;
  Ui().run([&] { made = frame->Make(spec); });
  if (!made) return nullptr;
  return frame;
}

ScreenMetrics ReadDesktopMetrics() {
  ScreenMetrics m;
  m.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  m.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  RECT work{0, 0, m.screenWidth, m.screenHeight};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  m.workWidth = work.right - work.left;
  m.workHeight = work.bottom - work.top;
  m.frameX = GetSystemMetrics(SM_CXFRAME);
  m.frameY = GetSystemMetrics(SM_CYFRAME);
  m.caption = GetSystemMetrics(SM_CYCAPTION);
  m.mousePresent = GetSystemMetrics(SM_MOUSEPRESENT) != 0;
  return m;
}

void ShowMessageBox(const std::string& text, const std::string& caption) {
  MessageBoxA(nullptr, text.c_str(), caption.empty() ? nullptr : caption.c_str(), MB_OK);
}

}  // namespace platform::win32
