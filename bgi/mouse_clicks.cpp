#include "mouse_clicks.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>

#include "graphwin/hooks.h"

namespace bgi {
namespace {

constexpr size_t KindCount = size_t(LastMouseKind - FirstMouseKind + 1);

// clickLock guards what follows it. The message thread holds it to push one event, the
// program's thread to read; it is never held with another lock nor across a handler call.
std::mutex clickLock;
std::array<std::deque<ClickPoint>, KindCount> waiting;
std::array<MouseHandler, KindCount> handlers{};
struct HandlerCall {
  size_t kind;
  ClickPoint at;
};
std::deque<HandlerCall> handlerCalls;
ClickPoint pointer;

// The routine the collector displaced from the mouse slot, which it calls after its own work.
std::atomic<MessageHook> displaced{nullptr};
// The program's thread's own: whether it is inside a handler.
bool inHandler = false;

std::optional<size_t> IndexOf(int kind) {
  if (kind < FirstMouseKind || kind > LastMouseKind) return std::nullopt;
  return size_t(kind - FirstMouseKind);
}

template <typename T>
void PushBounded(std::deque<T>& queue, const T& item) {
  if (queue.size() == MostClicksWaiting) queue.pop_front();
  queue.push_back(item);
}

// On the message thread. The position is signed, in client coordinates: while a button is
// held the pointer may leave the window.
LRESULT CollectClick(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (const auto kind = IndexOf(int(message))) {
    const ClickPoint at{int16_t(uint16_t(lParam & 0xFFFF)),
                        int16_t(uint16_t((uint32_t(lParam) >> 16) & 0xFFFF))};
    std::lock_guard lock(clickLock);
    pointer = at;
    PushBounded(waiting[*kind], at);
    if (handlers[*kind]) PushBounded(handlerCalls, HandlerCall{*kind, at});
  }
  const MessageHook next = displaced.load();
  return next ? next(window, message, wParam, lParam) : 0;
}

}  // namespace

void CollectMouseClicks() {
  const MessageHook current = MouseMessageHook.load();
  if (current == CollectClick) return;
  displaced = current;
  MouseMessageHook = CollectClick;
}

void ForgetMouseClicks() {
  std::lock_guard lock(clickLock);
  for (auto& queue : waiting) queue.clear();
  handlerCalls.clear();
  pointer = {};
}

void RunMouseHandlers() {
  if (inHandler) return;
  inHandler = true;
  for (;;) {
    MouseHandler handler = nullptr;
    ClickPoint at;
    {
      std::lock_guard lock(clickLock);
      if (handlerCalls.empty()) break;
      const HandlerCall call = handlerCalls.front();
      handlerCalls.pop_front();
      handler = handlers[call.kind];  // removed since: no call
      at = call.at;
    }
    if (handler) handler(at.x, at.y);
  }
  inHandler = false;
}

bool ClickWaiting(int kind) {
  const auto index = IndexOf(kind);
  if (!index) return false;
  std::lock_guard lock(clickLock);
  return !waiting[*index].empty();
}

std::optional<ClickPoint> TakeClick(int kind) {
  const auto index = IndexOf(kind);
  if (!index) return std::nullopt;
  std::lock_guard lock(clickLock);
  std::deque<ClickPoint>& queue = waiting[*index];
  if (queue.empty()) return std::nullopt;
  const ClickPoint at = queue.front();
  queue.pop_front();
  return at;
}

void ClearClicks(int kind) {
  const auto index = IndexOf(kind);
  if (!index) return;
  std::lock_guard lock(clickLock);
  waiting[*index].clear();
}

ClickPoint PointerPosition() {
  std::lock_guard lock(clickLock);
  return pointer;
}

void SetMouseHandler(int kind, MouseHandler handler) {
  const auto index = IndexOf(kind);
  if (!index) return;
  std::lock_guard lock(clickLock);
  handlers[*index] = handler;
}

}  // namespace bgi
