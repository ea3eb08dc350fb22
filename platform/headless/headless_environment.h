#pragma once
// What a program run on the in-memory display takes from its environment, so that a whole
// program (an example, a classic program under test) can be played and looked at without a
// test driving it:
//   GRAPHWIN_HEADLESS_KEYS  keys to type and clicks to make in the newest shown window, one
//                           every KeyPaceMs, e.g. "Down Down Enter wait:500 click:10,20 Esc"
//   GRAPHWIN_HEADLESS_SAVE  a file that gets each window's last picture, as a binary PPM,
//                           when the window goes
#include <string>
#include <string_view>
#include <vector>

#include "platform/win_types.h"
#include "surface.h"
#include "terminal/key_messages.h"

namespace platform::headless {

// Time between two typed keys: long enough for a program that polls with a short delay.
constexpr int KeyPaceMs = 50;

// A mouse message of a script, at a point of the window.
struct ScriptMouse {
  UINT message = 0;  // WM_MOUSEMOVE or a button message
  int x = 0, y = 0;

  bool operator==(const ScriptMouse&) const = default;
};

// One step of a key script: the messages of one key, the mouse messages of one move or
// click, or a pause.
struct ScriptStep {
  std::vector<terminal::KeyMessage> messages;
  std::vector<ScriptMouse> mouse;
  int pauseMs = 0;
};

// Tokens separated by white space: a key name (Enter, Esc, Space, Tab, Backspace, Up, Down,
// Left, Right, Home, End, PgUp, PgDn, Insert, Delete, Center, F1 … F12), one printable
// character, wait:MS, or a mouse step at window pixel X,Y: move:X,Y, click:X,Y (left),
// rclick:X,Y, mclick:X,Y, dclick:X,Y (a left double click, as Windows reports one), down:X,Y
// and up:X,Y (the left button pressed or let go, for a drag). Each moves there first. Empty
// with a one-line reason in error when a token is none of these.
std::vector<ScriptStep> ParseKeyScript(std::string_view script, std::string& error);

// Starts typing GRAPHWIN_HEADLESS_KEYS on a thread of its own, once per process; a script
// that does not parse is reported on standard error and not typed.
void StartKeyScriptOnce();

// Writes the picture to GRAPHWIN_HEADLESS_SAVE when that is set; a file that cannot be
// written is reported on standard error.
void SavePictureIfAsked(const PixelSurface& picture);

}  // namespace platform::headless
