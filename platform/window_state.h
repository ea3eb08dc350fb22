#pragma once
// The platform core's process-wide state: window classes, windows and the message queue of
// each thread. One mutex guards all of it; window procedures and backend calls are never
// made while it is held.
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "backend.h"
#include "immortal.h"
#include "platform/win_types.h"

namespace platform::detail {

struct QueuedMessage {
  MSG msg;
  // For key presses from a backend: the key's character, -1 for none. knownCharacter is
  // false for key messages that a program posted itself.
  int character = -1;
  bool knownCharacter = false;
};

struct ThreadQueue {
  std::deque<QueuedMessage> posted;
  bool quitPosted = false;
  int quitCode = 0;
  bool displayLost = false;
  std::condition_variable wake;
};

struct WindowClass {
  UINT style = 0;
  WNDPROC proc = nullptr;
};

struct Window {
  HWND hwnd = nullptr;
  HWND parent = nullptr;
  DWORD thread = 0;
  WNDPROC proc = nullptr;
  std::string className;
  std::string title;
  DWORD style = 0;
  int width = 0, height = 0;  // client area
  std::unique_ptr<NativeWindow> native;
  bool invalid = false;
  RECT update;
  bool destroying = false;
};

struct State {
  std::mutex mutex;
  std::map<std::string, WindowClass> classes;
  std::map<HWND, std::shared_ptr<Window>> windows;
  std::map<DWORD, std::shared_ptr<ThreadQueue>> queues;
  uintptr_t nextHandle = 0x10;
  ATOM nextAtom = 0xC000;
  bool displayLost = false;  // for good: the backend said so
  std::string lostDisplayName;
};

State& GetState();

// The calling thread's queue, made on first use; it lives until the thread ends.
std::shared_ptr<ThreadQueue> CurrentQueue();

// Under the state's lock: the live window, or nullptr.
std::shared_ptr<Window> FindWindowLocked(State& s, HWND hwnd);

// Adds rect (clipped to the client area) to the window's update rectangle; under the lock.
void InvalidateLocked(State& s, Window& w, const RECT& rect);

}  // namespace platform::detail
