// The windows of the newer BGI-style library: initwindow, window numbers, the close button,
// double buffering, the char* text routines and the compatibility windows.h.
#include <cstdio>
#include <string>
#include <utility>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "c_front_fixture.h"
#include "classic_window.h"

// As programs declare it themselves; it must link.
void outtextxy(int x, int y, char* textstring);

namespace {

constexpr COLORREF White = RGB(0xFC, 0xFC, 0xFC);

class CFrontWindowTest : public CFrontTest {};

TEST_F(CFrontWindowTest, InitwindowOpensADrawingAreaOfTheAskedSizeWherePlaced) {
  const int number = open_window(300, 200, "Sized", 10, 20, 0);
  ASSERT_GE(number, 0);
  EXPECT_EQ(graphresult(), grOk);
  EXPECT_EQ(getmaxx(), 299);
  EXPECT_EQ(getmaxy(), 199);
  EXPECT_EQ(getmaxcolor(), 15);
  EXPECT_EQ(getcolor(), WHITE);
  EXPECT_EQ(getcurrentwindow(), number);

  const auto info = headless::Info(headless::LastWindow());
  ASSERT_TRUE(info);
  EXPECT_EQ(info->title, "Sized");
  EXPECT_EQ(info->width, 300);
  EXPECT_EQ(info->height, 200);
  EXPECT_EQ(info->x, 10);
  EXPECT_EQ(info->y, 20);

  const platform::ScreenMetrics m = headless::Metrics();
  EXPECT_EQ(getwindowwidth(), 300 + 2 * m.frameX);
  EXPECT_EQ(getwindowheight(), 200 + 2 * m.frameY + m.caption);
  EXPECT_EQ(getmaxwidth(), m.screenWidth);
  EXPECT_EQ(getmaxheight(), m.screenHeight);

  // What is drawn shows in the window's own coordinates, to its last pixel.
  putpixel(299, 199, YELLOW);
  EXPECT_EQ(getpixel(299, 199), unsigned(YELLOW));
  EXPECT_EQ(shown(299, 199), RGB(0xFC, 0xFC, 0x54));
}

TEST_F(CFrontWindowTest, EachInitwindowReplacesTheOpenWindowAndIsTheOnlyOneToChoose) {
  start640x480();
  const int first = getcurrentwindow();
  ASSERT_GE(first, 0);
  const int second = initwindow(200, 100);
  ASSERT_GE(second, 0);
  EXPECT_NE(second, first);
  EXPECT_EQ(headless::Windows().size(), 1u);  // initgraph's window was closed
  EXPECT_EQ(getmaxx(), 199);
  EXPECT_EQ(headless::Info(headless::LastWindow())->title, "Graphics window");

  // The same size again: a new window with a new number, the same mode.
  const int mode = getgraphmode();
  const int third = initwindow(200, 100, "again");
  EXPECT_NE(third, second);
  EXPECT_EQ(getgraphmode(), mode);
  EXPECT_EQ(headless::Windows().size(), 1u);

  setcurrentwindow(third);
  EXPECT_EQ(graphresult(), grOk);
  setcurrentwindow(second);
  EXPECT_EQ(graphresult(), grError);
  setcurrentwindow(-1);
  EXPECT_EQ(graphresult(), grError);
  EXPECT_EQ(getcurrentwindow(), third);
  EXPECT_EQ(getmaxx(), 199);

  closegraph();
  EXPECT_EQ(getcurrentwindow(), -1);
}

TEST_F(CFrontWindowTest, ASizeNoWindowCanHaveIsRefused) {
  for (const auto& [w, h] : {std::pair{0, 100}, {100, -1}, {MaxSizedWindowSide + 1, 10}}) {
    EXPECT_EQ(initwindow(w, h), -1) << w << " x " << h;
    EXPECT_EQ(graphresult(), grError);
  }
  EXPECT_TRUE(headless::Windows().empty());
}

TEST_F(CFrontWindowTest, DoubleBufferingDrawsHiddenUntilTheSwapShowsIt) {
  ASSERT_GE(open_window(100, 80, "db", 0, 0, 1), 0);
  EXPECT_EQ(getactivepage(), 1);
  EXPECT_EQ(getvisualpage(), 0);
  setfillstyle(SOLID_FILL, WHITE);
  bar(10, 10, 20, 20);
  EXPECT_EQ(shown(15, 15), RGB(0, 0, 0));

  swapbuffers();
  EXPECT_EQ(shown(15, 15), White);
  EXPECT_EQ(getactivepage(), 0);
  EXPECT_EQ(getvisualpage(), 1);

  // The next frame is drawn on the other page, away from the eye, and shown by the next swap.
  cleardevice();
  bar(50, 50, 60, 60);
  EXPECT_EQ(shown(15, 15), White);
  EXPECT_EQ(shown(55, 55), RGB(0, 0, 0));
  swapbuffers();
  EXPECT_EQ(shown(15, 15), RGB(0, 0, 0));
  EXPECT_EQ(shown(55, 55), White);
}

TEST_F(CFrontWindowTest, WithoutDoubleBufferingDrawingShowsAtOnceAndSwapShowsTheOtherPage) {
  ASSERT_GE(initwindow(100, 80), 0);
  EXPECT_EQ(getactivepage(), 0);
  EXPECT_EQ(getvisualpage(), 0);
  putpixel(5, 5, WHITE);
  EXPECT_EQ(shown(5, 5), White);
  swapbuffers();  // page 0 stays shown; drawing goes to page 1
  EXPECT_EQ(getvisualpage(), 0);
  EXPECT_EQ(getactivepage(), 1);
  putpixel(6, 6, WHITE);
  EXPECT_EQ(shown(6, 6), RGB(0, 0, 0));
}

TEST_F(CFrontWindowTest, InitwindowKeepsItsColorsAndInitgraphTurnsThePaletteAgain) {
  ASSERT_GE(initwindow(100, 80), 0);
  setbkcolor(BLUE);
  EXPECT_EQ(shown(50, 50), RGB(0, 0, 0));  // BLACK stays black
  cleardevice();
  EXPECT_EQ(shown(50, 50), RGB(0, 0, 0xA8));
  EXPECT_EQ(getpixel(50, 50), unsigned(BLUE));

  start640x480();  // a classic window: the background is palette entry 0 again
  setbkcolor(BLUE);
  EXPECT_EQ(shown(50, 50), RGB(0, 0, 0xA8));
  EXPECT_EQ(getpixel(50, 50), unsigned(BLACK));
}

TEST_F(CFrontWindowTest, CharPointerTextRoutinesDrawAsTheConstOnes) {
  ASSERT_GE(initwindow(200, 60), 0);
  char text[] = "Wide";
  EXPECT_EQ(textwidth(text), textwidth("Wide"));
  EXPECT_EQ(textheight(text), textheight("Wide"));
  outtextxy(0, 0, text);
  moveto(0, 20);
  outtext(text);
  int lit = 0;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < textwidth(text); ++x) {
      EXPECT_EQ(getpixel(x, y), getpixel(x, y + 20)) << x << "," << y;
      lit += getpixel(x, y) == WHITE;
    }
  }
  EXPECT_GT(lit, 10);
}

