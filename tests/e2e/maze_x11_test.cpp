// The real maze binary on an X server of its own: its window, its picture, keys sent to it,
// its output and its exit code.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>

#include "testing/fixed_seed.h"
#include "testing/maze_session.h"

namespace {

using namespace testing_support;

const char* const Title = "Graph window application";

class MazeOnX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveProgram("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
    server = std::make_unique<XvfbServer>();
    ASSERT_TRUE(server->ok()) << "Xvfb did not start";
    screen = std::make_unique<WindowView>(server->display());
    ASSERT_TRUE(screen->ok());
  }

  // Starts a game and waits until its whole first picture is on the server. Its boot
  // clock, and so its seed, is fixed: a maze with a wall and an open cell beside the dome,
  // which no mine reaches for far longer than a test plays. preload adds libraries after
  // the clock's.
  std::unique_ptr<Process> startGame(const std::vector<std::string>& extraEnv = {},
                                     const std::string& preload = "") {
    auto env = GameEnvironment(server->display());
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::erase_if(env, [](const std::string& e) { return e.rfind("ASAN_OPTIONS=", 0) == 0; });
    const char* asan = getenv("ASAN_OPTIONS");
    // The preloaded clock comes before the address sanitizer's runtime.
    env.push_back(std::string("ASAN_OPTIONS=") + (asan ? std::string(asan) + ":" : "") +
                  "verify_asan_link_order=0");
    env.push_back(std::string("LD_PRELOAD=") + FIXED_BOOT_CLOCK + (preload.empty() ? "" : ":") +
                  preload);
    env.push_back("FIXED_BOOT_MS=" + std::to_string(FixedBootMs));
    auto game = std::make_unique<Process>(std::vector<std::string>{MAZE_BINARY}, env);
    EXPECT_TRUE(screen->waitForWindow(Title, 30)) << game->err();
    int w = 0, h = 0;
    screen->size(w, h);
    field = std::make_unique<Field>(w, h);
    // The server reads the window's shared image when it gets to a request, not when the
    // request was sent: one sent early may be read while the drawing is half-way, so the
    // last row may be shown before rows above it, which the next request brings. Only a
    // field with no black pixel left is the whole first picture. A game that a mine ended
    // at once takes its window with it.
    const auto until = Clock::now() + std::chrono::seconds(30);
    while (Clock::now() < until && !game->exited() && !field->drawn(screen->grab())) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return game;
  }

  // Quits a game that still runs and waits until its window is gone.
  void endGame(Process& game) {
    if (!game.exited()) {
      screen->pressKey(XK_a);
      game.waitForExit(30);
    }
    screen->waitUntilGone(10);
  }

  Rgb slot(const WindowView::Picture& p, int x, int y) const {
    return p.at(field->midX(x), field->midY(y));
  }

  std::unique_ptr<XvfbServer> server;
  std::unique_ptr<WindowView> screen;
  std::unique_ptr<Field> field;
};

