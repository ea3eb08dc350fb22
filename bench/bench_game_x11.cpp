// The maze binary on an Xvfb of its own (1920 x 1080): the time from process start to the
// complete first picture, and from a key press reaching the window to the dome's new slot
// being on the X server.
#include <cstdio>
#include <string>

#include "bench_stats.h"
#include "testing/maze_session.h"

using namespace testing_support;

namespace {

double Since(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

int CountNotices(const std::string& out) {
  int n = 0;
  for (size_t at = out.find("Odota"); at != std::string::npos; at = out.find("Odota", at + 1)) ++n;
  return n;
}

}  // namespace

int main() {
  if (!HaveProgram("Xvfb")) {
    std::puts("bench_game_x11: Xvfb is not installed; nothing measured.");
    return 0;
  }
  XvfbServer server;
  WindowView screen(server.display());
  if (!server.ok() || !screen.ok()) {
    std::puts("bench_game_x11: Xvfb did not start; nothing measured.");
    return 1;
  }
  std::vector<double> firstPicture, keyToScreen;
  std::vector<int> attempts;
  for (int run = 0; run < 7; ++run) {
    const auto start = Clock::now();
    Process game({MAZE_BINARY}, GameEnvironment(server.display()));
    if (!screen.waitForWindow("Graph window application", 30)) break;
    int w, h;
    screen.size(w, h);
    const Field field(w, h);
    while (!(screen.pixelAt(field.midX(100), field.midY(81)) == Green) && !game.exited()) {
    }
    firstPicture.push_back(Since(start));
    attempts.push_back(CountNotices(game.out()));

    // Find an open cell beside the dome, wait until the game sits in its wait, then press.
    const struct {
      KeySym key;
      int dx, dy;
    } moves[] = {{XK_Up, 0, -1}, {XK_Down, 0, 1}, {XK_Left, -1, 0}, {XK_Right, 1, 0}};
    for (const auto& m : moves) {
      if (!(screen.pixelAt(field.midX(50 + m.dx), field.midY(40 + m.dy)) == White)) continue;
      game.waitForOutput("sekuntia!!\n", 30);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      const auto pressed = Clock::now();
      screen.pressKey(m.key);
      const auto until = pressed + std::chrono::seconds(5);
      // Poll gently: the game's busy wait already holds one of the cores.
      while (Clock::now() < until &&
             !(screen.pixelAt(field.midX(50 + m.dx), field.midY(40 + m.dy)) == Red)) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      }
      if (Clock::now() < until) keyToScreen.push_back(Since(pressed));
      break;
    }
    screen.pressKey(XK_a);
    game.waitForExit(10);
  }
  auto stats = [](std::vector<double> v) {
    return Measure(int(v.size()), [&, i = size_t(0)]() mutable { return v[i++]; });
  };
  if (!firstPicture.empty())
    Print("process start to complete first picture", "ms", stats(firstPicture));
  int total = 0;
  for (int a : attempts) total += a;
  if (!attempts.empty())
    std::printf("  (%.1f generation attempts per start on average)\n",
                double(total) / attempts.size());
  if (!keyToScreen.empty()) Print("key press to dome slot on the server", "ms", stats(keyToScreen));
  return 0;
}
