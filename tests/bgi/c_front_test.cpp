// The C front as a C program uses it: classic_program.c, compiled as C, starts graphics,
// draws and reads keys on the in-memory display; the tests look at what the window shows.
#include <chrono>
#include <thread>
#include <vector>

#include "c_front_fixture.h"
#include "classic_program.h"

namespace {

TEST_F(CFrontTest, VgaHiIsThe640x480Window16Colors) {
  start640x480();
  const auto info = headless::Info(headless::LastWindow());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->width, 640);
  EXPECT_EQ(info->height, 480);
  EXPECT_EQ(getmaxcolor(), WHITE);
  for (int driver : {int(VGA), int(CURRENT_DRIVER)}) {
    int lowest = 0, highest = 0;
    getmoderange(driver, &lowest, &highest);
    EXPECT_EQ(lowest, VGALO) << driver;
    EXPECT_EQ(highest, VGAHI) << driver;
  }
}

TEST_F(CFrontTest, AModeThatDoesNotExistLeavesItsCodeInTheDriverAndInGraphResult) {
  for (int wanted : {EGA, VGA}) {
    int driver = wanted, mode = 7;
    EXPECT_EQ(start_graphics(&driver, &mode), grInvalidMode) << wanted;
    EXPECT_EQ(driver, grInvalidMode);
    EXPECT_EQ(mode, 7);
    EXPECT_EQ(graphresult(), grOk);  // read and cleared
  }
  closegraph();
  EXPECT_EQ(graphresult(), grNoInitGraph);
}

TEST_F(CFrontTest, DrawingShowsInTheWindowAndReadsBackAsColorNumbers) {
  start640x480();
  EXPECT_EQ(draw_picture(), 16);
  setviewport(0, 0, getmaxx(), getmaxy(), 1);
  const COLORREF red = RGB(168, 0, 0), yellow = RGB(252, 252, 84), green = RGB(0, 168, 0),
                 cyan = RGB(0, 168, 168), white = RGB(252, 252, 252);
  for (int x = 10; x <= 20; ++x) EXPECT_EQ(shown(x, 10), red) << x;
  EXPECT_EQ(shown(21, 10), 0u);
  EXPECT_EQ(shown(5, 5), yellow);
  EXPECT_EQ(getpixel(5, 5), unsigned(YELLOW));
  EXPECT_EQ(shown(30, 30), green);
  EXPECT_EQ(shown(39, 39), green);
  EXPECT_EQ(getpixel(40, 40), unsigned(BLACK));
  for (int y = 30; y <= 37; ++y) EXPECT_EQ(shown(55, y), y % 2 ? 0u : cyan) << y;
  EXPECT_EQ(shown(200, 479), red);  // a far end clamps instead of wrapping
  EXPECT_EQ(shown(300, 300), 0u);   // no ellipse of negative radius
  EXPECT_EQ(shown(100, 100), white);
  EXPECT_EQ(shown(250, 100), 0u);  // clipped at the viewport
  EXPECT_EQ(getpixel(100, 100), unsigned(WHITE));
}

TEST_F(CFrontTest, PaletteSpeaksInHardwareColorCodes) {
  start640x480();
  std::vector<signed char> colors(16);
  EXPECT_EQ(default_palette(colors.data()), 16);
  EXPECT_EQ(colors,
            (std::vector<signed char>{0, 1, 2, 3, 4, 5, 20, 7, 56, 57, 58, 59, 60, 61, 62, 63}));
  EXPECT_EQ(recolor_blue(EGA_LIGHTRED), EGA_LIGHTRED);
  EXPECT_EQ(shown(1, 1), RGB(252, 84, 84));
  EXPECT_EQ(recolor_blue(EGA_BROWN), EGA_BROWN);
  EXPECT_EQ(shown(1, 1), RGB(168, 84, 0));

  palettetype keepAllButOne{};
  keepAllButOne.size = 200;  // more than the record holds: only its 16 entries count
  for (signed char& c : keepAllButOne.colors) c = -1;
  keepAllButOne.colors[RED] = EGA_WHITE;
  setallpalette(&keepAllButOne);
  palettetype now{};
  getpalette(&now);
  EXPECT_EQ(now.colors[BLUE], EGA_BROWN);
  EXPECT_EQ(now.colors[RED], EGA_WHITE);
  EXPECT_EQ(now.colors[GREEN], EGA_GREEN);
}

TEST_F(CFrontTest, KeysTypedIntoTheWindowComeFromGetch) {
  start640x480();
  EXPECT_EQ(key_if_hit(), -2);
  const HWND window = headless::LastWindow();
  ASSERT_TRUE(headless::KeyDown(window, 'A', 'a'));
  ASSERT_TRUE(headless::KeyDown(window, VK_UP));
  EXPECT_EQ(wait_for_key(), 'a');
  EXPECT_EQ(wait_for_key(), 0);
  EXPECT_EQ(wait_for_key(), 72);
  EXPECT_EQ(key_if_hit(), -2);

  std::thread typist([window] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    headless::KeyDown(window, 'Q', 'q');
  });
  EXPECT_EQ(wait_for_key(), 'q');  // waits for it
  typist.join();
}

TEST_F(CFrontTest, OnceTheWindowIsClosedGetchEndsTheWaitWithEscape) {
  start640x480();
  const HWND window = headless::LastWindow();
  ASSERT_TRUE(headless::KeyDown(window, 'X', 'x'));
  ASSERT_TRUE(closeWindowAndGoOn(window));
  ASSERT_TRUE(windowEnded());
  EXPECT_EQ(key_if_hit(), 'x');  // typed before the window went
  EXPECT_EQ(key_if_hit(), 27);
  EXPECT_EQ(wait_for_key(), 27);
}

}  // namespace
