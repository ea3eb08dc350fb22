// send_key TITLE CHARACTER: types the character into the window of that title, through the
// keyboard's own path (SendInput), as a player would. Exits with 1 when there is no such
// window.
#include <windows.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc != 3 || std::strlen(argv[2]) != 1) {
    std::fprintf(stderr, "usage: send_key TITLE CHARACTER\n");
    return 2;
  }
  HWND window = FindWindowA(nullptr, argv[1]);
  if (window == nullptr) {
    std::fprintf(stderr, "send_key: no window titled \"%s\"\n", argv[1]);
    return 1;
  }
  SetForegroundWindow(window);
  Sleep(100);
  const WORD key = LOBYTE(VkKeyScanA(argv[2][0]));
  INPUT input[2] = {};
  for (INPUT& i : input) {
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
    i.ki.wScan = WORD(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  }
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  return SendInput(2, input, sizeof(INPUT)) == 2 ? 0 : 1;
}
