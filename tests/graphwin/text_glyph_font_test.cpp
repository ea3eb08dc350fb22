// Shapes of the built-in font, checked by properties of code page 437 characters rather
// than by a copy of the table: a console font's fallbacks give a character the glyph of a
// look-alike, which these properties tell apart.
#include <gtest/gtest.h>

#include <bit>
#include <map>

#include "glyph_font.h"

namespace {

bool Set(const GlyphImage& p, int row, int column) {
  return (p[size_t(row)] & (0x80 >> column)) != 0;
}

// The pixels along an edge of the cell, 'U' top, 'D' bottom, 'L' left, 'R' right, as
// the bits of a byte.
int EdgeBits(const GlyphImage& p, char edge) {
  if (edge == 'U' || edge == 'D') return p[edge == 'U' ? 0 : 7];
  int bits = 0;
  for (int r = 0; r < 8; ++r) bits = bits << 1 | Set(p, r, edge == 'L' ? 0 : 7);
  return bits;
}

// The number of separate strokes that reach an edge of the cell.
int StrokesAtEdge(const GlyphImage& p, char edge) {
  const unsigned bits = unsigned(EdgeBits(p, edge));
  return std::popcount(bits & ~(bits >> 1));
}

// The longest run of set pixels down one column.
int LongestColumnRun(const GlyphImage& p) {
  int best = 0;
  for (int c = 0; c < 8; ++c) {
    for (int r = 0, run = 0; r < 8; ++r) {
      run = Set(p, r, c) ? run + 1 : 0;
      best = std::max(best, run);
    }
  }
  return best;
}

// Every row the same forwards and backwards, about the middle of 7 or of 8 columns.
bool MirrorSymmetric(const GlyphImage& p) {
  auto mirrored = [&](int width) {
    for (uint8_t row : p) {
      for (int c = 0; c < 8; ++c) {
        const int m = width - 1 - c;
        const bool on = (row & (0x80 >> c)) != 0;
        if (on != (m >= 0 && (row & (0x80 >> m)) != 0)) return false;
      }
    }
    return true;
  };
  return mirrored(7) || mirrored(8);
}

TEST(GlyphFontTest, FixedCodesAndBlocks) {
  EXPECT_EQ(GlyphFont[0x41], (GlyphImage{0x38, 0x6C, 0xC6, 0xC6, 0xFE, 0xC6, 0xC6, 0x00}));
  EXPECT_EQ(GlyphFont[0xDB], (GlyphImage{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  for (int code : {0x00, 0x20, 0xFF}) EXPECT_EQ(GlyphFont[size_t(code)], GlyphImage{}) << code;
  EXPECT_EQ(GlyphFont[0xDF], (GlyphImage{0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
  EXPECT_EQ(GlyphFont[0xDD][3], 0xF0);
}

TEST(GlyphFontTest, NoTwoCharactersShareAShapeExceptTheBlankOnes) {
  std::map<GlyphImage, int> first;
  for (int code = 0; code < 256; ++code) {
    const auto [at, fresh] = first.emplace(GlyphFont[size_t(code)], code);
    if (fresh || (code == 0x20 || code == 0xFF)) continue;
    ADD_FAILURE() << std::hex << "codes " << at->second << " and " << code << " look alike";
  }
}

TEST(GlyphFontTest, BoxCharactersHaveTheirSingleAndDoubleStrokes) {
  // For 0xB3..0xDA, the strokes leaving the cell upwards, downwards, left and right:
  // 0 none, 1 a single line, 2 a double line.
  const char* const edgeStrokes[] = {
      "1100", "1110", "1120", "2210", "0210", "0120", "2220", "2200", "0220", "2020",
      "2010", "1020", "0110", "1001", "1011", "0111", "1101", "0011", "1111", "1102",
      "2201", "2002", "0202", "2022", "0222", "2202", "0022", "2222", "1022", "2011",
      "0122", "0211", "2001", "1002", "0102", "0201", "2211", "1122", "1010", "0101",
  };
  for (int code = 0xB3; code <= 0xDA; ++code) {
    SCOPED_TRACE(testing::Message() << std::hex << "code " << code);
    const GlyphImage& p = GlyphFont[size_t(code)];
    for (int e = 0; e < 4; ++e) {
      const char edge = "UDLR"[e];
      const int strokes = edgeStrokes[code - 0xB3][e] - '0';
      EXPECT_EQ(StrokesAtEdge(p, edge), strokes) << edge;
      if (strokes == 0) continue;
      // Where a line leaves the cell it lies where the straight lines lie, so boxes join.
      const bool upDown = e < 2;
      const int straight = upDown ? (strokes == 1 ? 0xB3 : 0xBA) : (strokes == 1 ? 0xC4 : 0xCD);
      EXPECT_EQ(EdgeBits(p, edge), EdgeBits(GlyphFont[size_t(straight)], edge)) << edge;
    }
  }
}

TEST(GlyphFontTest, TrianglesAreSolidNotArrows) {
  // Each row of a solid triangle is one run, widening towards its base; an arrow's shaft
  // is narrower than its head.
  auto widensDownwards = [](const GlyphImage& p, bool upsideDown) {
    int last = 0, widths = 0;
    for (int i = 0; i < 8; ++i) {
      const uint8_t row = p[size_t(upsideDown ? 7 - i : i)];
      if (!row) continue;
      const int width = std::popcount(row);
      if (width < last || std::countl_zero(row) + width + std::countr_zero(row) != 8) return false;
      widths += width > last;
      last = width;
    }
    return widths >= 3;
  };
  EXPECT_TRUE(widensDownwards(GlyphFont[0x1E], false));   // up-pointing triangle
  EXPECT_TRUE(widensDownwards(GlyphFont[0x1F], true));    // down-pointing triangle
  EXPECT_FALSE(widensDownwards(GlyphFont[0x18], false));  // up arrow
  EXPECT_FALSE(widensDownwards(GlyphFont[0x19], true));   // down arrow
}

TEST(GlyphFontTest, GreekLettersHaveTheirOwnShapes) {
  // Small letters without ascenders leave the two top rows empty, unlike the sharp s,
  // less-than-or-equal and integral top that console fonts put in their place.
  for (int code : {0xE0, 0xE5, 0xE7, 0xEE}) {
    EXPECT_EQ(GlyphFont[size_t(code)][0] | GlyphFont[size_t(code)][1], 0) << std::hex << code;
  }
  EXPECT_NE(GlyphFont[0xE1][0], 0);  // sharp s rises to the top
  // Gamma: a bar along the top and a stem down the left; not the tee of a box.
  const GlyphImage& gamma = GlyphFont[0xE2];
  EXPECT_GE(std::popcount(gamma[0]), 5);
  EXPECT_GE(LongestColumnRun(gamma), 6);
  EXPECT_EQ(StrokesAtEdge(gamma, 'L'), 1);
  // Capital sigma: bars at top and bottom.
  EXPECT_GE(std::popcount(GlyphFont[0xE4][0]), 5);
  EXPECT_GE(std::popcount(GlyphFont[0xE4][6]), 5);
  // Pi's legs and phi's stem are vertical strokes; identical-to and divide have none.
  EXPECT_GE(LongestColumnRun(GlyphFont[0xE3]), 4);
  EXPECT_GE(LongestColumnRun(GlyphFont[0xED]), 5);
  EXPECT_LE(LongestColumnRun(GlyphFont[0xF0]), 1);
  EXPECT_LE(LongestColumnRun(GlyphFont[0xF6]), 1);
  // Phi, Theta and Omega are mirror-symmetric; the box corners they were drawn as are not.
  for (int code : {0xE8, 0xE9, 0xEA}) {
    EXPECT_TRUE(MirrorSymmetric(GlyphFont[size_t(code)])) << std::hex << code;
  }
  for (int code : {0xD6, 0xC8, 0xD9}) {
    EXPECT_FALSE(MirrorSymmetric(GlyphFont[size_t(code)])) << std::hex << code;
  }
}

}  // namespace
