#pragma once
// What a program run on the in-memory display takes from its environment, so that a whole
// program (an example, a classic program under test) can be played and looked at without a
// test driving it:
//   GRAPHWIN_HEADLESS_KEYS  keys to type into the newest shown window, one every KeyPaceMs,
//                           e.g. "Down Down Enter wait:500 a Esc"
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

// One step of a key script: the messages of one key, or a pause.
struct ScriptStep {
  std::vector<terminal::KeyMessage> messages;
  int pauseMs = 0;
};

// Tokens separated by white space: a key name (Enter, Esc, Space, Tab, Backspace, Up, Down,
// Left, Right, Home, End, PgUp, PgDn, Insert, Delete, F1 … F12), one printable character, or
// wait:MS. Empty with a one-line reason in error when a token is none of these.
std::vector<ScriptStep> ParseKeyScript(std::string_view script, std::string& error);

// Starts typing GRAPHWIN_HEADLESS_KEYS on a thread of its own, once per process; a script
// that does not parse is reported on standard error and not typed.
void StartKeyScriptOnce();

// Writes the picture to GRAPHWIN_HEADLESS_SAVE when that is set; a file that cannot be
// written is reported on standard error.
void SavePictureIfAsked(const PixelSurface& picture);

}  // namespace platform::headless
