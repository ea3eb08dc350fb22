#include <gtest/gtest.h>

#include <random>
#include <string>

#include "terminal/picture_encoder.h"
#include "terminal_screen_model.h"

using platform::terminal::CellArea;
using platform::terminal::PictureEncoder;

namespace {

constexpr COLORREF Blue = RGB(0, 0, 170), White = RGB(255, 255, 255), Red = RGB(170, 0, 0),
                   Green = RGB(0, 170, 0);

CellArea Everything(const PictureEncoder& e) {
  return CellArea{0, 0, e.columns() - 1, e.rows() - 1};
}

// Every pixel the model shows equals the picture's; pixels beyond the picture are black.
void ExpectShows(const ScreenModel& model, const PixelSurface& picture, int columns, int rows) {
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const auto want = [&](int y) {
        return int32_t(picture.contains(column, y) ? picture.pixel(column, y) : 0);
      };
      ASSERT_EQ(model.upperPixel(column, row), want(2 * row)) << column << "," << row;
      ASSERT_EQ(model.lowerPixel(column, row), want(2 * row + 1)) << column << "," << row;
    }
  }
}

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

void FillRect(PixelSurface& p, int x, int y, int w, int h, COLORREF c) {
  for (int yy = y; yy < y + h; ++yy)
    for (int xx = x; xx < x + w; ++xx)
      if (p.contains(xx, yy)) p.setPixel(xx, yy, c);
}

}  // namespace

TEST(TerminalPicture, FirstPictureShowsEveryPixelInHalfBlocks) {
  // An odd height and a picture narrower than the terminal: the rest shows black.
  PixelSurface picture(37, 23);
  std::mt19937 random(7);
  const COLORREF palette[] = {Blue, White, Red, Green, 0};
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, palette[random() % 5]);

  PictureEncoder encoder;
  encoder.reset(40, 13);
  std::string out;
  encoder.encode(picture, Everything(encoder), out);
  ScreenModel model(40, 16);
  model.feed(out);
  ExpectShows(model, picture, 40, 13);

  // Nothing changed: nothing is sent.
  std::string again;
  encoder.encode(picture, Everything(encoder), again);
  EXPECT_EQ(again, "");
}

TEST(TerminalPicture, ChangesSendOnlyTheChangedCells) {
  PixelSurface picture(60, 40);
  FillRect(picture, 0, 0, 60, 40, White);
  PictureEncoder encoder;
  encoder.reset(60, 20);
  ScreenModel model(60, 24);
  std::string out;
  encoder.encode(picture, Everything(encoder), out);
  model.feed(out);

  // One pixel: one move, one colour escape, one half block.
  picture.setPixel(10, 7, Red);
  out.clear();
  encoder.encode(picture, Everything(encoder), out);
  EXPECT_EQ(out, "\x1b[4;11H\x1b[38;2;255;255;255;48;2;170;0;0m\xE2\x96\x80");
  model.feed(out);
  ExpectShows(model, picture, 60, 20);

  // A run of cells in one colour pair sets the colours once; a gap on the same row moves
  // forward instead of addressing the cell again.
  FillRect(picture, 20, 10, 8, 1, Blue);
  FillRect(picture, 40, 10, 3, 2, Blue);
  out.clear();
  encoder.encode(picture, Everything(encoder), out);
  EXPECT_EQ(Count(out, "\xE2\x96\x80"), 8u);
  EXPECT_EQ(Count(out, " "), 3u);
  EXPECT_EQ(Count(out, "38;2"), 1u);
  EXPECT_EQ(Count(out, "H"), 1u);
  EXPECT_EQ(Count(out, "\x1b[12C"), 1u);
  model.feed(out);
  ExpectShows(model, picture, 60, 20);
}

TEST(TerminalPicture, RandomChangesKeepTheTerminalInStep) {
  PixelSurface picture(50, 31);
  PictureEncoder encoder;
  encoder.reset(52, 17);
  ScreenModel model(52, 20);
  std::mt19937 random(11);
  const COLORREF palette[] = {Blue, White, Red, Green};
  for (int round = 0; round < 200; ++round) {
    const int x = int(random() % 50), y = int(random() % 31);
    FillRect(picture, x, y, int(random() % 9) + 1, int(random() % 5) + 1, palette[random() % 4]);
    if (round % 17 == 0) encoder.forgetCursorAndColors();  // other output came between
    std::string out;
    encoder.encode(picture, Everything(encoder), out);
    model.feed(out);
    ASSERT_NO_FATAL_FAILURE(ExpectShows(model, picture, 52, 17)) << "round " << round;
  }
}

TEST(TerminalPicture, OnlyTheAskedAreaIsLookedAt) {
  PixelSurface picture(20, 20);
  PictureEncoder encoder;
  encoder.reset(20, 10);
  std::string out;
  encoder.encode(picture, Everything(encoder), out);
  FillRect(picture, 0, 0, 20, 20, Green);
  out.clear();
  encoder.encode(picture, CellArea{5, 2, 6, 3}, out);
  EXPECT_EQ(Count(out, " "), 4u);
  // The area may reach beyond the terminal; it is clipped.
  out.clear();
  encoder.encode(picture, CellArea{18, 9, 40, 40}, out);
  EXPECT_EQ(Count(out, " "), 2u);

  // After the terminal was cleared, every cell goes out again.
  encoder.forgetCells();
  out.clear();
  encoder.encode(picture, Everything(encoder), out);
  EXPECT_EQ(Count(out, " "), 200u);
}
