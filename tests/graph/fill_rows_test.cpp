// Filled shapes and clearing hand their rows to a driver with a Runs slot in batches, with
// the pixels of one row at a time.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/shapes.h"
#include "test_driver.h"

using namespace testing_support;

namespace {

struct Scene {
  std::string name;
  std::function<void()> draw;
};

// Each scene has a border around it in colour 9, for the flood fill, and lies partly
// outside the viewport, so that clipping counts.
const std::vector<Scene>& Scenes() {
  static const std::vector<Scene> scenes = {
      {"ClearViewPort", [] { ClearViewPort(); }},
      {"ClearDevice", [] { ClearDevice(); }},
      {"FillEllipse", [] { FillEllipse(20, 60, 70, 45); }},
      {"FillPoly",
       [] {
         const int star[] = {60, -30, 80, 50, 160, 60, 90, 100, 120, 180, 60, 130, 0, 180, 30, 100};
         FillPoly(8, star);
       }},
      {"PieSlice", [] { PieSlice(40, 80, 30, 300, 60); }},
      {"Sector", [] { Sector(100, 20, 200, 100, 90, 50); }},
      {"FloodFill",
       [] {
         SetColor(9);
         Rectangle(-10, 10, 150, 140);
         Circle(70, 75, 30);
         FloodFill(5, 20, 9);
       }},
  };
  return scenes;
}

}  // namespace

// The same scenes drawn by a driver that takes the rows one by one as they come, and by
// one with a Runs slot: the same pixels, with the rows in a batch per colour (the fill's,
// and the background's in a pattern) beside the outline's few.
TEST(FilledShapes, ReachADriverWithRunsInBatchesWithThePixelsOfRowByRow) {
  const uint8_t user[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
  for (const Scene& scene : Scenes()) {
    for (uint16_t pattern : {SolidFill, EmptyFill, SlashFill, UserFill}) {
      std::vector<uint16_t> rowByRow;
      for (bool batches : {false, true}) {
        Options o;
        o.fillRuns = batches;
        o.fillPatternLine = !batches;
        ASSERT_EQ(StartGraphics(13, 30009, Screen{}, o), grOk);
        SetBkColor(5);
        SetViewPort(30, 20, 300, 200, true);
        if (pattern == UserFill) {
          SetFillPattern(user, 11);
        } else {
          SetFillStyle(pattern, 11);
        }
        ClearStore();
        scene.draw();
        const std::string what = scene.name + ", pattern " + std::to_string(pattern);
        if (!batches) {
          rowByRow = seen.pixels;
          EXPECT_EQ(seen.runsCalls, 0) << what;
          continue;
        }
        EXPECT_EQ(seen.pixels, rowByRow) << what;
        EXPECT_EQ(seen.patternLineCalls, 0) << what;
        EXPECT_LE(seen.runsCalls, 6) << what;
      }
      EXPECT_GT(Count(11, 0, 0, 639, 479) + Count(5, 0, 0, 639, 479), 1000) << scene.name;
    }
  }
}

// The driver that draws rows itself gets each at once, in the order they come.
TEST(FilledShapes, ADriversOwnPatternLineGetsEveryRow) {
  Options o;
  o.fillPatternLine = true;
  ASSERT_EQ(StartGraphics(13, 30009, Screen{}, o), grOk);
  FillEllipse(100, 100, 50, 30);
  EXPECT_GE(seen.patternLineCalls, 59);
  EXPECT_EQ(Count(Untouched, 80, 95, 120, 105), 0);
}
