// How long maze generation takes: one Random call, a failed and an accepted attempt.
#include "bench_stats.h"
#include "game/generation.h"
#include "game/maze.h"
#include "runtime/random.h"

int main() {
  constexpr int calls = 2000000;
  volatile int32_t sink = 0;
  Print("Random(3), per call", "ns", Measure(7, [&] {
          return MillisecondsOf([&] {
                   for (int i = 0; i < calls; ++i) sink = sink + Random(3);
                 }) *
                 1e6 / calls;
        }));

  // A walk that cannot leave its start runs to its draw limit: 2,000,000 Random calls.
  Print("failed attempt (walk to its draw limit)", "ms", Measure(7, [] {
          return MillisecondsOf([] {
            GenerateMaze();
            for (int x = 49; x <= 51; ++x)
              for (int y = 39; y <= 41; ++y) Grid[x][y] = WallCell;
            Grid[50][40] = OpenCell;
            WalkFromStart();
          });
        }));

  // Seed 1 is accepted at its second attempt; time that attempt alone.
  Print("accepted attempt (seed 1, second attempt)", "ms", Measure(7, [] {
          RandomSeed = 1;
          domeX = 50;
          domeY = 40;
          GenerateMaze();
          WalkFromStart();
          return MillisecondsOf([] {
            GenerateMaze();
            WalkFromStart();
          });
        }));
  return 0;
}
