#pragma once
// The window messages a decoded key becomes. A terminal reports no releases, so each key is
// pressed and released at once, inside the presses and releases of the modifiers that the
// terminal reported with it.
#include <vector>

#include "platform/win_types.h"
#include "terminal/key_decoder.h"

namespace platform::terminal {

struct KeyMessage {
  UINT message = 0;  // WM_KEYDOWN or WM_KEYUP
  UINT virtualKey = 0;
  int character = -1;  // for the press of a key with a character: what WM_CHAR carries

  bool operator==(const KeyMessage&) const = default;
};

// None for a mouse report.
std::vector<KeyMessage> KeyMessagesFor(const KeyEvent& key);

}  // namespace platform::terminal
