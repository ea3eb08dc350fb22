#include "win32/win32_ui_thread.h"

// After windows.h, which it needs.
#include <timeapi.h>

#include <algorithm>
#include <future>
#include <thread>

#include "immortal.h"

namespace platform::win32 {
namespace {

// The UI thread's own messages, to its control window.
constexpr UINT Run = WM_APP + 1;   // run the std::function<void()> at lParam
constexpr UINT Wake = WM_APP + 2;  // damage waits to be shown
constexpr UINT_PTR FlushTimerId = 1;
constexpr char ControlClass[] = "BgiGraphNativeControl";

}  // namespace

UiThread& UiThread::get() {
  static detail::Immortal<UiThread> ui;
  return ui.get();
}

UiThread::UiThread() {
  std::promise<void> started;
  std::thread([this, &started] {
    id_ = GetCurrentThreadId();
    // Windows' waits otherwise end on its 15.6 ms tick, far too late for the damage.
    timeBeginPeriod(1);
    WNDCLASSEXA controlClass{};
    controlClass.cbSize = sizeof controlClass;
    controlClass.lpfnWndProc = controlProc;
    controlClass.hInstance = GetModuleHandleA(nullptr);
    controlClass.lpszClassName = ControlClass;
    RegisterClassExA(&controlClass);
    control_ = CreateWindowExA(0, ControlClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               controlClass.hInstance, nullptr);
    started.set_value();
    loop();
  }).detach();
  started.get_future().wait();
}

void UiThread::run(const std::function<void()>& task) {
  if (GetCurrentThreadId() == id_) {
    task();
    return;
  }
  SendMessageA(control_, Run, 0, reinterpret_cast<LPARAM>(&task));
}

void UiThread::wake() {
  PostMessageA(control_, Wake, 0, 0);
}

void UiThread::loop() {
  MSG msg;
  for (;;) {
    const auto now = Clock::now();
    if (const auto at = earliestLook(now)) {
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

std::optional<Clock::time_point> UiThread::earliestLook(Clock::time_point now) const {
  std::optional<Clock::time_point> next;
  for (const Flushable* window : windows_) {
    if (const auto at = window->nextLook(now)) next = next ? std::min(*next, *at) : *at;
  }
  return next;
}

void UiThread::service() {
  const auto now = Clock::now();
  for (Flushable* window : windows_) window->flushIfDue(now);
  // While a window is moved or sized, Windows runs a message loop of its own, which never
  // comes back here: a timer keeps the damage going out meanwhile.
  const bool waiting = earliestLook(now).has_value();
  if (waiting != timerOn_) {
    if (waiting) {
      SetTimer(control_, FlushTimerId, USER_TIMER_MINIMUM, nullptr);
    } else {
      KillTimer(control_, FlushTimerId);
    }
    timerOn_ = waiting;
  }
}

LRESULT CALLBACK UiThread::controlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case Run:
      (*reinterpret_cast<const std::function<void()>*>(lParam))();
      return 0;
    case Wake:
    case WM_TIMER:
      get().service();
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform::win32
