// The real maze binary on an X server of its own: its window, its picture, keys sent to it,
// its output and its exit code.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <regex>

#include "tests/e2e/maze_session.h"

namespace {

using namespace e2e;

const char* const Title = "Graph window application";

class MazeOnX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
    server = std::make_unique<Xvfb>();
    ASSERT_TRUE(server->ok()) << "Xvfb did not start";
    screen = std::make_unique<WindowView>(server->display());
    ASSERT_TRUE(screen->ok());
  }

  // Starts a game and waits until its whole first picture is on the server.
  std::unique_ptr<Process> StartGame(std::vector<std::string> extraEnv = {}) {
    auto env = GameEnvironment(server->display());
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    auto game = std::make_unique<Process>(std::vector<std::string>{MAZE_BINARY}, env);
    EXPECT_TRUE(screen->WaitForWindow(Title, 30)) << game->err();
    int w = 0, h = 0;
    screen->Size(w, h);
    field = std::make_unique<Field>(w, h);
    const auto until = Clock::now() + std::chrono::seconds(30);
    // The slots of the last row are drawn last.
    while (Clock::now() < until && !(screen->PixelAt(field->MidX(100), field->MidY(81)) == Green &&
                                     screen->PixelAt(field->MidX(50), field->MidY(40)) == Red)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return game;
  }

  Rgb Slot(const WindowView::Picture& p, int x, int y) const {
    return p.at(field->MidX(x), field->MidY(y));
  }

  std::unique_ptr<Xvfb> server;
  std::unique_ptr<WindowView> screen;
  std::unique_ptr<Field> field;
};

TEST_F(MazeOnX11, ShowsTheMazeWithItsFrameAndTheDome) {
  auto game = StartGame();
  const auto picture = screen->Grab();
  ASSERT_GT(picture.width, 0);
  EXPECT_EQ(picture.width, 1920);  // no window manager: the whole screen is the work area
  EXPECT_EQ(Slot(picture, 50, 40), Red);
  int frame = 0, green = 0;
  for (int y = 1; y <= 81; ++y) {
    for (int x = 1; x <= 100; ++x) {
      const Rgb c = Slot(picture, x, y);
      ASSERT_TRUE(c == White || c == Blue || c == Red || c == Yellow || c == Green)
          << "slot " << x << "," << y << " is " << int(c.r) << "," << int(c.g) << "," << int(c.b);
      if (x == 1 || y == 1 || y == 81 || x == 100) {
        if (x == 100 && y != 1 && y != 81) continue;
        ++frame;
        green += c == Green;
      } else {
        EXPECT_NE(c, Green) << "slot " << x << "," << y;
      }
    }
  }
  // Mines that leave a frame slot leave it white; nearly all of it is green.
  EXPECT_GT(green, frame * 9 / 10);
  screen->Key(XK_a);
}

TEST_F(MazeOnX11, SmallAQuitsWithNoFurtherTextAndCapitalADoesNothing) {
  auto game = StartGame();
  ASSERT_TRUE(game->WaitForOutput("sekuntia!!\n", 30)) << game->out();
  screen->Key(XK_a, /*shift=*/true);
  EXPECT_FALSE(game->Wait(1.5)) << "capital A ended the game";
  screen->Key(XK_a);
  const auto code = game->Wait(30);
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 0);
  const std::string& out = game->out();
  EXPECT_EQ(out.rfind("Odota, arvon labyrinttia.", 0), 0u) << out;
  EXPECT_TRUE(std::regex_search(out, std::regex("Aikaa jaljella vain-?\\d+ sekuntia!!\n$"))) << out;
  EXPECT_EQ(out.find("LOISTAVAA"), std::string::npos);
  EXPECT_EQ(out.find("RAJAHDYS"), std::string::npos);
}

