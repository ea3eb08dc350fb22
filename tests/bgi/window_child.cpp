// A program with an initwindow window whose close button it presses itself, as its user
// would; the window tests run it in a child process and look at how it ends. argv[1]:
// "ends" (the close ends the program), "stays" (the close is left to the program) or
// "initgraph" (a window of initgraph's, whose close ends the program too).
#include <graphics.h>

#include <cstdio>
#include <cstring>

#include "platform/headless/headless.h"

int main(int argc, char** argv) {
  const char* mode = argc > 1 ? argv[1] : "";
  const bool closeEnds = std::strcmp(mode, "stays") != 0;
  if (std::strcmp(mode, "initgraph") == 0) {
    int driver = DETECT, graphMode = 0;
    initgraph(&driver, &graphMode, "");
    if (graphresult() != grOk) return 2;
  } else if (initwindow(120, 80, "child", 0, 0, false, closeEnds) < 0) {
    return 2;
  }
  const HWND window = platform::headless::LastWindow();
  if (!platform::headless::Close(window)) return 2;
  if (closeEnds) {
    getch();  // no key comes: only the close can end the program
    return 1;
  }
  delay(300);
  const auto info = platform::headless::Info(window);
  std::printf("%s\n", info && info->shown && getcurrentwindow() >= 0 ? "open" : "gone");
  return 3;
}
