// The length of a font file found from its pointer alone, as registerbgifont needs it.
#include <gtest/gtest.h>

#include <vector>

#include "font_length.h"
#include "testing/test_font.h"

namespace {

TEST(FontLength, ReachesTheEndOfTheLastStrokeList) {
  for (int16_t count : {1, 3, 40}) {
    const std::vector<uint8_t> font = testing_support::BuildFont({.count = count});
    EXPECT_EQ(bgi::FontFileLength(font.data()), font.size()) << count;
  }
}

TEST(FontLength, StopsAtWhatCannotBeAFont) {
  const uint8_t junk[4] = {'J', 'U', 'N', 'K'};
  EXPECT_EQ(bgi::FontFileLength(junk), 4u);
  std::vector<uint8_t> font = testing_support::BuildFont();
  font[testing_support::StrokeHeaderAt] = '-';  // not a stroke header
  EXPECT_EQ(bgi::FontFileLength(font.data()), 144u);
  font = testing_support::BuildFont();
  font[testing_support::TablesAt + 1] = 0x80;  // a negative offset
  EXPECT_EQ(bgi::FontFileLength(font.data()), 144u);
}

}  // namespace
