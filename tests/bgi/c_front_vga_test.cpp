// The C front's windows as classic programs know the VGA: DETECT opens 640 x 480 in 16
// colours, a palette change recolours the screen, and two real pages.
#include <atomic>
#include <thread>
#include <vector>

#include "c_front_fixture.h"
#include "platform/headless/headless.h"
#include "reset_for_tests.h"

namespace {

constexpr COLORREF Black = RGB(0, 0, 0), Blue = RGB(0, 0, 168), Red = RGB(168, 0, 0),
                   Green = RGB(0, 168, 0), White = RGB(252, 252, 252);

TEST_F(CFrontTest, DetectionOpensTheVgaWindowIn16ColorsAndReportsIt) {
  int driver = DETECT, mode = 0;
  ASSERT_EQ(start_graphics(&driver, &mode), grOk);
  EXPECT_EQ(driver, VGA);
  EXPECT_EQ(mode, VGAHI);
  const auto info = headless::Info(headless::LastWindow());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->width, 640);
  EXPECT_EQ(info->height, 480);
  EXPECT_FALSE(info->maximised);
  EXPECT_EQ(getmaxcolor(), WHITE);
  EXPECT_EQ(getcolor(), WHITE);
  struct fillsettingstype fill {};
  getfillsettings(&fill);
  EXPECT_EQ(fill.color, WHITE);
  bar(0, 0, 9, 9);  // the default fill shows white
  EXPECT_EQ(shown(5, 5), White);

  int detected = 0, detectedMode = 0;
  detectgraph(&detected, &detectedMode);
  EXPECT_EQ(detected, VGA);
  EXPECT_EQ(detectedMode, VGAHI);
  end_graphics();

  EXPECT_EQ(start_graphics_without_arguments(), grOk);  // null pointers mean DETECT
  EXPECT_EQ(getmaxx() + 1, 640);
  EXPECT_EQ(getmaxy() + 1, 480);
}

TEST_F(CFrontTest, OnAScreenTooSmallForTheVgaDetectionTakesTheLargestWindow) {
  // The driver registers its modes once per process: start it again on a small screen.
  auto small = headless::DefaultMetrics();
  small.screenWidth = 800;
  small.screenHeight = 480;
  small.workWidth = 800;
  small.workHeight = 450;
  headless::SetMetrics(small);
  ResetGraphLayerForTests();
  int driver = DETECT, mode = 0;
  const int result = start_graphics(&driver, &mode);
  const int maxColor = getmaxcolor(), height = getmaxy() + 1;
  int detected = 0, detectedMode = 0;
  detectgraph(&detected, &detectedMode);
  end_graphics();
  headless::SetMetrics(headless::DefaultMetrics());
  ResetGraphLayerForTests();  // the next start registers the modes of the usual screen

  EXPECT_EQ(result, grOk);
  EXPECT_EQ(driver, 15);  // the 256-colour depth driver
  EXPECT_EQ(maxColor, 255);
  EXPECT_LT(height, 480);
  EXPECT_EQ(detected, 15);
  EXPECT_EQ(detectedMode, mode);
}

TEST_F(CFrontTest, PaletteChangesRecolorWhatIsOnTheScreenWhileGetpixelKeepsTheNumber) {
  start640x480();
  setfillstyle(SOLID_FILL, RED);
  bar(10, 10, 19, 19);
  setbkcolor(BLUE);  // entry 0 becomes blue: the whole background turns
  EXPECT_EQ(shown(0, 0), Blue);
  EXPECT_EQ(shown(639, 479), Blue);
  EXPECT_EQ(shown(15, 15), Red);
  EXPECT_EQ(getpixel(0, 0), unsigned(BLACK));
  EXPECT_EQ(getbkcolor(), BLUE);

  setpalette(RED, EGA_GREEN);
  EXPECT_EQ(shown(15, 15), Green);
  EXPECT_EQ(getpixel(15, 15), unsigned(RED));

  // Palette animation: each change of one entry shows at once.
  for (int level = 0; level < 64; level += 9) {
    setrgbpalette(RED, level, 0, 0);
    EXPECT_EQ(shown(12, 17), RGB(level, 0, 0)) << level;
  }

  struct palettetype all {};
  all.size = 16;
  for (int i = 0; i < 16; ++i) all.colors[i] = -1;
  all.colors[BLACK] = EGA_WHITE;
  all.colors[RED] = EGA_BLUE;
  setallpalette(&all);
  EXPECT_EQ(shown(0, 0), White);
  EXPECT_EQ(shown(15, 15), Blue);
  EXPECT_EQ(getpixel(15, 15), unsigned(RED));
}

