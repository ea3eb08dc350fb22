#pragma once
// Turns the bytes a terminal sends in raw mode into keys: plain characters, control codes,
// UTF-8 text and the escape sequences of xterm, VT220 and the Linux console for the cursor
// block and the function keys, with the modifiers the terminal reports; and xterm's SGR
// mouse reports into mouse events.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"

namespace platform::terminal {

// A mouse report in xterm's SGR form: the window message it stands for, with the buttons
// and modifiers held as Windows' MK_ flags, at a character cell counted from 0.
struct MouseReport {
  UINT message = 0;  // WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP ...
  WPARAM held = 0;
  int column = 0, row = 0;

  bool operator==(const MouseReport&) const = default;
};

// A key, or (with virtualKey 0) a mouse report.
struct KeyEvent {
  UINT virtualKey = 0;
  int character = -1;  // Latin-1 character or control code for WM_CHAR; -1 for none
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool interrupt = false;  // Ctrl+C: the program is to end
  bool suspend = false;    // Ctrl+Z: the program is to stop until it is continued
  std::optional<MouseReport> mouse;

  bool operator==(const KeyEvent&) const = default;
};

// How long a lone Esc waits for the rest of a sequence before it counts as the Escape key.
constexpr int EscapeTimeoutMs = 30;

class KeyDecoder {
 public:
  // Decodes what can be decoded; an unfinished sequence is kept for the next call.
  void feed(std::string_view bytes, std::vector<KeyEvent>& out);
  // True while an unfinished sequence waits for more bytes.
  bool pending() const { return !pending_.empty(); }
  // No byte came within EscapeTimeoutMs: what is pending is decoded as it stands (a lone
  // Esc is the Escape key; a broken sequence is dropped).
  void expire(std::vector<KeyEvent>& out);

 private:
  std::string pending_;
};

}  // namespace platform::terminal
