#include "terminal/terminal_service.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <optional>
#include <string>

#include "backend.h"
#include "terminal/key_messages.h"
#include "terminal/terminal_backend.h"
#include "terminal/terminal_screen.h"
#include "terminal/terminal_session.h"

namespace platform::terminal {
namespace {

constexpr int64_t EscapeTimeoutNs = int64_t(EscapeTimeoutMs) * 1'000'000;
// lParam of a key release: transition and previous-state bits, repeat count 1.
constexpr LPARAM ReleaseBits = LPARAM(0xC0000001u);

int64_t SteadyNowNs(std::chrono::steady_clock::time_point at = std::chrono::steady_clock::now()) {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
}

void DrainWakeFd() {
  char buffer[64];
  while (::read(WakeFd(), buffer, sizeof buffer) > 0) {
  }
}

}  // namespace

TerminalService::TerminalService(HWND keyWindow, std::shared_ptr<PictureStore> store, int inFd,
                                 int outFd)
    : keyWindow_(keyWindow),
      store_(std::move(store)),
      picture_(store_->pixels().width(), store_->pixels().height()),
      inFd_(inFd),
      outFd_(outFd) {
  layOut(false);
  thread_ = std::thread([this] { run(); });
}

TerminalService::~TerminalService() {
  stop_.store(true);
  Wake();
  thread_.join();
  std::unique_lock lock = LockOutput();
  TheScreen().open = false;
}

void TerminalService::addWindow(HWND hwnd, int left, int top, int width, int height) {
  std::lock_guard lock(windowsMutex_);
  windows_.push_back(PaintTarget{hwnd, left, top, width, height});
}

void TerminalService::removeWindow(HWND hwnd) {
  std::lock_guard lock(windowsMutex_);
  std::erase_if(windows_, [hwnd](const PaintTarget& t) { return t.hwnd == hwnd; });
}

void TerminalService::layOut(bool repaintWindows) {
  const TerminalSize size = ReadTerminalSize(outFd_);
  {
    std::unique_lock lock = LockOutput();
    std::string out;
    {
      std::lock_guard storeLock(store_->lock().hold(), std::adopt_lock);
      // The whole picture goes out with the layout; what changed so far is part of it.
      store_->damage().take();
      picture_.copyFrom(store_->pixels(), 0, 0, picture_.width(), picture_.height());
      LayOutScreen(size.columns, size.rows, picture_, out);
    }
    TheScreen().open = true;
    WriteLocked(out);
  }
  if (!repaintWindows) return;
  // The window surface keeps its pixels, but the window is asked to paint from its bitmap
  // as it would be on any display that lost its contents.
  std::vector<PaintTarget> targets;
  {
    std::lock_guard lock(windowsMutex_);
    targets = windows_;
  }
  for (const PaintTarget& t : targets) InvalidateClient(t.hwnd, RECT{0, 0, t.width, t.height});
}

bool TerminalService::flush() {
  Block b;
  {
    // Only the copy is made under the drawing lock: the drawing never waits for the encoder.
    std::lock_guard storeLock(store_->lock().hold(), std::adopt_lock);
    b = store_->damage().take();
    picture_.copyFrom(store_->pixels(), b.x, b.y, b.w, b.h);
  }
  if (b.empty()) return false;
  std::unique_lock lock = LockOutput();
  std::string out;
  // The encoder sends only the cells of the block that differ from what the terminal shows.
  TheScreen().picture.encode(picture_, CellArea{b.x, b.y / 2, b.x + b.w - 1, (b.y + b.h - 1) / 2},
                             out);
  if (!out.empty()) WriteLocked(out);
  return true;
}

void TerminalService::flushIfDue(std::chrono::steady_clock::time_point now) {
  const uint64_t changes = store_->damage().changes();
  if (!pacer_.due(now, changes)) return;
  if (!pacer_.next() && !store_->damage().pending()) return;  // idle, and nothing came
  if (flush()) {
    pacer_.sent(now, changes);
  } else {
    pacer_.idle();  // a whole interval without drawing: what comes next goes at once
  }
}

// A cell is one pixel wide and two high: the pointer is on the upper of its two pixels.
void TerminalService::deliverMouse(const MouseReport& report) {
  const int x = report.column, y = report.row * 2;
  std::optional<PaintTarget> under;
  {
    std::lock_guard lock(windowsMutex_);
    for (const PaintTarget& t : windows_) {
      if (x >= t.left && x < t.left + t.width && y >= t.top && y < t.top + t.height) under = t;
    }
  }
  if (!under) return;  // over the console rows, or beside the picture
  const int wx = x - under->left, wy = y - under->top;
  DeliverMessage(under->hwnd, report.message, report.held,
                 LPARAM((uint32_t(wy & 0xFFFF) << 16) | uint32_t(wx & 0xFFFF)));
}

void TerminalService::deliver(const std::vector<KeyEvent>& keys) {
  for (const KeyEvent& key : keys) {
    if (key.mouse) {
      deliverMouse(*key.mouse);
      continue;
    }
    if (key.interrupt) {
      // Ctrl+C ends the program as it would in a cooked terminal; the handler of SIGINT
      // puts the terminal back first.
      raise(SIGINT);
      continue;
    }
    if (key.suspend) {
      SuspendJob();
      continue;
    }
    for (const KeyMessage& m : KeyMessagesFor(key))
      DeliverKey(keyWindow_, m.message, m.virtualKey, m.character,
                 m.message == WM_KEYUP ? ReleaseBits : 1);
  }
}

bool TerminalService::readInput() {
  char buffer[4096];
  const ssize_t n = ::read(inFd_, buffer, sizeof buffer);
  if (n < 0) return errno == EINTR || errno == EAGAIN;
  if (n == 0) return false;
  std::vector<KeyEvent> keys;
  decoder_.feed(std::string_view(buffer, size_t(n)), keys);
  deliver(keys);
  return true;
}

void TerminalService::run() {
  bool inputOpen = true;
  int64_t escapeDeadline = 0;
  while (!stop_.load()) {
    const auto clockNow = std::chrono::steady_clock::now();
    const int64_t now = SteadyNowNs(clockNow);
    int64_t deadline = INT64_MAX;
    if (decoder_.pending()) deadline = std::min(deadline, escapeDeadline);
    if (const auto at = pacer_.next()) {
      deadline = std::min(deadline, SteadyNowNs(*at));
    } else if (store_->damage().pending()) {
      deadline = now;  // the pacer is idle: what waits goes at once
    }

    pollfd fds[2] = {{WakeFd(), POLLIN, 0}, {inFd_, POLLIN, 0}};
    timespec timeout{};
    timespec* timeoutPointer = nullptr;
    if (deadline != INT64_MAX) {
      const int64_t wait = std::max<int64_t>(deadline - now, 0);
      timeout = timespec{time_t(wait / 1'000'000'000), long(wait % 1'000'000'000)};
      timeoutPointer = &timeout;
    }
    const int ready = ppoll(fds, inputOpen ? 2 : 1, timeoutPointer, nullptr);
    if (ready < 0 && errno != EINTR) break;
    if (ready > 0 && (fds[0].revents & POLLIN)) DrainWakeFd();
    if (stop_.load()) break;
    if (TakeResizeRequest() | TakeRedrawRequest()) layOut(true);

    if (inputOpen && ready > 0 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
      if (readInput()) {
        if (decoder_.pending()) escapeDeadline = SteadyNowNs() + EscapeTimeoutNs;
      } else {
        // The terminal has gone: so has the window's display.
        inputOpen = false;
        DisplayLost();
      }
    }
    const int64_t after = SteadyNowNs();
    if (decoder_.pending() && after >= escapeDeadline) {
      std::vector<KeyEvent> keys;
      decoder_.expire(keys);
      deliver(keys);
    }
    flushIfDue(std::chrono::steady_clock::now());
  }
}

}  // namespace platform::terminal
