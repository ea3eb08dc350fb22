// The C names of the layer's shapes, images, queries and font registration, from C.
#include <string>
#include <vector>

#include "c_front_fixture.h"
#include "classic_shapes.h"
#include "testing/test_font.h"

namespace {

TEST_F(CFrontTest, FloodFilledCircleIsCopiedWithGetImageAndPutImage) {
  start640x480();
  EXPECT_GT(draw_filled_circle_and_copy(), 0u);
  const COLORREF red = RGB(168, 0, 0), white = RGB(252, 252, 252);
  EXPECT_EQ(shown(100, 100), red);
  EXPECT_EQ(shown(100, 80), white);  // the top of the outline
  EXPECT_EQ(shown(125, 100), 0u);    // outside it
  EXPECT_EQ(shown(322, 322), red);   // the copy's centre
  EXPECT_EQ(shown(322, 302), white);
  EXPECT_EQ(shown(301, 301), 0u);
}

TEST_F(CFrontTest, QueriesReportWhatWasSet) {
  start640x480();
  std::vector<int> n(9);
  settings_after_setting(n.data());
  EXPECT_EQ(n,
            (std::vector<int>{10, 20, 110, 120, 0, DASHED_LINE, THICK_WIDTH, HATCH_FILL, GREEN}));
}

TEST_F(CFrontTest, BadRadiusAndMessagesAreReportedNotDrawn) {
  start640x480();
  EXPECT_EQ(circle_of_negative_radius(), grError);
  EXPECT_EQ(shown(50, 45), 0u);
  const std::string ok = error_message(grOk), invalid = error_message(grInvalidMode);
  EXPECT_FALSE(invalid.empty());
  EXPECT_NE(ok, invalid);
}

TEST_F(CFrontTest, FontInMemoryIsRegisteredByItsPointerAlone) {
  start640x480();
  const std::vector<uint8_t> font = testing_support::BuildFont({});
  EXPECT_EQ(register_font(font.data()), grOk);
  const uint8_t junk[4] = {'J', 'U', 'N', 'K'};
  EXPECT_EQ(register_font(junk), grInvalidFont);
}

}  // namespace
