// True colours through the C front: every routine that takes a colour draws a COLOR value as
// that exact RGB value, getpixel tells numbers from true colours, and a fixed palette keeps
// the 16 basic colours.
#include <vector>

#include "c_front_fixture.h"
#include "graph/graph.h"
#include "graphwin/driver.h"

namespace {

constexpr COLORREF Black = RGB(0, 0, 0), Red = RGB(168, 0, 0), Blue = RGB(0, 0, 168);
constexpr int Teal = COLOR(10, 120, 130), Plum = COLOR(140, 20, 90);
constexpr COLORREF TealRgb = RGB(10, 120, 130), PlumRgb = RGB(140, 20, 90);

TEST(TrueColorValues, TakeApartAndTellNumbersFromRgbValues) {
  EXPECT_EQ(RED_VALUE(COLOR(1, 2, 3)), 1);
  EXPECT_EQ(GREEN_VALUE(COLOR(1, 2, 3)), 2);
  EXPECT_EQ(BLUE_VALUE(COLOR(1, 2, 3)), 3);
  EXPECT_EQ(BLUE_VALUE(COLOR(300, 0, 255)), 255);  // each component keeps its low 8 bits
  EXPECT_TRUE(IS_RGB_COLOR(COLOR(0, 0, 0)));       // black as RGB is not BLACK
  EXPECT_FALSE(IS_BGI_COLOR(COLOR(0, 0, 0)));
  EXPECT_TRUE(IS_BGI_COLOR(WHITE));
  EXPECT_FALSE(IS_BGI_COLOR(16));
  EXPECT_FALSE(IS_RGB_COLOR(255));
}

TEST_F(CFrontTest, EveryRoutineThatTakesAColorDrawsAColorValueExactly) {
  start640x480();
  setcolor(Teal);
  line(0, 0, 9, 0);
  EXPECT_EQ(shown(5, 0), TealRgb);
  EXPECT_EQ(getcolor(), Teal);

  setfillstyle(SOLID_FILL, Plum);
  bar(20, 20, 29, 29);
  EXPECT_EQ(shown(25, 25), PlumRgb);
  struct fillsettingstype fill {};
  getfillsettings(&fill);
  EXPECT_EQ(fill.color, Plum);
  EXPECT_EQ(fill.pattern, SOLID_FILL);

  setfillstyle(13, Teal);  // no such pattern: refused, the fill stays
  EXPECT_EQ(graphresult(), grError);
  getfillsettings(&fill);
  EXPECT_EQ(fill.color, Plum);

  const char stripes[8] = {char(0xFF), 0, char(0xFF), 0, char(0xFF), 0, char(0xFF), 0};
  setfillpattern(stripes, Teal);
  bar(40, 40, 47, 47);
  EXPECT_EQ(shown(41, 40), TealRgb);  // set bits in the fill colour
  EXPECT_EQ(shown(41, 41), Black);    // clear ones in the background

  putpixel(60, 60, Plum);
  EXPECT_EQ(shown(60, 60), PlumRgb);
  EXPECT_EQ(getpixel(60, 60), unsigned(Plum));
  EXPECT_EQ(graphresult(), grOk);

  setbkcolor(Teal);  // the screen's background turns, clearing uses the exact value
  EXPECT_EQ(getbkcolor(), Teal);
  EXPECT_EQ(shown(600, 400), TealRgb);
  cleardevice();
  EXPECT_EQ(shown(60, 60), TealRgb);
  EXPECT_EQ(getpixel(60, 60), unsigned(Teal));
  setfillstyle(EMPTY_FILL, WHITE);
  bar(0, 0, 9, 9);
  EXPECT_EQ(getpixel(5, 5), unsigned(Teal));
}

TEST_F(CFrontTest, FloodFillStopsAtPixelsOfExactlyATrueColorBorder) {
  start640x480();
  setcolor(Teal);
  rectangle(10, 10, 50, 50);
  setcolor(COLOR(10, 120, 131));  // one step off the border: painted over like any pixel
  line(20, 30, 40, 30);
  setcolor(RED);  // a colour number inside is no border either
  line(20, 35, 40, 35);
  setfillstyle(SOLID_FILL, Plum);
  floodfill(30, 20, Teal);
  EXPECT_EQ(graphresult(), grOk);
  EXPECT_EQ(shown(30, 20), PlumRgb);
  EXPECT_EQ(shown(30, 30), PlumRgb);
  EXPECT_EQ(shown(30, 35), PlumRgb);
  EXPECT_EQ(shown(10, 30), TealRgb);  // the border stays
  EXPECT_EQ(shown(60, 30), Black);    // outside is untouched

  // A colour number as border afterwards is a number again (the red line was painted over):
  // the fill runs over the true-colour outline to the whole screen.
  setfillstyle(SOLID_FILL, BLUE);
  floodfill(30, 40, RED);
  EXPECT_EQ(shown(30, 40), Blue);
  EXPECT_EQ(shown(10, 30), Blue);
  EXPECT_EQ(shown(600, 400), Blue);
}

TEST_F(CFrontTest, TrueColorsKeepTheirRgbValueWhateverThePaletteAndThePagesDo) {
  start640x480();
  putpixel(1, 1, RED);
  putpixel(2, 2, COLOR(168, 0, 0));  // RED's RGB value, but drawn as a true colour
  EXPECT_EQ(getpixel(1, 1), unsigned(RED));
  EXPECT_EQ(getpixel(2, 2), unsigned(COLOR(168, 0, 0)));
  EXPECT_EQ(converttorgb(RED), COLOR(168, 0, 0));

  setrgbpalette(RED, 0, 200, 0);
  EXPECT_EQ(shown(1, 1), RGB(0, 200, 0));  // the number takes the new colour
  EXPECT_EQ(shown(2, 2), Red);             // the true colour stays
  EXPECT_EQ(converttorgb(RED), COLOR(0, 200, 0));

  setactivepage(1);
  putpixel(3, 3, Teal);
  EXPECT_EQ(shown(3, 3), Black);  // drawn on the hidden page
  setvisualpage(1);
  EXPECT_EQ(shown(3, 3), TealRgb);
  setvisualpage(0);
  EXPECT_EQ(shown(2, 2), Red);
}

TEST_F(CFrontTest, ImagesAndWriteModesKeepTrueColorsExactly) {
  start640x480();
  putpixel(0, 0, Teal);
  putpixel(1, 0, GREEN);
  std::vector<unsigned char> image(imagesize(0, 0, 1, 0));
  getimage(0, 0, 1, 0, image.data());
  putimage(100, 100, image.data(), COPY_PUT);
  EXPECT_EQ(getpixel(100, 100), unsigned(Teal));
  EXPECT_EQ(getpixel(101, 100), unsigned(GREEN));
  putimage(100, 100, image.data(), XOR_PUT);  // the same image again leaves black
  EXPECT_EQ(shown(100, 100), Black);

  setbkcolor(BLACK);
  setwritemode(XOR_PUT);
  setcolor(Plum);
  line(200, 10, 210, 10);
  EXPECT_EQ(shown(205, 10), PlumRgb);
  line(200, 10, 210, 10);  // twice is nothing
  EXPECT_EQ(shown(205, 10), Black);
}

TEST_F(CFrontTest, TrueColorsDrawExactlyInTheGameModesToo) {
  // The 256-colour maximised window the game's detection chooses, as a palette window...
  int driver = 10, mode = 246;
  ASSERT_EQ(start_graphics(&driver, &mode), grOk);
  setcolor(Teal);
  line(0, 0, 9, 0);
  EXPECT_EQ(shown(5, 0), TealRgb);
  EXPECT_EQ(getpixel(5, 0), unsigned(Teal));
  end_graphics();

  // ...and as the game's own window, which keeps RGB values only.
  UsePaletteWindows(false);
  int16_t gameDriver = 10, gameMode = 246;
  InitGraph(gameDriver, gameMode, "");
  UsePaletteWindows(true);  // for the windows the C front opens next
  ASSERT_EQ(GraphResult(), grOk);
  setfillstyle(SOLID_FILL, Plum);
  bar(0, 0, 9, 9);
  putpixel(20, 20, COLOR(168, 0, 0));
  EXPECT_EQ(shown(5, 5), PlumRgb);
  EXPECT_EQ(getpixel(5, 5), unsigned(Plum));
  EXPECT_EQ(getpixel(20, 20), unsigned(RED));  // exactly a basic colour: its number
  setcolor(Teal);
  rectangle(30, 30, 40, 40);
  setfillstyle(SOLID_FILL, BLUE);
  floodfill(35, 35, Teal);
  EXPECT_EQ(shown(35, 35), Blue);
  EXPECT_EQ(shown(45, 35), Black);
  CloseGraph();
}

class FixedPaletteTest : public CFrontTest {
 protected:
  void TearDown() override {
    CFrontTest::TearDown();
    UsePaletteWindows(true);
  }
};

TEST_F(FixedPaletteTest, BackgroundOnlyChoosesTheClearingColorAndBasicRgbValuesReadAsNumbers) {
  // What a program opening a window with a fixed palette gets.
  start640x480();
  UsePaletteWindows(true, true);
  setgraphmode(VGAHI);
  putpixel(5, 5, WHITE);
  setbkcolor(BLUE);
  EXPECT_EQ(shown(100, 100), Black);  // nothing on the screen changes
  EXPECT_EQ(getbkcolor(), BLUE);
  cleardevice();
  EXPECT_EQ(shown(100, 100), Blue);
  EXPECT_EQ(getpixel(100, 100), unsigned(BLUE));
  setbkcolor(Teal);
  clearviewport();
  EXPECT_EQ(shown(100, 100), TealRgb);

  putpixel(1, 1, COLOR(168, 0, 0));  // exactly RED: reads as RED
  putpixel(2, 2, COLOR(169, 0, 0));
  EXPECT_EQ(getpixel(1, 1), unsigned(RED));
  EXPECT_EQ(getpixel(2, 2), unsigned(COLOR(169, 0, 0)));

  setcolor(RED);
  rectangle(10, 10, 20, 20);
  setfillstyle(SOLID_FILL, GREEN);
  floodfill(15, 15, COLOR(168, 0, 0));  // the red outline is that RGB value
  EXPECT_EQ(shown(15, 15), RGB(0, 168, 0));
  EXPECT_EQ(shown(25, 15), TealRgb);
}

}  // namespace
