#include "terminal/key_messages.h"

namespace platform::terminal {

std::vector<KeyMessage> KeyMessagesFor(const KeyEvent& key) {
  std::vector<KeyMessage> messages;
  if (key.interrupt || key.suspend || key.mouse) return messages;
  if (key.shift) messages.push_back({WM_KEYDOWN, VK_SHIFT, -1});
  if (key.ctrl) messages.push_back({WM_KEYDOWN, VK_CONTROL, -1});
  if (key.alt) messages.push_back({WM_KEYDOWN, VK_MENU, -1});
  messages.push_back({WM_KEYDOWN, key.virtualKey, key.character});
  messages.push_back({WM_KEYUP, key.virtualKey, -1});
  if (key.alt) messages.push_back({WM_KEYUP, VK_MENU, -1});
  if (key.ctrl) messages.push_back({WM_KEYUP, VK_CONTROL, -1});
  if (key.shift) messages.push_back({WM_KEYUP, VK_SHIFT, -1});
  return messages;
}

}  // namespace platform::terminal