TEST_F(MazeOnX11, ShowsTheMazeWithItsFrameAndTheDome) {
  auto game = startGame();
  const auto picture = screen->grab();
  ASSERT_GT(picture.width, 0);
  EXPECT_EQ(picture.width, 1920);  // no window manager: the whole screen is the work area
  EXPECT_EQ(slot(picture, 50, 40), Red);
  int frame = 0, green = 0;
  for (int y = 1; y <= 81; ++y) {
    for (int x = 1; x <= 100; ++x) {
      const Rgb c = slot(picture, x, y);
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
  endGame(*game);
}

TEST_F(MazeOnX11, SmallAQuitsWithNoFurtherTextAndCapitalADoesNothing) {
  auto game = startGame();
  ASSERT_TRUE(game->waitForOutput("sekuntia!!\n", 30)) << game->out();
  screen->pressKey(XK_a, /*shift=*/true);
  EXPECT_FALSE(game->waitForExit(1.5).has_value()) << "capital A ended the game";
  screen->pressKey(XK_a);
  const auto code = game->waitForExit(30);
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 0);
  const std::string& out = game->out();
  EXPECT_EQ(out.rfind("Odota, arvon labyrinttia.", 0), 0u) << out;
  EXPECT_TRUE(std::regex_search(out, std::regex("Aikaa jaljella vain-?\\d+ sekuntia!!\n$"))) << out;
  EXPECT_EQ(out.find("LOISTAVAA"), std::string::npos);
  EXPECT_EQ(out.find("RAJAHDYS"), std::string::npos);
}

TEST_F(MazeOnX11, ArrowKeysBumpIntoWallsAndMoveTheDome) {
  auto game = startGame();
  const auto picture = screen->grab();
  const struct {
    KeySym key;
    int dx, dy;
  } moves[] = {{XK_Up, 0, -1}, {XK_Down, 0, 1}, {XK_Left, -1, 0}, {XK_Right, 1, 0}};
  const auto* wall = std::find_if(std::begin(moves), std::end(moves), [&](auto& m) {
    return slot(picture, 50 + m.dx, 40 + m.dy) == Blue;
  });
  const auto* open = std::find_if(std::begin(moves), std::end(moves), [&](auto& m) {
    return slot(picture, 50 + m.dx, 40 + m.dy) == White;
  });
  ASSERT_NE(wall, std::end(moves)) << "the fixed seed's maze has no wall beside the dome";
  ASSERT_NE(open, std::end(moves)) << "the fixed seed's maze has no open cell beside the dome";

  screen->pressKey(wall->key);
  ASSERT_TRUE(game->waitForOutput("Ei kannata hakata kupolia muuriin!!\n", 30)) << game->out();
  const auto after = screen->grab();
  for (int y = 40 * field->cellHeight + 1; y < 41 * field->cellHeight; ++y) {
    for (int x = 50 * field->cellWidth + 1; x < 51 * field->cellWidth; ++x) {
      ASSERT_EQ(after.at(x, y), picture.at(x, y)) << "dome slot pixel " << x << "," << y;
    }
  }
  EXPECT_EQ(slot(after, 50 + wall->dx, 40 + wall->dy), Blue);

  // The new slot is filled first, the old one right after it.
  screen->pressKey(open->key);
  const auto until = Clock::now() + std::chrono::seconds(30);
  Rgb newSlot, oldSlot;
  while (Clock::now() < until && !game->exited()) {
    newSlot = screen->pixelAt(field->midX(50 + open->dx), field->midY(40 + open->dy));
    oldSlot = screen->pixelAt(field->midX(50), field->midY(40));
    if (newSlot == Red && oldSlot == White) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  // What the game printed tells a lost key (time lines go on) from a stuck game.
  EXPECT_EQ(newSlot, Red) << "standard output:\n"
                          << game->out() << "standard error:\n"
                          << game->err();
  EXPECT_EQ(oldSlot, White);
  screen->pressKey(XK_a);
  EXPECT_EQ(game->waitForExit(30), 0) << game->out();
}

TEST_F(MazeOnX11, TimeLimitExplodesAfterANegativeCount) {
  const char* lib = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1";
  if (access(lib, R_OK) != 0) GTEST_SKIP() << "faketime is not installed";
  if (std::string(SANITIZE_BUILD).find("thread") != std::string::npos)
    GTEST_SKIP() << "faketime's clock interposition does not mix with the thread sanitizer";
  // Forty times as fast: the minute passes in a second or two.
  auto game = startGame({"FAKETIME=+0 x40", "FAKETIME_DONT_FAKE_MONOTONIC=1"}, lib);
  const auto code = game->waitForExit(120);
  ASSERT_TRUE(code) << game->out();
  EXPECT_EQ(*code, 2);
  // The clock explodes right after a negative count.
  EXPECT_TRUE(std::regex_search(
      game->out(), std::regex("Aikaa jaljella vain-\\d+ sekuntia!!\nRAJAHDYS!{21}\n$")))
      << game->out();
}

TEST_F(MazeOnX11, LosingTheDisplayEndsTheGameAtOnceWithOne) {
  auto game = startGame();
  ASSERT_TRUE(game->waitForOutput("sekuntia!!\n", 30)) << game->out();
  screen.reset();  // Xlib would end this test on the broken connection
  server->killServer();
  const auto code = game->waitForExit(10);
  ASSERT_TRUE(code) << "the game played on after its display was lost";
  EXPECT_EQ(*code, 1) << game->err();
  EXPECT_NE(game->err().find("Error: the display " + server->display() + " was lost"),
            std::string::npos)
      << game->err();
  EXPECT_EQ(game->out().find("RAJAHDYS"), std::string::npos);
}

// With standard output closed, no X connection may take its place: the first message
// fails as documented.
TEST_F(MazeOnX11, AClosedStandardOutputIsReportedAtTheFirstWrite) {
  Process game({"/bin/sh", "-c", "exec \"$0\" >&-", MAZE_BINARY},
               GameEnvironment(server->display()));
  const auto code = game.waitForExit(30);
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 74);
  EXPECT_NE(game.err().find("Error: writing to standard output failed"), std::string::npos)
      << game.err();
}

// The shared-memory segments a process made, each with whether it is marked for removal.
std::vector<bool> SegmentsMadeBy(pid_t pid) {
  std::ifstream table("/proc/sysvipc/shm");
  std::string line;
  std::getline(table, line);  // the heading
  std::vector<bool> marked;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    long key, id, size, creator;
    std::string perms;
    if (fields >> key >> id >> perms >> size >> creator && creator == pid)
      marked.push_back(std::stoi(perms, nullptr, 8) & 01000);  // SHM_DEST
  }
  return marked;
}

TEST_F(MazeOnX11, TheWindowsSharedMemoryGoesWithTheProcessHoweverItEnds) {
  for (const bool killed : {false, true}) {
    auto game = startGame();
    const pid_t pid = game->pid();
    if (game->exited()) continue;  // a mine at once: nothing left to look at
    // Marked for removal as soon as the server attached it: nothing is left behind even
    // when the process gets no chance to clean up.
    EXPECT_EQ(SegmentsMadeBy(pid), std::vector<bool>{true}) << (killed ? "killed" : "quit");
    if (killed) {
      kill(pid, SIGKILL);
      game->waitForExit(30);
    } else {
      endGame(*game);
    }
    const auto until = Clock::now() + std::chrono::seconds(20);
    while (!SegmentsMadeBy(pid).empty() && Clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(SegmentsMadeBy(pid).empty()) << (killed ? "killed" : "quit");
  }
}

TEST(MazeWithoutDisplay, SaysGraphicsCannotStartAndExitsWithOne) {
  std::vector<std::string> env = {"PATH=/usr/bin:/bin"};
  if (const char* v = getenv("ASAN_OPTIONS")) env.push_back(std::string("ASAN_OPTIONS=") + v);
  Process game({MAZE_BINARY}, env);
  const auto code = game.waitForExit(30);
  ASSERT_TRUE(code);
  EXPECT_EQ(*code, 1);
  EXPECT_EQ(game.out(), "grapich state is not supported!\n");
  EXPECT_NE(game.err().find("Window creation failed"), std::string::npos) << game.err();
}

}  // namespace
