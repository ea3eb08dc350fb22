// The README's example: opens the graph window, draws a red bar and waits for a key or the
// close button.
#include <chrono>
#include <thread>

#include "graph/fill.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "keys/key_buffer.h"

int main() {
  StartGraphWindowDriver();
  StartKeyBuffer();
  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  if (GraphResult() != grOk) return 1;
  SetFillStyle(SolidFill, 4);  // red
  Bar(20, 20, 200, 120);
  while (!KeyPressed() && MessageThreadExitCode() == STILL_ACTIVE) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}
