#include "console_keys.h"

#include <algorithm>
#include <deque>

#include "console_device.h"
#include "graph/driver_interface.h"
#include "graphwin/driver.h"
#include "keys/key_buffer.h"
#include "mouse_clicks.h"
#include "platform/clock.h"

namespace bgi {
namespace {

// How long a wait for a window key sleeps between looks at the buffer.
constexpr int WindowPollMs = 10;

// Bytes taken from their source but not yet by the program, each source's apart: what was
// typed ahead on standard input waits for the console while a window is open. And the one
// put back.
std::deque<uint8_t> windowAhead, inputAhead;
std::optional<uint8_t> putBack;
bool inputEnded = false;

bool FromWindow() {
  return LayerState().IsGraphMode;
}

// The bytes the program reads next: the window's, also once it went until they are read.
std::deque<uint8_t>& Ahead() {
  return FromWindow() || !windowAhead.empty() ? windowAhead : inputAhead;
}

// Moves what waits into its queue; waits at most timeoutMs (negative: for ever) when
// nothing does.
void Collect(int timeoutMs) {
  RunMouseHandlers();  // also while getch waits
  while (KeyPressed()) windowAhead.push_back(ReadKey());
  if (!Ahead().empty()) return;
  if (FromWindow()) {
    if (timeoutMs != 0)
      Sleep(DWORD(timeoutMs < 0 ? WindowPollMs : std::min(timeoutMs, WindowPollMs)));
    return;
  }
  if (!inputEnded) inputEnded = !ReadConsoleKeys(timeoutMs, inputAhead);
}

}  // namespace

bool KeysEnded() {
  if (FromWindow()) return MessageThreadExitCode() != STILL_ACTIVE && !KeyPressed();
  return inputEnded;
}

int TakeKey() {
  RunMouseHandlers();
  if (putBack) {
    const uint8_t c = *putBack;
    putBack.reset();
    return c;
  }
  for (;;) {
    if (Ahead().empty()) Collect(0);
    if (std::deque<uint8_t>& ahead = Ahead(); !ahead.empty()) {
      const uint8_t c = ahead.front();
      ahead.pop_front();
      return c;
    }
    if (KeysEnded()) return EscapeKey;
    Collect(-1);
  }
}

bool KeyWaiting() {
  RunMouseHandlers();
  if (putBack || !Ahead().empty()) return true;
  Collect(0);
  return !Ahead().empty() || KeysEnded();
}

std::optional<WaitingKey> PeekKey() {
  Collect(0);
  std::deque<uint8_t> bytes = Ahead();
  if (putBack) bytes.push_front(*putBack);
  if (bytes.empty()) return std::nullopt;
  // The scan code that follows a 0 is on its way; until it is here no whole key waits.
  if (bytes[0] == 0 && bytes.size() < 2) return std::nullopt;
  return WaitingKey{bytes[0], bytes[0] == 0 ? bytes[1] : uint8_t(0)};
}

bool PutBackKey(uint8_t c) {
  if (putBack) return false;
  putBack = c;
  return true;
}

}  // namespace bgi
