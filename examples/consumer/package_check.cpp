// Checks, on the in-memory display, that a program built against the package gets the
// whole stack: the graph window opens, drawing reaches it, and a key pressed in it reaches
// the key buffer. Prints one line and exits 0 when all holds, else says what failed.
#include <cstdio>

#include "graph/fill.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "keys/key_buffer.h"
#include "platform/headless/headless.h"
#include "platform/win_types.h"

namespace {

int Fail(const char* what) {
  std::fprintf(stderr, "package check: %s\n", what);
  return 1;
}

}  // namespace

int main() {
  if (!platform::headless::UseHeadless()) return Fail("the in-memory display is not available");
  StartGraphWindowDriver();
  StartKeyBuffer();
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  if (GraphResult() != grOk) return Fail("InitGraph did not start the graphics");
  const HWND window = platform::headless::LastWindow();
  if (window == nullptr) return Fail("no graph window was made");

  SetFillStyle(SolidFill, 4);
  Bar(10, 10, 29, 19);
  if (GetPixel(15, 15) != 4) return Fail("the bar is not in the drawing");
  if (platform::headless::Pixel(window, 15, 15) != RGB(168, 0, 0)) {
    return Fail("the bar does not show in the window");
  }

  platform::headless::KeyDown(window, 'A', 'a');
  if (ReadKey() != 'a') return Fail("the key pressed in the window did not arrive");

  CloseGraph();
  std::printf("package check: window, drawing and keys work\n");
  return 0;
}