#ifndef _WIN32
TEST_F(CFrontWindowTest, GetAsyncKeyStateSaysWhileAKeyIsHeldInTheWindow) {
  ASSERT_GE(initwindow(100, 80), 0);
  const HWND window = headless::LastWindow();
  constexpr int Left = 0x25, LeftShift = 0xA0, RightShift = 0xA1;
  EXPECT_EQ(key_state(Left), 0);
  ASSERT_TRUE(headless::KeyDown(window, Left));
  ASSERT_TRUE(headless::KeyDown(window, 'Q', 'q'));
  // The window's thread takes the messages; poll until it has.
  for (int i = 0; i < 400 && key_state('Q') == 0; ++i) delay(5);
  EXPECT_LT(key_state(Left), 0);  // bit 15
  EXPECT_EQ(key_state(Left) & 0xFFFF, 0x8000);
  EXPECT_LT(key_state('Q'), 0);
  EXPECT_EQ(key_state('W'), 0);

  ASSERT_TRUE(headless::KeyUp(window, Left));
  for (int i = 0; i < 400 && key_state(Left) != 0; ++i) delay(5);
  EXPECT_EQ(key_state(Left), 0);
  EXPECT_LT(key_state('Q'), 0);

  ASSERT_TRUE(headless::KeyDown(window, 0x10));  // Shift; scan code 0: the left one
  for (int i = 0; i < 400 && key_state(LeftShift) == 0; ++i) delay(5);
  EXPECT_LT(key_state(LeftShift), 0);
  EXPECT_EQ(key_state(RightShift), 0);
  drain_keys();
}

// A program run as the user would run it, ending however it ends; its exit code and output.
std::pair<int, std::string> RunWindowChild(const char* mode) {
  const std::string command =
      std::string("GRAPHWIN_BACKEND=headless timeout 60 ") + WINDOW_CHILD + " " + mode;
  FILE* child = popen(command.c_str(), "r");
  if (child == nullptr) return {-1, ""};
  std::string output;
  char bytes[256];
  size_t n;
  while ((n = fread(bytes, 1, sizeof bytes, child)) > 0) output.append(bytes, n);
  const int status = pclose(child);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(CFrontWindowClose, TheCloseButtonEndsTheProgramWithZeroOnlyWhenTheWindowSaysSo) {
  EXPECT_EQ(RunWindowChild("ends"), (std::pair<int, std::string>{0, ""}));
  EXPECT_EQ(RunWindowChild("initgraph"), (std::pair<int, std::string>{0, ""}));
  EXPECT_EQ(RunWindowChild("stays"), (std::pair<int, std::string>{3, "open\n"}));
}
#endif

}  // namespace
