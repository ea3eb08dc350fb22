#pragma once
// The thread that owns every native window: it runs the real message loop for them and
// shows their damage. Started at the first use, it runs until the process ends, as the
// windows it owns may. For the files of this folder that include <windows.h>.
#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace platform::win32 {

using Clock = std::chrono::steady_clock;

// A window whose damage the UI thread sends; its two calls come on the UI thread.
class Flushable {
 public:
  // When to look at the damage again; nullopt when none waits.
  virtual std::optional<Clock::time_point> nextLook(Clock::time_point now) const = 0;
  // Sends the damage when it is due.
  virtual void flushIfDue(Clock::time_point now) = 0;

 protected:
  ~Flushable() = default;
};

class UiThread {
 public:
  static UiThread& get();
  UiThread();

  // Runs task on the UI thread and returns when it is done.
  void run(const std::function<void()>& task);
  // Damage waits. From any thread, also under a drawing lock: never waits itself.
  void wake();

  // UI thread only.
  void add(Flushable* window) { windows_.push_back(window); }
  void remove(Flushable* window) { std::erase(windows_, window); }

 private:
  static LRESULT CALLBACK controlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void loop();
  void service();
  std::optional<Clock::time_point> earliestLook(Clock::time_point now) const;

  HWND control_ = nullptr;
  DWORD id_ = 0;
  std::vector<Flushable*> windows_;
  bool timerOn_ = false;
};

}  // namespace platform::win32
