#include "test_driver.h"

#include <algorithm>
#include <utility>

#include "graph/fill.h"
#include "graph_state.h"
#include "reset_for_tests.h"

namespace testing_support {

Screen screen;
Options options;
Record seen;

namespace {

bool Inside(int x, int y) {
  return x >= 0 && y >= 0 && x < seen.width && y < seen.height;
}

void Write(int x, int y, uint16_t color) {
  if (!Inside(x, y)) {
    ++seen.outOfBounds;
    return;
  }
  uint16_t& p = seen.pixels[static_cast<size_t>(y) * seen.width + x];
  switch (Graph.WriteMode) {
    case XORPut:
      p = p == Untouched ? color : static_cast<uint16_t>(p ^ color);
      break;
    case OrPut:
      p = p == Untouched ? color : static_cast<uint16_t>(p | color);
      break;
    case AndPut:
      p = p == Untouched ? color : static_cast<uint16_t>(p & color);
      break;
    default:
      p = color;
  }
}

// Viewport-relative point, clipped when ClipPixels is set; false when clipped away.
bool ToAbsolute(int& x, int& y) {
  const ViewPortState& vp = Graph.ViewPort;
  if (vp.ClipPixels && (x < 0 || y < 0 || x > vp.Width || y > vp.Height)) return false;
  x += vp.X1;
  y += vp.Y1;
  return true;
}

void DirectPutPixel(int16_t x, int16_t y) {
  ++seen.directCalls;
  Write(x, y, Graph.CurrentColor);
}

void PutPixel(int16_t x, int16_t y, uint16_t color) {
  ++seen.putPixelCalls;
  int ax = x, ay = y;
  if (!ToAbsolute(ax, ay)) return;
  uint16_t kept = Graph.WriteMode;
  Graph.WriteMode = NormalPut;
  Write(ax, ay, color);
  Graph.WriteMode = kept;
}

uint16_t GetPixel(int16_t x, int16_t y) {
  int ax = x, ay = y;
  if (!ToAbsolute(ax, ay) || !Inside(ax, ay)) return 0;
  return seen.pixels[static_cast<size_t>(ay) * seen.width + ax];
}

void SetRGBPalette(int16_t c, int16_t r, int16_t g, int16_t b) {
  ++seen.setRGBCalls;
  if (c < 0 || c >= Graph.MaxColor) {
    Graph.ResultCode = grError;
    return;
  }
  seen.palette[c][0] = r;
  seen.palette[c][1] = g;
  seen.palette[c][2] = b;
}

void GetRGBPalette(int16_t c, int16_t& r, int16_t& g, int16_t& b) {
  if (c < 0 || c >= Graph.MaxColor) {
    Graph.ResultCode = grError;
    return;
  }
  r = seen.palette[c][0];
  g = seen.palette[c][1];
  b = seen.palette[c][2];
}

// Runs as the window driver draws them: clipped when ClipPixels is set.
void HLine(int16_t x1, int16_t x2, int16_t y) {
  ++seen.hLineCalls;
  if (x2 < x1) std::swap(x1, x2);
  const ViewPortState& vp = Graph.ViewPort;
  int a = x1, b = x2, row = y;
  if (vp.ClipPixels) {
    if (a > vp.Width || row < 0 || row > vp.Height || b < 0) return;
    a = std::max(a, 0);
    b = std::min(b, static_cast<int>(vp.Width));
  }
  for (int x = a; x <= b; ++x) Write(x + vp.X1, row + vp.Y1, Graph.CurrentColor);
}

void VLine(int16_t x, int16_t y1, int16_t y2) {
  ++seen.vLineCalls;
  if (y2 < y1) std::swap(y1, y2);
  const ViewPortState& vp = Graph.ViewPort;
  int a = y1, b = y2, col = x;
  if (vp.ClipPixels) {
    if (col > vp.Width || col < 0 || a > vp.Height || b < 0) return;
    a = std::max(a, 0);
    b = std::min(b, static_cast<int>(vp.Height));
  }
  for (int y = a; y <= b; ++y) Write(col + vp.X1, y + vp.Y1, Graph.CurrentColor);
}

void Runs(const PixelRun* runs, size_t count) {
  ++seen.runsCalls;
  for (size_t i = 0; i < count; ++i) {
    const PixelRun& r = runs[i];
    if (r.X1 == r.X2 && r.Y1 != r.Y2) {
      VLine(r.X1, r.Y1, r.Y2);
    } else {
      for (int y = std::min(r.Y1, r.Y2); y <= std::max(r.Y1, r.Y2); ++y)
        HLine(r.X1, r.X2, int16_t(y));
    }
  }
}

void InitMode() {
  ++seen.initModeCalls;
  if (options.failInitMode) {
    Graph.ResultCode = grError;
    return;
  }
  seen.width = Graph.MaxX + 1;
  seen.height = Graph.MaxY + 1;
  seen.pixels.assign(static_cast<size_t>(seen.width) * seen.height, Untouched);
}

// The layer's own rows, but one call a row: as a driver that draws them itself sees them.
void OwnPatternLine(int16_t x1, int16_t x2, int16_t y) {
  ++seen.patternLineCalls;
  PatternLine(x1, x2, y);
}

void OutTextXY(int16_t x, int16_t y, std::string_view text) {
  seen.texts.push_back({x, y, std::string(text)});
}

void StartHook() {
  ++seen.startHookCalls;
}

void CloseHook() {
  ++seen.closeCalls;
  Graph.IsGraphMode = false;
}

void Add(int16_t driver, int16_t mode, const char* name, int maxX, int maxY, int colors,
         uint16_t xAspect) {
  ModeRecord r;
  r.DriverNumber = driver;
  r.ModeNumber = mode;
  r.ModeName = name;
  r.MaxColor = r.PaletteSize = colors;
  r.MaxX = static_cast<uint16_t>(maxX);
  r.MaxY = static_cast<uint16_t>(maxY);
  r.XAspect = xAspect;
  r.YAspect = 10000;
  r.Slots.DirectPutPixel = DirectPutPixel;
  r.Slots.GetPixel = GetPixel;
  if (options.fillPutPixel) r.Slots.PutPixel = PutPixel;
  r.Slots.SetRGBPalette = SetRGBPalette;
  r.Slots.GetRGBPalette = GetRGBPalette;
  if (options.fillHLine) r.Slots.HLine = HLine;
  if (options.fillVLine) r.Slots.VLine = VLine;
  if (options.fillRuns) r.Slots.Runs = Runs;
  if (options.fillPatternLine) r.Slots.PatternLine = OwnPatternLine;
  if (options.fillInitMode) r.Slots.InitMode = InitMode;
  if (options.fillOutText) r.Slots.OutTextXY = OutTextXY;
  AddMode(r);
}

}  // namespace

void RegisterModes() {
  if (options.fillStartHook) {
    OnceOnlyStartHook = StartHook;
    CompanionHook = StartHook;
  }
  CloseGraphHook = CloseHook;
  const int w = screen.width - 2 * screen.frameX;
  const int h = screen.height - 2 * screen.frameY - screen.caption;
  if (ModeList) return;
  auto fits = [&](int mw, int mh) { return w >= mw && h >= mh; };
  if (fits(640, 480)) Add(9, 2, "640 x 480 x 16 Win32GUI", 639, 479, 16, 10000);
  if (fits(640, 200)) Add(9, 0, "640 x 200 x 16 Win32GUI", 639, 199, 16, 4500);
  if (fits(640, 350)) Add(9, 1, "640 x 350 x 16 Win32GUI", 639, 349, 16, 7750);
  if (fits(640, 400)) Add(10, 256, "640 x 400 x 256 Win32GUI", 639, 399, 256, 8333);
  if (fits(640, 480)) Add(10, 257, "640 x 480 x 256 Win32GUI", 639, 479, 256, 10000);
  if (fits(800, 600)) Add(10, 258, "800 x 600 x 16 Win32GUI", 799, 599, 16, 10000);
  if (fits(800, 600)) Add(10, 259, "800 x 600 x 256 Win32GUI", 799, 599, 256, 10000);
  if (fits(1024, 768)) Add(10, 260, "1024 x 768 x 16 Win32GUI", 1023, 767, 16, 10000);
  if (fits(1024, 768)) Add(10, 261, "1024 x 768 x 256 Win32GUI", 1023, 767, 256, 10000);
  if (fits(1280, 1024)) Add(10, 262, "1280 x 1024 x 16 Win32GUI", 1279, 1023, 16, 10000);
  if (fits(1280, 1024)) Add(10, 263, "1280 x 1024 x 256 Win32GUI", 1279, 1023, 256, 10000);
  Add(10, 240, "Largest Window x 16", w - 1, h - 1, 16, 10000);
  Add(10, 241, "Largest Window x 256", w - 1, h - 1, 256, 10000);
  Add(10, 245, "Maximized Window x 16", screen.fullWidth - 1, screen.fullHeight - 1, 16, 10000);
  Add(10, 246, "Maximized Window x 256", screen.fullWidth - 1, screen.fullHeight - 1, 256, 10000);
}

void StartLayer(const Screen& s, const Options& o) {
  screen = s;
  options = o;
  seen = Record{};
  ResetGraphLayerForTests();
  StartGraphLayer(RegisterModes);
}

int16_t StartGraphics(int16_t driver, int16_t mode, const Screen& s, const Options& o) {
  StartLayer(s, o);
  InitGraph(driver, mode, "");
  return GraphResult();
}

uint16_t At(int x, int y) {
  if (!Inside(x, y)) return Untouched;
  return seen.pixels[static_cast<size_t>(y) * seen.width + x];
}

int Count(uint16_t color, int x1, int y1, int x2, int y2) {
  int n = 0;
  for (int y = y1; y <= y2; ++y) {
    for (int x = x1; x <= x2; ++x) n += At(x, y) == color;
  }
  return n;
}

void ClearStore() {
  std::fill(seen.pixels.begin(), seen.pixels.end(), Untouched);
  seen.hLineCalls = seen.vLineCalls = seen.directCalls = seen.putPixelCalls = seen.runsCalls = 0;
  seen.patternLineCalls = 0;
  seen.outOfBounds = 0;
}

}  // namespace testing_support
