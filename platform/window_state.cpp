#include "window_state.h"

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "win32.h"

namespace platform::detail {
namespace {

std::atomic<DWORD> nextThreadId{1};

// Registers the thread's queue on first use and takes it and the thread's remaining windows
// away when the thread ends. Those windows vanish from the display without further
// messages: their procedures may belong to code that is already gone.
struct ThreadRegistration {
  DWORD id = nextThreadId.fetch_add(1);
  std::shared_ptr<ThreadQueue> queue = std::make_shared<ThreadQueue>();

  ThreadRegistration() {
    State& s = GetState();
    std::lock_guard lock(s.mutex);
    s.queues[id] = queue;
  }
  ~ThreadRegistration() {
    std::vector<std::shared_ptr<Window>> orphans;
    {
      State& s = GetState();
      std::lock_guard lock(s.mutex);
      s.queues.erase(id);
      for (auto it = s.windows.begin(); it != s.windows.end();) {
        if (it->second->thread == id) {
          orphans.push_back(std::move(it->second));
          it = s.windows.erase(it);
        } else {
          ++it;
        }
      }
    }
    // Children first, so that a backend never sees a child outlive its parent.
    std::reverse(orphans.begin(), orphans.end());
    for (auto& w : orphans) w->native.reset();
  }
};

// Each thread's registration lives on the heap, found through a thread-specific key whose
// destructor ends it when the thread ends. A thread_local object would do on Linux, but
// MinGW's runtime may free a thread's thread_local storage before it runs their destructors.
pthread_key_t RegistrationKey() {
  static const pthread_key_t key = [] {
    pthread_key_t made;
    pthread_key_create(&made, [](void* registration) {
      std::unique_ptr<ThreadRegistration>(static_cast<ThreadRegistration*>(registration));
    });
    return made;
  }();
  return key;
}

ThreadRegistration& Registration() {
  auto* registration = static_cast<ThreadRegistration*>(pthread_getspecific(RegistrationKey()));
  if (registration == nullptr) {
    auto made = std::make_unique<ThreadRegistration>();
    registration = made.get();
    pthread_setspecific(RegistrationKey(), made.release());  // the key's destructor owns it
  }
  return *registration;
}

}  // namespace

State& GetState() {
  static Immortal<State> state;
  return state.get();
}

std::shared_ptr<ThreadQueue> CurrentQueue() {
  return Registration().queue;
}

std::shared_ptr<Window> FindWindowLocked(State& s, HWND hwnd) {
  auto it = s.windows.find(hwnd);
  return it == s.windows.end() ? nullptr : it->second;
}

void InvalidateLocked(State& s, Window& w, const RECT& rect) {
  RECT r{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, w.width),
         std::min(rect.bottom, w.height)};
  if (r.left >= r.right || r.top >= r.bottom) return;
  if (w.invalid) {
    w.update.left = std::min(w.update.left, r.left);
    w.update.top = std::min(w.update.top, r.top);
    w.update.right = std::max(w.update.right, r.right);
    w.update.bottom = std::max(w.update.bottom, r.bottom);
  } else {
    w.invalid = true;
    w.update = r;
  }
  auto it = s.queues.find(w.thread);
  if (it != s.queues.end()) it->second->wake.notify_all();
}

}  // namespace platform::detail

DWORD GetCurrentThreadId() {
  return platform::detail::Registration().id;
}