TEST_F(MazeOnX11, ArrowKeysBumpIntoWallsAndMoveTheDome) {
  // The maze is random: play games until the dome has a wall and an open cell beside it.
  for (int attempt = 0; attempt < 10; ++attempt) {
    auto game = StartGame();
    const auto picture = screen->Grab();
    const struct {
      KeySym key;
      int dx, dy;
    } moves[] = {{XK_Up, 0, -1}, {XK_Down, 0, 1}, {XK_Left, -1, 0}, {XK_Right, 1, 0}};
    const auto* wall = std::find_if(std::begin(moves), std::end(moves), [&](auto& m) {
      return Slot(picture, 50 + m.dx, 40 + m.dy) == Blue;
    });
    const auto* open = std::find_if(std::begin(moves), std::end(moves), [&](auto& m) {
      return Slot(picture, 50 + m.dx, 40 + m.dy) == White;
    });
    if (wall == std::end(moves) || open == std::end(moves)) {
      screen->Key(XK_a);
      continue;
    }

    screen->Key(wall->key);
    ASSERT_TRUE(game->WaitForOutput("Ei kannata hakata kupolia muuriin!!\n", 30)) << game->out();
    const auto after = screen->Grab();
    for (int y = 40 * field->cellHeight + 1; y < 41 * field->cellHeight; ++y) {
      for (int x = 50 * field->cellWidth + 1; x < 51 * field->cellWidth; ++x) {
        ASSERT_EQ(after.at(x, y), picture.at(x, y)) << "dome slot pixel " << x << "," << y;
      }
    }
    EXPECT_EQ(Slot(after, 50 + wall->dx, 40 + wall->dy), Blue);

    screen->Key(open->key);
    const auto until = Clock::now() + std::chrono::seconds(30);
    while (Clock::now() < until && !game->Exited() &&
           !(screen->PixelAt(field->MidX(50 + open->dx), field->MidY(40 + open->dy)) == Red)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (game->Exited()) continue;  // stepped onto a cell a mine had left: play again
    EXPECT_EQ(screen->PixelAt(field->MidX(50 + open->dx), field->MidY(40 + open->dy)), Red);
    EXPECT_EQ(screen->PixelAt(field->MidX(50), field->MidY(40)), White);
    screen->Key(XK_a);
    EXPECT_EQ(game->Wait(30), 0);
    return;
  }
  FAIL() << "no maze with a wall and an open cell beside the start in ten games";
}

TEST_F(MazeOnX11, TimeLimitExplodesAfterANegativeCount) {
  const char* lib = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";
  if (access(lib, R_OK) != 0) GTEST_SKIP() << "faketime is not installed";
  if (std::string(SANITIZE_BUILD).find("thread") != std::string::npos)
    GTEST_SKIP() << "faketime's clock interposition does not mix with the thread sanitizer";
  // Forty times as fast: the minute passes in a second or two. A mine may reach the dome
  // first; then the game is played again.
  for (int attempt = 0; attempt < 10; ++attempt) {
    auto game =
        StartGame({std::string("LD_PRELOAD=") + lib, "FAKETIME=+0 x40",
                   "FAKETIME_DONT_FAKE_MONOTONIC=1", "ASAN_OPTIONS=verify_asan_link_order=0"});
    const auto code = game->Wait(120);
    ASSERT_TRUE(code) << game->out();
    EXPECT_EQ(*code, 2);
    const std::string& out = game->out();
    const std::string explosion = "RAJAHDYS!!!!!!!!!!!!!!!!!!!!!\n";
    ASSERT_TRUE(out.size() >= explosion.size() &&
                out.compare(out.size() - explosion.size(), explosion.size(), explosion) == 0)
        << out;
    // Only the clock explodes right after a negative count; a mine can explode anywhere.
    if (!std::regex_search(out,
                           std::regex("Aikaa jaljella vain-\\d+ sekuntia!!\n" + explosion + "$")))
      continue;
    return;
  }
  FAIL() << "a mine ended each of ten games before the time ran out";
}

TEST(MazeWithoutDisplay, SaysGraphicsCannotStartAndExitsWithOne) {
  std::vector<std::string> env = {"PATH=/usr/bin:/bin"};
  if (const char* v = getenv("ASAN_OPTIONS")) env.push_back(std::string("ASAN_OPTIONS=") + v);
  Process game({MAZE_BINARY}, env);
  const auto code = game.Wait(30);
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 1);
  EXPECT_EQ(game.out(), "grapich state is not supported!\n");
  EXPECT_NE(game.err().find("Window creation failed"), std::string::npos) << game.err();
}

}  // namespace
