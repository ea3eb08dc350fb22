// Text justification, output entry points and text metrics.
#include <cmath>

#include "graph/graph.h"
#include "graph/text.h"
#include "layer_internal.h"

namespace {

constexpr size_t MaxTextLength = 255;

int16_t Clamp16(int64_t v) {
  return static_cast<int16_t>(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v);
}

// The loaded stroked font in use, or nullptr for the built-in font.
const FontEntry* StrokedFont() {
  uint16_t font = Graph.TextSettings.Font;
  if (font == DefaultFont || font > static_cast<uint16_t>(NumFonts)) return nullptr;
  const FontEntry& entry = Fonts[font];
  return entry.Data.empty() ? nullptr : &entry;
}

}  // namespace

void SetTextJustify(uint16_t horiz, uint16_t vert) {
  if (horiz > RightText || vert > TopText) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.TextSettings.Horiz = horiz;
  Graph.TextSettings.Vert = vert;
}

void OutTextXY(int16_t x, int16_t y, std::string_view text) {
  Graph.Slots.OutTextXY(x, y, text.substr(0, MaxTextLength));
}

// Text before a mode is set is drawing without a mode like any other; a mode whose driver
// has no text routine only reports the request.
void GenericOutTextXY(int16_t, int16_t, std::string_view) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  Graph.ResultCode = grError;
}

void OutText(std::string_view text) {
  OutTextXY(Graph.CurrentX, Graph.CurrentY, text);
  if (Graph.TextSettings.Horiz == LeftText && Graph.TextSettings.Direction == HorizDir) {
    Graph.CurrentX = Clamp16(int64_t{Graph.CurrentX} + TextWidth(text.substr(0, MaxTextLength)));
  }
}

int16_t TextWidth(std::string_view text) {
  const FontEntry* font = StrokedFont();
  if (!font) return Clamp16(static_cast<int64_t>(text.size()) * 8 * Graph.TextSettings.CharSize);
  const int32_t count = static_cast<int16_t>(font->Header[1] | (font->Header[2] << 8));
  const int32_t first = font->Header[4];
  int64_t sum = 0;
  for (unsigned char c : text) {
    if (c >= first && c < first + count) sum += font->Widths[c];
  }
  // To the nearest integer, halves down (17.5 gives 17), whatever the rounding mode.
  const double scaled = static_cast<float>(sum) * Graph.TextSettings.XScale;
  return Clamp16(static_cast<int64_t>(std::ceil(scaled - 0.5)));
}

int16_t TextHeight(std::string_view) {
  const FontEntry* font = StrokedFont();
  if (!font) return Clamp16(int64_t{8} * Graph.TextSettings.CharSize);
  int32_t height = static_cast<int8_t>(font->Header[8]) - static_cast<int8_t>(font->Header[10]);
  return Clamp16(static_cast<int64_t>(std::trunc(height * Graph.TextSettings.YScale)));
}