TEST_F(CFrontTest, DrawingOnAHiddenPageShowsOnlyWhenItBecomesVisible) {
  start640x480();
  setactivepage(1);
  setfillstyle(SOLID_FILL, GREEN);
  bar(0, 0, 99, 99);
  setcolor(RED);
  line(200, 0, 200, 50);
  putpixel(300, 300, YELLOW);
  setcolor(WHITE);
  outtextxy(400, 10, "A");
  settextstyle(TRIPLEX_FONT, HORIZ_DIR, 4);
  outtextxy(400, 100, "W");
  rectangle(500, 300, 560, 360);
  setfillstyle(SOLID_FILL, BLUE);
  floodfill(530, 330, WHITE);
  // Nothing of it on the screen, but all of it on the active page.
  for (const auto& [x, y] : {std::pair{50, 50}, {200, 25}, {300, 300}, {530, 330}}) {
    EXPECT_EQ(shown(x, y), Black) << x << "," << y;
  }
  EXPECT_EQ(getpixel(50, 50), unsigned(GREEN));
  EXPECT_EQ(getpixel(200, 25), unsigned(RED));
  EXPECT_EQ(getpixel(530, 330), unsigned(BLUE));

  setvisualpage(1);
  EXPECT_EQ(shown(50, 50), Green);
  EXPECT_EQ(shown(200, 25), Red);
  EXPECT_EQ(shown(300, 300), RGB(252, 252, 84));
  EXPECT_EQ(shown(530, 330), Blue);
  int lit = 0;  // the bitmap and the stroked letter
  for (int y = 0; y < 200; ++y)
    for (int x = 400; x < 480; ++x) lit += shown(x, y) == White;
  EXPECT_GT(lit, 20);

  setvisualpage(0);  // page 0 was never drawn on
  EXPECT_EQ(shown(50, 50), Black);
  EXPECT_EQ(shown(400 + 3, 10 + 3), Black);
}

TEST_F(CFrontTest, GetpixelGetimageAndCleardeviceActOnTheActivePage) {
  start640x480();
  setfillstyle(SOLID_FILL, RED);
  bar(0, 0, 9, 9);  // page 0
  setactivepage(1);
  EXPECT_EQ(getpixel(5, 5), unsigned(BLACK));
  setfillstyle(SOLID_FILL, CYAN);
  bar(0, 0, 9, 9);
  std::vector<char> image(imagesize(0, 0, 9, 9));
  getimage(0, 0, 9, 9, image.data());
  cleardevice();  // page 1 only
  EXPECT_EQ(getpixel(5, 5), unsigned(BLACK));
  EXPECT_EQ(shown(5, 5), Red);
  setactivepage(0);
  EXPECT_EQ(getpixel(5, 5), unsigned(RED));

  putimage(20, 0, image.data(), COPY_PUT);  // colour numbers come back as numbers
  EXPECT_EQ(getpixel(25, 5), unsigned(CYAN));
  EXPECT_EQ(shown(25, 5), RGB(0, 168, 168));
  putimage(20, 0, image.data(), XOR_PUT);
  EXPECT_EQ(getpixel(25, 5), unsigned(BLACK));
  setpalette(CYAN, EGA_RED);  // the image keeps the number, not the colour it had
  putimage(20, 0, image.data(), COPY_PUT);
  EXPECT_EQ(shown(25, 5), Red);
}

TEST_F(CFrontTest, APageTheWindowLacksIsAnErrorAndChangesNothing) {
  start640x480();
  setactivepage(1);
  putpixel(3, 3, RED);
  for (int page : {2, -1, 99}) {
    setactivepage(page);
    EXPECT_EQ(graphresult(), grError) << page;
    setvisualpage(page);
    EXPECT_EQ(graphresult(), grError) << page;
  }
  EXPECT_EQ(getpixel(3, 3), unsigned(RED));  // page 1 is still the active one
  EXPECT_EQ(shown(3, 3), Black);             // and page 0 the visual one
}

TEST_F(CFrontTest, AReaderNeverSeesHalfAPage) {
  start640x480();
  setfillstyle(SOLID_FILL, RED);
  bar(0, 0, 639, 479);
  setactivepage(1);
  setfillstyle(SOLID_FILL, GREEN);
  bar(0, 0, 639, 479);

  std::atomic<bool> done{false};
  std::atomic<int> torn{0}, looks{0};
  const HWND window = headless::LastWindow();
  std::thread reader([&] {
    while (!done) {
      std::lock_guard lock(graphLock);  // one look at both corners
      const auto first = headless::Pixel(window, 0, 0);
      const auto last = headless::Pixel(window, 639, 479);
      if (first != last) ++torn;
      ++looks;
    }
  });
  for (int i = 0; i < 200; ++i) {
    setvisualpage(i % 2);
    setrgbpalette(GREEN, 0, i % 64, 0);
  }
  while (looks < 10) std::this_thread::yield();
  done = true;
  reader.join();
  EXPECT_EQ(torn, 0);
}

}  // namespace
