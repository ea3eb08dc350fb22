#include "text_output.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "driver_state.h"
#include "glyph_font.h"
#include "graph/graph.h"
#include "graph/text.h"
#include "graph_state.h"
#include "graphwin/driver.h"
#include "runtime/console_output.h"

std::optional<std::array<uint8_t, 8>> MakeGlyphImageFromFont(uint8_t code, int direction) {
  return GlyphImageOf(code, direction != HorizDir);
}

GlyphImageMaker MakeGlyphImage = MakeGlyphImageFromFont;

namespace {

struct Offsets {
  int h = 0, v = 0;
};

// Halves rounded down, also for negative sizes.
int Half(int n) {
  return n >= 0 ? n / 2 : -((1 - n) / 2);
}

// The start point moves by (-h, +v) for the text's justification.
Offsets JustificationOffsets(bool stroked, bool vertical, int width, int height) {
  const TextSettingsType& ts = Graph.TextSettings;
  // Horizontally the run of the text counts: its width, or for vertical text its height.
  const int across = vertical ? height : width;
  Offsets o;
  if (ts.Horiz == CenterText) o.h = Half(across);
  if (ts.Horiz == RightText) o.h = across;
  if (vertical) {
    if (ts.Vert == 1) o.v = Half(width);
    if (ts.Vert == TopText) o.v = width;
  } else if (stroked) {
    if (ts.Vert == 1) o.v = Half(height);
    if (ts.Vert == TopText) o.v = height;
  } else {
    if (ts.Vert == BottomText) o.v = -height;
    if (ts.Vert == 1) o.v = -Half(height);
  }
  return o;
}

struct Rect {
  int left, top, right, bottom;  // bounds included
};

// Paints the pixels of one image row run, clipped; nothing around them changes.
void PaintBlockLocked(int x, int y, int w, int h, const Rect& clip, Ink ink) {
  const int left = std::max(x, clip.left), top = std::max(y, clip.top);
  const int right = std::min(x + w - 1, clip.right), bottom = std::min(y + h - 1, clip.bottom);
  if (left > right || top > bottom) return;
  FillRectLocked(left, top, right - left + 1, bottom - top + 1, ink);
}

// Draws an 8 x 8 image scaled by s with its top-left corner at (x, y): one block per run
// of set pixels, taken over as many equal rows as follow each other.
void PaintGlyphLocked(const std::array<uint8_t, 8>& image, int x, int y, int s, const Rect& clip,
                      Ink ink) {
  int row = 0;
  while (row < 8) {
    const uint8_t bits = image[row];
    int rows = 1;
    while (row + rows < 8 && image[row + rows] == bits) ++rows;
    int col = 0;
    while (col < 8) {
      if (!(bits & (0x80 >> col))) {
        ++col;
        continue;
      }
      int end = col;
      while (end + 1 < 8 && (bits & (0x80 >> (end + 1)))) ++end;
      PaintBlockLocked(x + col * s, y + row * s, (end - col + 1) * s, rows * s, clip, ink);
      col = end + 1;
    }
    row += rows;
  }
}

// Text in the built-in font: cached character images, under graphLock for the whole text,
// clipped to the viewport whatever ClipPixels says.
void OutBuiltInText(int x, int y, std::string_view text) {
  const TextSettingsType& ts = Graph.TextSettings;
  const ViewPortState& vp = Graph.ViewPort;
  const bool vertical = ts.Direction != HorizDir;
  const int s = std::max<int>(ts.CharSize, 1);
  const int cell = 8 * s;

  const Offsets o = JustificationOffsets(false, vertical, TextWidth(text), TextHeight(text));
  x -= o.h;
  y += o.v;
  if (x > vp.Width || y > vp.Height || x < 0 || y < 0) return;

  int failures = 0;
  {
    std::lock_guard lock(graphLock);
    if (!windowReady || !backingBitmap) return;
    Ink ink = InkOf(Graph.CurrentColor);
    // White text in the game's windows is pure white; a palette window shows the palette's.
    if (Graph.CurrentColor == 15 && !pagePlanes.inUse()) ink.rgb = RGB(255, 255, 255);
    x += vp.X1;
    y += vp.Y1;
    const Rect clip{std::max<int>(vp.X1, 0), std::max<int>(vp.Y1, 0),
                    std::min(vp.X1 + vp.Width, backingBitmap->width() - 1),
                    std::min(vp.Y1 + vp.Height, backingBitmap->height() - 1)};
    const int dir = vertical ? VerticalGlyphs : HorizontalGlyphs;
    for (size_t i = 0; i < text.size(); ++i) {
      const int step = cell * int(i);
      const int cx = vertical ? x : x + step;
      const int cy = vertical ? y + 1 - step - cell : y;
      // The text only moves away from the clip rectangle from here on.
      if (cx > clip.right || cy + cell - 1 < clip.top) break;
      if (cx + cell - 1 < clip.left || cy > clip.bottom) continue;
      const uint8_t code = uint8_t(text[i]);
      std::optional<GlyphImage>& slot = GlyphCache[dir][code];
      if (!slot) slot = MakeGlyphImage(code, dir);
      if (!slot) {
        ++failures;
        continue;
      }
      PaintGlyphLocked(*slot, cx, cy, s, clip, ink);
    }
  }
  // Reported after the lock is left: a failed console write ends the program.
  for (int i = 0; i < failures; ++i) WriteLine(GlyphImageFailureLine);
}

int16_t ToCoordinate(float v) {
  if (std::isnan(v)) return 0;
  const float t = std::trunc(v);
  return int16_t(std::clamp(t, -32768.0f, 32767.0f));
}

struct Point {
  float x, y;
};

// Text in a loaded stroked font, drawn as lines through the layer's Line routine, which
// clips. The stroke data comes from a file: every read is checked against the loaded block.
void OutStrokedText(int x, int y, std::string_view text) {
  const TextSettingsType& ts = Graph.TextSettings;
  if (ts.Font > NumFonts || ts.Font >= MaxFonts + 1) return;
  const FontEntry& font = Fonts[ts.Font];
  if (font.Data.empty()) return;
  const bool vertical = ts.Direction != HorizDir;
  const float xf = ts.XScale, yf = ts.YScale;

  const Offsets o = JustificationOffsets(true, vertical, TextWidth(text), TextHeight(text));
  x -= o.h;
  y += o.v;
  Graph.LineSettings.LineStyle = SolidLn;
  Graph.LineSettings.Thickness = NormWidth;
  if (vertical) {
    const int ascent = int(int8_t(font.Header[8])) - int(int8_t(font.Header[10]));
    x += int(std::trunc(float(ascent) * yf));
  }

  const int count = int16_t(font.Header[1] | (font.Header[2] << 8));
  const int first = font.Header[4];
  const std::vector<uint8_t>& data = font.Data;
  Point origin{float(x), float(y)};
  Point pen = origin;
  for (const char ch : text) {
    const int c = uint8_t(ch);
    if (c < first || c >= first + count) continue;  // not in the font
    const int start = font.Offsets[c];
    for (size_t at = size_t(std::max(start, 0)); start >= 0 && at + 1 < data.size(); at += 2) {
      const uint8_t b1 = data[at], b2 = data[at + 1];
      const int op = ((b1 & 0x80) ? 1 : 0) | ((b2 & 0x80) ? 2 : 0);
      if (op == 0) break;  // end of the character
      if (op == 2) continue;
      int dx = b1 & 0x7F, dy = b2 & 0x7F;
      if (dx & 0x40) dx -= 0x80;
      if (dy & 0x40) dy -= 0x80;
      const Point next = vertical ? Point{origin.x - float(dy) * yf, origin.y - float(dx) * xf}
                                  : Point{origin.x + float(dx) * xf, origin.y - float(dy) * yf};
      if (op == 3) {
        Line(ToCoordinate(pen.x), ToCoordinate(pen.y), ToCoordinate(next.x), ToCoordinate(next.y));
      }
      pen = next;
    }
    const float advance = float(font.Widths[c]) * xf;
    if (vertical) {
      origin.y -= advance;
    } else {
      origin.x += advance;
    }
  }
}

}  // namespace

void DriverOutTextXY(int16_t x, int16_t y, std::string_view text) {
  SavedLineState saved;
  Graph.WriteMode = NormalPut;
  if (Graph.TextSettings.Font == DefaultFont) {
    OutBuiltInText(x, y, text);
  } else {
    // One hold for the whole text: the routines its lines reach take graphLock again,
    // which costs its holder no wait.
    std::lock_guard lock(graphLock);
    OutStrokedText(x, y, text);
  }
}
