#pragma once
// The Windows side of the Win32 backend, in plain C++ types: this header is shared by the
// code that includes <windows.h> and the code that includes the window core's own Windows
// names (platform/win_types.h), which the two must never meet in one file.
//
// Every native window lives on one thread of the backend's own, the UI thread, which runs
// the real message loop (GetMessageA / TranslateMessage / DispatchMessageA) and shows the
// windows' framebuffers. Calls from other threads reach it by SendMessage, so a window is
// made and destroyed by the thread that owns it, as Windows requires.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "damage.h"
#include "platform/screen_metrics.h"

namespace platform::win32 {

// What a native window hands over to the window core; called on the UI thread.
class NativeEvents {
 public:
  virtual ~NativeEvents() = default;
  // A key message as Windows sent it (WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP).
  virtual void key(uint32_t message, uint32_t virtualKey, intptr_t lParam) = 0;
  // Any other message for the core (WM_CHAR, WM_SYSCHAR, WM_CLOSE, mouse buttons).
  virtual void message(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
  // Part of the client area was uncovered and has to be painted again.
  virtual void exposed(int left, int top, int right, int bottom) = 0;
};

struct NativeSpec {
  std::string title;
  uint32_t style = 0;  // the Windows style the core was asked for
  bool useDefaultPosition = false;
  int x = 0, y = 0;
  int clientWidth = 0, clientHeight = 0;
  bool maximised = false;
  class NativeFrame* parent = nullptr;  // for child windows
};

// A real window and its client area as a DIB section: top-down rows of 32-bit pixels laid
// out 0x00RRGGBB, which the drawing side writes directly. present() grows the damage; the
// UI thread copies it to the window with BitBlt soon after, without a further call.
class NativeFrame {
 public:
  // Made on the UI thread; nullptr when Windows refuses the window or its bitmap.
  static std::unique_ptr<NativeFrame> create(const NativeSpec& spec, NativeEvents& events);
  virtual ~NativeFrame() = default;

  virtual uint32_t* pixels() = 0;  // width x height values, the row stride being the width
  virtual int width() const = 0;
  virtual int height() const = 0;
  virtual void show() = 0;
  // Under the drawing lock, the block clipped already.
  virtual void present(int x, int y, int w, int h) = 0;
  virtual void drawUnder(std::recursive_timed_mutex& lock) = 0;
  // Where present keeps what waits to be shown.
  virtual Damage& damage() = 0;
};

ScreenMetrics ReadDesktopMetrics();
// The real message box, owned by no window; an empty caption gives Windows' own ("Error").
void ShowMessageBox(const std::string& text, const std::string& caption);

}  // namespace platform::win32
