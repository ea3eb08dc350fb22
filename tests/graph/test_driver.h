#pragma once
// A driver for the layer's tests: modes over an in-memory store of colour numbers, with
// the same mode table as the window driver, built for a screen size the test chooses.
#include <cstdint>
#include <string>
#include <vector>

#include "graph/graph.h"
#include "graph_state.h"

namespace testing_support {

constexpr uint16_t Untouched = 0xEEEE;  // a pixel nothing has written

struct Screen {
  int width = 1920, height = 1080;
  int frameX = 4, frameY = 4, caption = 23;
  int fullWidth = 1920, fullHeight = 1017;  // client area of a maximised window
};

struct Options {
  bool fillHLine = true;  // leave empty to exercise the generic runs
  bool fillVLine = true;
  bool fillRuns = false;         // draw batches of runs in one call, as the window driver does
  bool fillPatternLine = false;  // a pattern row routine of its own, drawing each row at once
  bool fillPutPixel = true;      // leave empty to make modes unusable
  bool fillInitMode = true;
  bool failInitMode = false;  // InitMode reports grError
  bool fillStartHook = true;
  bool fillOutText = true;  // record text output
};

// Settings read by RegisterModes; set them before StartLayer.
extern Screen screen;
extern Options options;

// What the driver has seen.
struct Record {
  std::vector<uint16_t> pixels;  // (MaxX + 1) * (MaxY + 1), row-major
  int width = 0, height = 0;
  int initModeCalls = 0, startHookCalls = 0, closeCalls = 0;
  int hLineCalls = 0, vLineCalls = 0, directCalls = 0, putPixelCalls = 0, runsCalls = 0;
  int patternLineCalls = 0;
  int outOfBounds = 0;  // writes outside the drawing area
  int16_t palette[256][3] = {};
  int setRGBCalls = 0;
  struct Text {
    int16_t x, y;
    std::string text;
  };
  std::vector<Text> texts;
};
extern Record seen;

// The window driver's fifteen modes for `screen`, in its order.
void RegisterModes();
// ResetGraphLayerForTests, then StartGraphLayer(RegisterModes) with these settings.
void StartLayer(const Screen& s = Screen{}, const Options& o = Options{});
// StartLayer, then InitGraph with the given driver and mode; returns GraphResult.
int16_t StartGraphics(int16_t driver = Detect, int16_t mode = 0, const Screen& s = Screen{},
                      const Options& o = Options{});

// Absolute pixel of the store.
uint16_t At(int x, int y);
// Pixels with a given colour inside a rectangle (absolute, inclusive).
int Count(uint16_t color, int x1, int y1, int x2, int y2);
// Clears the store to Untouched and the call counters.
void ClearStore();

}  // namespace testing_support
