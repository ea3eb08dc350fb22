#include "headless/headless_environment.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "platform/headless/headless.h"
#include "terminal/key_decoder.h"

namespace platform::headless {
namespace {

// Each key as a terminal sends it, so that a typed key becomes the very messages that the
// same key gives on the terminal display.
const std::map<std::string, std::string, std::less<>>& KeyBytes() {
  static const std::map<std::string, std::string, std::less<>> bytes = {
      {"Enter", "\r"},       {"Esc", "\x1b"},       {"Space", " "},        {"Tab", "\t"},
      {"Backspace", "\x7f"}, {"Up", "\x1b[A"},      {"Down", "\x1b[B"},    {"Right", "\x1b[C"},
      {"Left", "\x1b[D"},    {"Home", "\x1b[H"},    {"End", "\x1b[F"},     {"PgUp", "\x1b[5~"},
      {"PgDn", "\x1b[6~"},   {"Insert", "\x1b[2~"}, {"Delete", "\x1b[3~"}, {"F1", "\x1bOP"},
      {"F2", "\x1bOQ"},      {"F3", "\x1bOR"},      {"F4", "\x1bOS"},      {"F5", "\x1b[15~"},
      {"F6", "\x1b[17~"},    {"F7", "\x1b[18~"},    {"F8", "\x1b[19~"},    {"F9", "\x1b[20~"},
      {"F10", "\x1b[21~"},   {"F11", "\x1b[23~"},   {"F12", "\x1b[24~"},   {"Center", "\x1b[E"},
  };
  return bytes;
}

// The messages of one key sent as bytes; a lone Esc is complete only once it has expired.
std::vector<terminal::KeyMessage> MessagesOf(std::string_view bytes) {
  terminal::KeyDecoder decoder;
  std::vector<terminal::KeyEvent> keys;
  decoder.feed(bytes, keys);
  decoder.expire(keys);
  std::vector<terminal::KeyMessage> messages;
  for (const terminal::KeyEvent& key : keys) {
    for (const terminal::KeyMessage& m : terminal::KeyMessagesFor(key)) messages.push_back(m);
  }
  return messages;
}

// A mouse token, NAME:X,Y with X and Y of at most five digits: its messages, or none.
std::vector<ScriptMouse> MouseStepOf(std::string_view token) {
  const size_t colon = token.find(':'), comma = token.find(',');
  if (colon == std::string_view::npos || comma == std::string_view::npos || comma < colon)
    return {};
  const std::string_view name = token.substr(0, colon);
  const std::string_view xText = token.substr(colon + 1, comma - colon - 1);
  const std::string_view yText = token.substr(comma + 1);
  for (std::string_view number : {xText, yText}) {
    if (number.empty() || number.size() > 5 ||
        number.find_first_not_of("0123456789") != std::string_view::npos)
      return {};
  }
  const int x = std::atoi(std::string(xText).c_str()), y = std::atoi(std::string(yText).c_str());
  const auto at = [&](UINT message) { return ScriptMouse{message, x, y}; };
  if (name == "move") return {at(WM_MOUSEMOVE)};
  if (name == "click") return {at(WM_MOUSEMOVE), at(WM_LBUTTONDOWN), at(WM_LBUTTONUP)};
  if (name == "rclick") return {at(WM_MOUSEMOVE), at(WM_RBUTTONDOWN), at(WM_RBUTTONUP)};
  if (name == "mclick") return {at(WM_MOUSEMOVE), at(WM_MBUTTONDOWN), at(WM_MBUTTONUP)};
  if (name == "down") return {at(WM_MOUSEMOVE), at(WM_LBUTTONDOWN)};
  if (name == "up") return {at(WM_MOUSEMOVE), at(WM_LBUTTONUP)};
  if (name == "dclick")
    return {at(WM_MOUSEMOVE), at(WM_LBUTTONDOWN), at(WM_LBUTTONUP), at(WM_LBUTTONDBLCLK),
            at(WM_LBUTTONUP)};
  return {};
}

bool Deliver(HWND hwnd, const ScriptStep& step) {
  for (const terminal::KeyMessage& m : step.messages) {
    const bool delivered = m.message == WM_KEYDOWN ? KeyDown(hwnd, m.virtualKey, m.character)
                                                   : KeyUp(hwnd, m.virtualKey);
    if (!delivered) return false;
  }
  for (const ScriptMouse& m : step.mouse) {
    const bool delivered = m.message == WM_MOUSEMOVE ? MouseMove(hwnd, m.x, m.y)
                                                     : MouseButton(hwnd, m.message, m.x, m.y);
    if (!delivered) return false;
  }
  return true;
}

// The newest window once it is shown: programs open theirs after they start.
HWND WaitForShownWindow() {
  for (;;) {
    if (const HWND hwnd = LastWindow()) {
      if (const auto info = Info(hwnd); info && info->shown) return hwnd;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void Type(const std::vector<ScriptStep>& steps) {
  for (const ScriptStep& step : steps) {
    std::this_thread::sleep_for(std::chrono::milliseconds(step.pauseMs ? step.pauseMs : KeyPaceMs));
    if (step.messages.empty() && step.mouse.empty()) continue;
    // A window closed between two looks: the step goes to the next one that is shown.
    while (!Deliver(WaitForShownWindow(), step)) {
    }
  }
}

}  // namespace

std::vector<ScriptStep> ParseKeyScript(std::string_view script, std::string& error) {
  std::vector<ScriptStep> steps;
  std::istringstream tokens{std::string(script)};
  for (std::string token; tokens >> token;) {
    ScriptStep step;
    if (const auto named = KeyBytes().find(token); named != KeyBytes().end()) {
      step.messages = MessagesOf(named->second);
    } else if (token.size() == 1 && token[0] > ' ' && token[0] < 0x7f) {
      step.messages = MessagesOf(token);
    } else if (std::vector<ScriptMouse> mouse = MouseStepOf(token); !mouse.empty()) {
      step.mouse = std::move(mouse);
    } else if (token.starts_with("wait:") && token.size() > 5 &&
               token.find_first_not_of("0123456789", 5) == std::string::npos &&
               token.size() <= 5 + 6) {
      step.pauseMs = std::atoi(token.c_str() + 5);
    } else {
      error = "GRAPHWIN_HEADLESS_KEYS: \"" + token +
              "\" is no key; use one character, a key name (Enter, Esc, Space, Up, F1 ...), "
              "wait:MS, or move:X,Y, click:X,Y, rclick:X,Y, mclick:X,Y, dclick:X,Y, down:X,Y, "
              "up:X,Y";
      return {};
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

void StartKeyScriptOnce() {
  static const bool started = [] {
    const char* script = std::getenv("GRAPHWIN_HEADLESS_KEYS");
    if (script == nullptr || *script == '\0') return false;
    std::string error;
    std::vector<ScriptStep> steps = ParseKeyScript(script, error);
    if (!error.empty()) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return false;
    }
    // It types until its last key or the end of the process, whichever comes first.
    std::thread(Type, std::move(steps)).detach();
    return true;
  }();
  (void)started;
}

void SavePictureIfAsked(const PixelSurface& picture) {
  const char* path = std::getenv("GRAPHWIN_HEADLESS_SAVE");
  if (path == nullptr || *path == '\0') return;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << "P6\n" << picture.width() << ' ' << picture.height() << "\n255\n";
  std::vector<char> row(size_t(picture.width()) * 3);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const COLORREF c = picture.pixel(x, y);
      row[size_t(x) * 3] = char(c & 0xFF);
      row[size_t(x) * 3 + 1] = char((c >> 8) & 0xFF);
      row[size_t(x) * 3 + 2] = char((c >> 16) & 0xFF);
    }
    out.write(row.data(), std::streamsize(row.size()));
  }
  if (!out.flush()) {
    std::fprintf(stderr, "GRAPHWIN_HEADLESS_SAVE: cannot write the picture to %s\n", path);
  }
}

}  // namespace platform::headless
