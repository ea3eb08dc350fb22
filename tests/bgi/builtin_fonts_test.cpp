// The stroke fonts made from the Hershey fonts at build time, read by the layer's own font
// reader as any font file is.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "builtin_fonts.h"
#include "font_file.h"
#include "graph/text.h"
#include "graph_state.h"

namespace {

struct Ink {
  int left = 1000, right = -1000, bottom = 1000, top = -1000;
  bool drawn = false;
};

// Where a character's strokes reach, in font units relative to its origin.
Ink InkOf(const FontEntry& font, int code) {
  Ink ink;
  for (size_t at = size_t(font.Offsets[code]); at + 1 < font.Data.size(); at += 2) {
    const uint8_t b1 = font.Data[at], b2 = font.Data[at + 1];
    if (!(b1 & 0x80) && !(b2 & 0x80)) break;
    const int dx = (b1 & 0x40) ? (b1 & 0x7F) - 0x80 : (b1 & 0x7F);
    const int dy = (b2 & 0x40) ? (b2 & 0x7F) - 0x80 : (b2 & 0x7F);
    ink.left = std::min(ink.left, dx);
    ink.right = std::max(ink.right, dx);
    ink.bottom = std::min(ink.bottom, dy);
    ink.top = std::max(ink.top, dy);
    ink.drawn = ink.drawn || ((b1 & 0x80) && (b2 & 0x80));
  }
  return ink;
}

TEST(BuiltInFonts, TenFontsInNumberOrder) {
  std::vector<std::string> names;
  for (const bgi::BuiltInFont& font : bgi::BuiltInFonts()) names.emplace_back(font.name);
  EXPECT_EQ(names, (std::vector<std::string>{"TRIP", "LITT", "SANS", "GOTH", "SCRI", "SIMP", "TSCR",
                                             "LCOM", "EURO", "BOLD"}));
}

TEST(BuiltInFonts, EachLoadsWithEveryPrintableCharacterInsideItsCell) {
  std::vector<std::vector<uint8_t>> strokes;
  for (const bgi::BuiltInFont& font : bgi::BuiltInFonts()) {
    SCOPED_TRACE(font.name);
    FontEntry entry;
    ASSERT_EQ(LoadFontFromBytes(font.file, entry), grOk);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(entry.Info) + 2, 4), font.name);
    const int count = int16_t(entry.Header[1] | (entry.Header[2] << 8));
    const int first = entry.Header[4];
    ASSERT_LE(first, ' ');
    ASSERT_GE(first + count - 1, '~');
    // The origin is on the lowest descender: the text height is the whole of the font.
    const int top = int8_t(entry.Header[8]);
    EXPECT_EQ(entry.Header[10], 0);
    EXPECT_GE(top, 10);

    for (int c = ' '; c <= '~'; ++c) {
      SCOPED_TRACE(c);
      const Ink ink = InkOf(entry, c);
      EXPECT_EQ(ink.drawn, c != ' ');
      EXPECT_GE(entry.Widths[c], top / 6);  // a script i is narrow
      EXPECT_LT(entry.Widths[c], 2 * top);
      if (!ink.drawn) continue;
      EXPECT_GE(ink.bottom, 0);
      EXPECT_LE(ink.top, top);
      // Script and italic strokes reach a little into their neighbours, no further.
      EXPECT_GE(ink.left, -top / 4);
      EXPECT_LE(ink.right, entry.Widths[c] + top / 4);
    }
    strokes.push_back(entry.Data);
  }
  // Ten faces, not one face ten times.
  for (size_t i = 0; i < strokes.size(); ++i) {
    for (size_t j = i + 1; j < strokes.size(); ++j) EXPECT_NE(strokes[i], strokes[j]) << i << j;
  }
}

TEST(BuiltInFonts, SmallFontIsHalfTheSizeOfTheOthers) {
  std::vector<int> heights;
  for (const bgi::BuiltInFont& font : bgi::BuiltInFonts()) {
    FontEntry entry;
    ASSERT_EQ(LoadFontFromBytes(font.file, entry), grOk);
    heights.push_back(int8_t(entry.Header[8]));
  }
  const int small = heights[SmallFont - 1], simplex = heights[SimplexFont - 1];
  EXPECT_GE(small, simplex * 4 / 10);
  EXPECT_LE(small, simplex * 6 / 10);
}

}  // namespace
