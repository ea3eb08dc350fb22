// Opens the graph window with automatic detection, draws a row of bars and a few filled
// ellipses, and keeps the window until it is closed or a key is pressed in it.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "graph/fill.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "graphwin/hooks.h"

namespace {

std::atomic<bool> keyPressed{false};

LRESULT NoteKey(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_KEYDOWN) keyPressed = true;
  return 0;
}

void DrawPicture() {
  const int maxX = GetMaxX(), maxY = GetMaxY();
  const int bars = 12;
  const int slot = (maxX + 1) / bars;
  for (int i = 0; i < bars; ++i) {
    SetFillStyle(SolidFill, uint16_t(1 + i % 15));
    const int height = (maxY / 2) * (i + 1) / bars;
    Bar(int16_t(i * slot + slot / 8), int16_t(maxY / 2 - height),
        int16_t((i + 1) * slot - slot / 8), int16_t(maxY / 2));
  }
  const int centreY = maxY * 3 / 4;
  for (int i = 0; i < 5; ++i) {
    SetFillStyle(i % 2 ? HatchFill : SolidFill, uint16_t(9 + i));
    SetColor(uint16_t(9 + i));
    FillEllipse(int16_t((maxX + 1) * (2 * i + 1) / 10), int16_t(centreY), uint16_t(slot / 2 + 10),
                uint16_t(maxY / 8));
  }
}

}  // namespace

int main() {
  StartGraphWindowDriver();
  KeyMessageHook = NoteKey;

  int16_t driver = Detect, mode = 0;
  InitGraph(driver, mode, "");
  if (const int16_t result = GraphResult(); result != grOk) {
    std::fprintf(stderr, "graphics did not start (%d)\n", result);
    return 1;
  }
  DrawPicture();
  std::printf("Drawn in %d x %d; close the window or press a key in it.\n", GetMaxX() + 1,
              GetMaxY() + 1);
  std::fflush(stdout);

  // The picture lives in the driver's bitmap, so covering or minimising the window only
  // needs the repaint the message thread does by itself.
  while (MessageThreadExitCode() == STILL_ACTIVE && !keyPressed) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  KeyMessageHook = nullptr;
  return 0;
}
