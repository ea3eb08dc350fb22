// Posting, the message loop and the calls through which a backend hands over display events.
#include <vector>

#include "backend.h"
#include "win32.h"
#include "window_state.h"

using platform::detail::CurrentQueue;
using platform::detail::FindWindowLocked;
using platform::detail::GetState;
using platform::detail::QueuedMessage;
using platform::detail::State;
using platform::detail::ThreadQueue;
using platform::detail::Window;

namespace {

// The key press GetMessage handed out last on this thread, so that TranslateMessage knows
// which character the display gave it.
struct LastKey {
  bool valid = false;
  MSG msg;
  int character = -1;
};
thread_local LastKey lastKey;

bool IsKeyDown(UINT message) {
  return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

// The character of a key that a program posted itself, with no display to ask.
int CharacterOfVirtualKey(WPARAM vk) {
  if (vk >= 'A' && vk <= 'Z') return int(vk - 'A' + 'a');
  if (vk >= '0' && vk <= '9') return int(vk);
  switch (vk) {
    case VK_SPACE:
      return ' ';
    case VK_RETURN:
      return '\r';
    case VK_BACK:
      return '\b';
    case VK_TAB:
      return '\t';
    case VK_ESCAPE:
      return 0x1B;
    default:
      return -1;
  }
}

bool Matches(const MSG& m, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (m.message == WM_QUIT) return true;
  if (hwnd != nullptr && m.hwnd != hwnd) return false;
  if (filterMin == 0 && filterMax == 0) return true;
  return m.message >= filterMin && m.message <= filterMax;
}

// Under the lock: queues the message for the thread that owns hwnd.
bool PostToWindowLocked(State& s, const QueuedMessage& m) {
  auto w = FindWindowLocked(s, m.msg.hwnd);
  if (w == nullptr) return false;
  auto q = s.queues.find(w->thread);
  if (q == s.queues.end()) return false;
  q->second->posted.push_back(m);
  q->second->wake.notify_all();
  return true;
}

// The display is gone: this thread's windows go, each with its WM_DESTROY.
bool DestroyWindowsOfLostDisplay(State& s, std::unique_lock<std::mutex>& lock, DWORD self) {
  std::vector<HWND> mine;
  for (auto& [handle, w] : s.windows)
    if (w->thread == self && !w->destroying && w->parent == nullptr) mine.push_back(handle);
  if (mine.empty()) return false;
  lock.unlock();
  for (HWND hwnd : mine) DestroyWindow(hwnd);
  lock.lock();
  return true;
}

}  // namespace

namespace {

// GetMessage and PeekMessage: 1 for a message, 0 for WM_QUIT, -1 for an error, and 2 when
// nothing is waiting and wait is false.
int FetchMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, bool wait, bool remove) {
  if (msg == nullptr) return -1;
  const DWORD self = GetCurrentThreadId();
  std::shared_ptr<ThreadQueue> q = CurrentQueue();
  State& s = GetState();
  std::unique_lock lock(s.mutex);
  for (;;) {
    if (hwnd != nullptr) {
      auto w = FindWindowLocked(s, hwnd);
      if (w == nullptr || w->thread != self) return -1;
    }
    if (q->displayLost && DestroyWindowsOfLostDisplay(s, lock, self)) continue;

    for (auto it = q->posted.begin(); it != q->posted.end();) {
      if (!Matches(it->msg, hwnd, filterMin, filterMax)) {
        ++it;
        continue;
      }
      const QueuedMessage m = *it;
      // Messages for a window destroyed since they were posted go nowhere.
      if (m.msg.hwnd != nullptr && FindWindowLocked(s, m.msg.hwnd) == nullptr) {
        it = q->posted.erase(it);
        continue;
      }
      if (remove) it = q->posted.erase(it);
      lastKey.valid = IsKeyDown(m.msg.message);
      lastKey.msg = m.msg;
      lastKey.character = m.knownCharacter ? m.character : CharacterOfVirtualKey(m.msg.wParam);
      *msg = m.msg;
      return m.msg.message == WM_QUIT ? 0 : 1;
    }
    if (q->quitPosted && hwnd == nullptr) {
      if (remove) q->quitPosted = false;
      *msg = MSG{nullptr, WM_QUIT, WPARAM(q->quitCode), 0};
      return 0;
    }
    if (Matches(MSG{hwnd, WM_PAINT, 0, 0}, hwnd, filterMin, filterMax)) {
      for (auto& [handle, w] : s.windows) {
        if (w->thread != self || !w->invalid || w->destroying) continue;
        if (hwnd != nullptr && handle != hwnd) continue;
        *msg = MSG{handle, WM_PAINT, 0, 0};
        lastKey.valid = false;
        return 1;
      }
    }
    if (q->displayLost) return -1;
    if (!wait) return 2;
    q->wake.wait(lock);
  }
}

}  // namespace

int GetMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  return FetchMessage(msg, hwnd, filterMin, filterMax, true, true);
}

bool PeekMessage(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeMsg) {
  const int r = FetchMessage(msg, hwnd, filterMin, filterMax, false, (removeMsg & PM_REMOVE) != 0);
  return r == 0 || r == 1;
}

bool TranslateMessage(const MSG* msg) {
  if (msg == nullptr) return false;
  if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) return true;
  if (!IsKeyDown(msg->message)) return false;
  int character;
  if (lastKey.valid && lastKey.msg.hwnd == msg->hwnd && lastKey.msg.message == msg->message &&
      lastKey.msg.wParam == msg->wParam && lastKey.msg.lParam == msg->lParam) {
    character = lastKey.character;
  } else {
    character = CharacterOfVirtualKey(msg->wParam);
  }
  lastKey.valid = false;
  if (character < 0) return true;
  const UINT charMessage = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
  // The character comes next, before any input that was already waiting.
  std::shared_ptr<ThreadQueue> q = CurrentQueue();
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  q->posted.push_front(
      QueuedMessage{MSG{msg->hwnd, charMessage, WPARAM(character & 0xFF), msg->lParam}, -1, false});
  return true;
}

LRESULT DispatchMessage(const MSG* msg) {
  if (msg == nullptr || msg->hwnd == nullptr) return 0;
  WNDPROC proc;
  {
    State& s = GetState();
    std::lock_guard lock(s.mutex);
    auto w = FindWindowLocked(s, msg->hwnd);
    if (w == nullptr) return 0;
    proc = w->proc;
  }
  return proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == nullptr) return PostThreadMessage(GetCurrentThreadId(), msg, wParam, lParam);
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  return PostToWindowLocked(s, QueuedMessage{MSG{hwnd, msg, wParam, lParam}, -1, false});
}

bool PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  auto q = s.queues.find(threadId);
  if (q == s.queues.end()) return false;
  q->second->posted.push_back(QueuedMessage{MSG{nullptr, msg, wParam, lParam}, -1, false});
  q->second->wake.notify_all();
  return true;
}

void PostQuitMessage(int exitCode) {
  std::shared_ptr<ThreadQueue> q = CurrentQueue();
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  q->quitPosted = true;
  q->quitCode = exitCode;
  q->wake.notify_all();
}

namespace platform {

bool DeliverMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  return PostToWindowLocked(s, QueuedMessage{MSG{hwnd, msg, wParam, lParam}, -1, false});
}

bool DeliverKey(HWND hwnd, UINT msg, UINT virtualKey, int character, LPARAM lParam) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  return PostToWindowLocked(
      s, QueuedMessage{MSG{hwnd, msg, WPARAM(virtualKey), lParam}, character, true});
}

bool InvalidateClient(HWND hwnd, const RECT& rect) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  auto w = FindWindowLocked(s, hwnd);
  if (w == nullptr) return false;
  platform::detail::InvalidateLocked(s, *w, rect);
  return true;
}

void DisplayLost() {
  Backend* backend = CurrentBackend();
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  if (!s.displayLost) {
    s.displayLost = true;
    s.lostDisplayName = backend ? backend->displayName() : "the display";
  }
  for (auto& [handle, w] : s.windows) {
    auto q = s.queues.find(w->thread);
    if (q == s.queues.end()) continue;
    q->second->displayLost = true;
    q->second->wake.notify_all();
  }
}

bool DisplayWasLost(std::string* displayName) {
  State& s = GetState();
  std::lock_guard lock(s.mutex);
  if (s.displayLost && displayName) *displayName = s.lostDisplayName;
  return s.displayLost;
}

}  // namespace platform
