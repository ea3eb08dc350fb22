#pragma once
// Shared set-up of the text tests: a graph window on the in-memory display, both surfaces
// read back, and stroked-font files built byte by byte.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

#include "driver_state.h"
#include "graph/graph.h"
#include "graph/text.h"
#include "graphwin/driver.h"
#include "headless_window.h"
#include "text_output.h"

using PixelSet = std::set<std::pair<int, int>>;

// Fills the whole drawing on both surfaces with v.
inline void FillBoth(COLORREF v) {
  std::lock_guard lock(graphLock);
  FillRectLocked(0, 0, DrawingWidthLocked(), DrawingHeightLocked(), Ink{0, v});
}

inline COLORREF BitmapAt(int x, int y) {
  std::lock_guard lock(graphLock);
  return backingBitmap->pixel(x, y);
}

// The absolute points in (x0, y0)..(x1, y1) whose bitmap value differs from background;
// also checks that the window shows exactly what the bitmap holds there.
inline PixelSet ChangedPixels(int x0, int y0, int x1, int y1, COLORREF background) {
  std::lock_guard lock(graphLock);
  PixelSet changed;
  for (int y = std::max(y0, 0); y <= std::min(y1, DrawingHeightLocked() - 1); ++y) {
    for (int x = std::max(x0, 0); x <= std::min(x1, DrawingWidthLocked() - 1); ++x) {
      const COLORREF v = backingBitmap->pixel(x, y);
      EXPECT_EQ(windowSurface->pixels().pixel(x, y), v) << "window differs at " << x << "," << y;
      if (v != background) changed.insert({x, y});
    }
  }
  return changed;
}

inline PixelSet AllChangedPixels(COLORREF background) {
  return ChangedPixels(0, 0, 1 << 16, 1 << 16, background);
}

// Every text test starts from the defaults in a mode found by detection, on a black
// drawing.
class TextTest : public HeadlessWindowTest {
 protected:
  void SetUp() override {
    HeadlessWindowTest::SetUp();
    openMode(Detect, 0);
    ASSERT_EQ(GraphResult(), grOk);
    ASSERT_TRUE(windowReady);
    MakeGlyphImage = MakeGlyphImageFromFont;
    FillBoth(RGB(0, 0, 0));
  }
  void TearDown() override {
    MakeGlyphImage = MakeGlyphImageFromFont;
    HeadlessWindowTest::TearDown();
  }
};

// One stroke of a character: 'd' draw, 'm' move, 'i' ignore, 'e' end.
struct Stroke {
  char op;
  int dx, dy;
};

inline std::pair<uint8_t, uint8_t> EncodeStroke(const Stroke& s) {
  const bool top1 = s.op == 'd' || s.op == 'm';
  const bool top2 = s.op == 'd' || s.op == 'i';
  return {uint8_t((s.dx & 0x7F) | (top1 ? 0x80 : 0)), uint8_t((s.dy & 0x7F) | (top2 ? 0x80 : 0))};
}

struct StrokedGlyph {
  uint8_t code;
  uint8_t width;
  std::vector<Stroke> strokes;  // written as given; add the end mark yourself
};

// A font file: 128-byte header (signature, 0x1A, 12 info bytes), 16-byte stroke header,
// offsets, widths, stroke data. The first glyph's strokes start at offset 0, where the
// offsets of codes outside the font also point; codes between the glyphs get an empty
// stroke list after the glyphs' strokes.
inline std::vector<uint8_t> BuildFontFile(const std::vector<StrokedGlyph>& glyphs, int8_t top,
                                          int8_t bottom) {
  int first = 255, last = 0;
  for (const auto& g : glyphs) {
    first = std::min<int>(first, g.code);
    last = std::max<int>(last, g.code);
  }
  const int count = last - first + 1;
  std::vector<uint8_t> data;
  std::vector<int16_t> offsets(size_t(count), -1);
  std::vector<uint8_t> widths(size_t(count), 0);
  for (const auto& g : glyphs) {
    offsets[size_t(g.code - first)] = int16_t(data.size());
    widths[size_t(g.code - first)] = g.width;
    for (const Stroke& s : g.strokes) {
      auto [b1, b2] = EncodeStroke(s);
      data.push_back(b1);
      data.push_back(b2);
    }
  }
  for (int16_t& o : offsets) {
    if (o < 0) o = int16_t(data.size());
  }
  data.insert(data.end(), {0, 0});  // the shared empty list
  std::vector<uint8_t> file(128, 0);
  const char text[] = "PK\x08\x08Test font built by hand\r\n";
  std::copy(text, text + sizeof text - 1, file.begin());
  file[40] = 0x1A;
  const uint8_t info[12] = {0x80, 0, 'T', 'E', 'S', 'T', 0, 0, 1, 0, 1, 0};
  std::copy(info, info + 12, file.begin() + 41);
  std::vector<uint8_t> header(16, 0);
  header[0] = '+';
  header[1] = uint8_t(count & 0xFF);
  header[2] = uint8_t(count >> 8);
  header[4] = uint8_t(first);
  const int dataAt = 16 + 3 * count;
  header[5] = uint8_t(dataAt & 0xFF);
  header[6] = uint8_t(dataAt >> 8);
  header[8] = uint8_t(top);
  header[10] = uint8_t(bottom);
  file.insert(file.end(), header.begin(), header.end());
  for (int16_t o : offsets) {
    file.push_back(uint8_t(o & 0xFF));
    file.push_back(uint8_t(uint16_t(o) >> 8));
  }
  file.insert(file.end(), widths.begin(), widths.end());
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

// The pixels of axis-parallel or diagonal segments, both ends included.
inline PixelSet SegmentPixels(
    std::initializer_list<std::pair<std::pair<int, int>, std::pair<int, int>>> segments) {
  PixelSet pixels;
  for (const auto& [a, b] : segments) {
    const int steps = std::max(std::abs(b.first - a.first), std::abs(b.second - a.second));
    const int sx = (b.first > a.first) - (b.first < a.first);
    const int sy = (b.second > a.second) - (b.second < a.second);
    for (int i = 0; i <= steps; ++i) pixels.insert({a.first + i * sx, a.second + i * sy});
  }
  return pixels;
}
