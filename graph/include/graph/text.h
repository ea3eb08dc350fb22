#pragma once
// Text settings and the stroked-font registry. The program's thread, as all of the layer
// (graph.h).
#include <cstdint>
#include <string_view>
#include <vector>

struct FontEntry {
  char Name[9] = {};          // up to 8 characters
  uint8_t Header[16] = {};    // stroke header: '+', character count (int16), ..., first code
  uint8_t Info[12] = {};      // font information from the file header
  int16_t Offsets[256] = {};  // stroke offset of each character code
  uint8_t Widths[256] = {};   // width of each character code
  int32_t Size = 0;           // loaded block size (file size + 1), 0 when not loaded
  std::vector<uint8_t> Data;  // stroke data, empty while not loaded
};

constexpr int MaxFonts = 16;
extern int16_t NumFonts;
extern FontEntry Fonts[MaxFonts + 1];  // entries 1..NumFonts

uint16_t InstallUserFont(std::string_view name);
void SetTextStyle(uint16_t font, uint16_t direction, uint16_t size);
void SetTextJustify(uint16_t horiz, uint16_t vert);
void OutTextXY(int16_t x, int16_t y, std::string_view text);
void OutText(std::string_view text);
int16_t TextWidth(std::string_view text);
int16_t TextHeight(std::string_view text);
