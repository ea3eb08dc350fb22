// The stroked-font registry and the text style.
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "font_file.h"
#include "graph/text.h"
#include "graph_state.h"
#include "layer_internal.h"

int16_t NumFonts = 0;
FontEntry Fonts[MaxFonts + 1];

namespace {

// Stroke scale factor of each character size 1..10.
constexpr float ScaleBySize[11] = {0.0f,  0.55f, 0.65f, 0.75f, 1.0f, 1.3f,
                                   1.65f, 2.0f,  2.5f,  3.0f,  4.0f};

}  // namespace

uint16_t InstallUserFont(std::string_view name) {
  Graph.ResultCode = grOk;
  if (NumFonts >= MaxFonts) {
    Graph.ResultCode = grError;
    return 0;
  }
  ++NumFonts;
  FontEntry& entry = Fonts[NumFonts];
  entry = FontEntry{};
  std::string_view kept = name.substr(0, 8);
  std::memcpy(entry.Name, kept.data(), kept.size());
  return static_cast<uint16_t>(NumFonts);
}

void RegisterStandardFonts() {
  for (const char* name :
       {"TRIP", "LITT", "SANS", "GOTH", "SCRI", "SIMP", "TSCR", "LCOM", "EURO", "BOLD"}) {
    InstallUserFont(name);
  }
}

void FreeFonts() {
  for (FontEntry& entry : Fonts) entry = FontEntry{};
  NumFonts = 0;
}

void SetTextStyle(uint16_t font, uint16_t direction, uint16_t size) {
  if (font > static_cast<uint16_t>(NumFonts)) {
    Graph.ResultCode = grInvalidFontNum;
    return;
  }
  TextSettingsType& text = Graph.TextSettings;
  text.Font = font;
  text.Direction = direction <= VertDir ? direction : HorizDir;
  if (font == DefaultFont && size > 10) {
    text.CharSize = 10;
  } else {
    text.CharSize = size == 0 ? 1 : size;
  }
  if (size >= 1 && size <= 10) text.XScale = text.YScale = ScaleBySize[size];
  if (font == DefaultFont || !Fonts[font].Data.empty()) return;

  // The path ends in '/' after InitGraph; before it, it may still be the bare ".".
  std::string fileName = Graph.DriverPath;
  if (!fileName.empty() && fileName.back() != '/') fileName += '/';
  fileName += Fonts[font].Name;
  fileName += ".CHR";
  std::vector<uint8_t> bytes;
  FontFileRead read = ReadFontFile(fileName, bytes);
  if (read == FontFileRead::NotFound) {
    Graph.ResultCode = grFontNotFound;
    text.Font = DefaultFont;
    return;
  }
  if (read != FontFileRead::Ok || LoadFontFromBytes(bytes, Fonts[font]) != grOk) {
    Graph.ResultCode = grInvalidFont;
    text.Font = DefaultFont;
  }
}
