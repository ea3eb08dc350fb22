// Titles in every stroke font from C with no font files around: what is drawn lies in the
// box that textwidth and textheight give, justification moves it and the vertical direction
// turns it.
#include <climits>
#include <string>

#include "headless/headless_snapshot.h"
#include "stroke_font_fixture.h"

namespace {

struct Box {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // bounds included
  bool empty() const { return right < left; }
  int width() const { return right - left + 1; }
  int height() const { return bottom - top + 1; }
  Box moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  bool operator==(const Box&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "(" << b.left << ", " << b.top << ") - (" << b.right << ", " << b.bottom << ")";
}

class StrokeTitleTest : public StrokeFontTest {
 protected:
  // The pixels that are not black.
  static Box LitBox() {
    std::lock_guard lock(graphLock);
    const PixelSurface shot = headless::Snapshot(headless::LastWindow());
    Box box;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        if (shot.pixel(x, y) == 0) continue;
        box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
               std::max(box.bottom, y)};
      }
    }
    return box;
  }
  // What the text draws at (x, y) with the justification.
  static Box Drawn(int horiz, int vert, int x, int y, const char* text) {
    EXPECT_EQ(draw_title(horiz, vert, x, y, text), grOk);
    return LitBox();
  }
};

constexpr const char* Title = "Agy, Maze!";
constexpr const char* ShortTitle = "Ag!";  // fits the screen either way at size 10

TEST_F(StrokeTitleTest, EveryFontDrawsInEverySizeAndDirectionInsideItsTextBox) {
  start640x480();
  for (int font = TRIPLEX_FONT; font <= BOLD_FONT; ++font) {
    for (int size : {1, 4, 10}) {
      for (int direction : {HORIZ_DIR, VERT_DIR}) {
        SCOPED_TRACE(testing::Message()
                     << "font " << font << " size " << size << " direction " << direction);
        ASSERT_EQ(choose_font(font, direction, size), grOk);
        EXPECT_EQ(font_in_use(), font);
        const int w = textwidth(ShortTitle), h = textheight(ShortTitle);
        ASSERT_LT(w, 400);
        const bool vertical = direction == VERT_DIR;
        const int x = 20, y = vertical ? 20 : 100;
        const Box drawn = Drawn(LEFT_TEXT, TOP_TEXT, x, y, ShortTitle);
        ASSERT_FALSE(drawn.empty());
        // Across the lines of text: the whole height, the fraction of a pixel that
        // truncation leaves aside. Along them: the width, and strokes of slanted letters
        // may reach a quarter of the height beyond it.
        const Box across = vertical ? Box{drawn.top, drawn.left, drawn.bottom, drawn.right} : drawn;
        const int start = vertical ? y : x, line = vertical ? x : y;
        EXPECT_GE(across.top, line - 1);
        EXPECT_LE(across.bottom, line + h);
        EXPECT_GE(across.height(), h * 7 / 10);
        EXPECT_GE(across.left, start - h / 4);
        EXPECT_LE(across.right, start + w + h / 4);
        EXPECT_GE(across.width(), w * 8 / 10);
      }
    }
  }
}

TEST_F(StrokeTitleTest, JustificationMovesTheTextByItsWidthAndHeight) {
  start640x480();
  ASSERT_EQ(choose_font(TRIPLEX_FONT, HORIZ_DIR, 4), grOk);  // scale 1: whole pixels
  const int w = textwidth(Title), h = textheight(Title);
  const Box leftTop = Drawn(LEFT_TEXT, TOP_TEXT, 320, 240, Title);
  EXPECT_EQ(Drawn(CENTER_TEXT, CENTER_TEXT, 320, 240, Title), leftTop.moved(-(w / 2), -h + h / 2));
  EXPECT_EQ(Drawn(RIGHT_TEXT, BOTTOM_TEXT, 320, 240, Title), leftTop.moved(-w, -h));
}

TEST_F(StrokeTitleTest, VerticalTextIsTheHorizontalTextTurnedAQuarterAnticlockwise) {
  start640x480();
  ASSERT_EQ(choose_font(GOTHIC_FONT, HORIZ_DIR, 4), grOk);
  const int w = textwidth(Title);
  const Box flat = Drawn(LEFT_TEXT, TOP_TEXT, 100, 50, Title);
  ASSERT_EQ(choose_font(GOTHIC_FONT, VERT_DIR, 4), grOk);
  EXPECT_EQ(textwidth(Title), w);
  const Box turned = Drawn(LEFT_TEXT, TOP_TEXT, 100, 50, Title);
  // Across: the height; along: the width, read from the bottom up.
  EXPECT_EQ(turned.left - 100, flat.top - 50);
  EXPECT_EQ(turned.right - 100, flat.bottom - 50);
  EXPECT_EQ(turned.top - 50, w - (flat.right - 100));
  EXPECT_EQ(turned.bottom - 50, w - (flat.left - 100));
}

TEST_F(StrokeTitleTest, UserCharacterSizeStretchesMetricsAndDrawingAlike) {
  start640x480();
  ASSERT_EQ(choose_font(SIMPLEX_FONT, HORIZ_DIR, 4), grOk);  // scale 1
  const int w = textwidth(Title), h = textheight(Title);
  const Box plain = Drawn(LEFT_TEXT, TOP_TEXT, 10, 100, Title);
  ASSERT_EQ(choose_user_size(SIMPLEX_FONT, 2, 1, 3, 2), grOk);
  EXPECT_EQ(textwidth(Title), 2 * w);
  EXPECT_EQ(textheight(Title), h * 3 / 2);
  const Box stretched = Drawn(LEFT_TEXT, TOP_TEXT, 10, 100, Title);
  EXPECT_NEAR(stretched.width(), 2 * plain.width(), 2);
  EXPECT_NEAR(stretched.height(), plain.height() * 3 / 2, 2);
  EXPECT_LE(stretched.bottom, 100 + h * 3 / 2);
}

}  // namespace
