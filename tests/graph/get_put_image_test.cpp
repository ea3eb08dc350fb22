// The generic image routines: size limits, round trips with each operation, clipping.
#include <gtest/gtest.h>

#include <vector>

#include "graph/fill.h"
#include "graph/graph.h"
#include "graph/image_layout.h"
#include "test_driver.h"

using namespace testing_support;

namespace {

// A 4 x 3 picture of colours 1..12 at (x, y).
void DrawSample(int x, int y) {
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 4; ++c) PutPixel(int16_t(x + c), int16_t(y + r), uint16_t(1 + r * 4 + c));
  }
}

}  // namespace

TEST(ImageSize, HeaderPlusFourBytesAPixelAndRefusesWhatCannotBeAllocated) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  EXPECT_EQ(ImageSize(0, 0, 9, 4), 4 + 4 * 50);
  EXPECT_EQ(ImageSize(9, 4, 0, 0), 4 + 4 * 50);
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(ImageSize(-32768, 0, 32767, 0), 0);  // 65,536 wide: no room in the header
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(ImageSize(0, 0, 32767, 32767), 0);  // over 2 GiB
  EXPECT_EQ(GraphResult(), grError);
}

TEST(PutImage, EachOperationCombinesWithWhatGetImageStored) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  DrawSample(10, 20);
  std::vector<uint8_t> image(size_t(ImageSize(10, 20, 13, 22)));
  GetImage(13, 22, 10, 20, image.data());  // corners in any order
  EXPECT_EQ(ReadImageSize(image.data()).width, 4);
  EXPECT_EQ(ReadImageSize(image.data()).height, 3);
  for (uint32_t i = 0; i < 12; ++i) EXPECT_EQ(ReadImagePixel(image.data(), i), i + 1);
  for (uint16_t op : {NormalPut, XORPut, OrPut, AndPut, NotPut}) {
    SetFillStyle(SolidFill, 6);
    Bar(100, 100, 103, 102);
    PutImage(100, 100, image.data(), op);
    for (int i = 0; i < 12; ++i) {
      const uint16_t v = uint16_t(i + 1);
      const uint16_t want = op == NormalPut ? v
                            : op == XORPut  ? uint16_t(6 ^ v)
                            : op == OrPut   ? uint16_t(6 | v)
                            : op == AndPut  ? uint16_t(6 & v)
                                            : uint16_t(15 - v);
      EXPECT_EQ(At(100 + i % 4, 100 + i / 4), want) << "operation " << op << " pixel " << i;
    }
  }
  // XOR twice gives back what was there.
  PutImage(100, 100, image.data(), XORPut);
  PutImage(100, 100, image.data(), XORPut);
  EXPECT_EQ(At(101, 101), 15 - 6);
  EXPECT_EQ(Graph.WriteMode, NormalPut);
  EXPECT_EQ(Graph.CurrentColor, 15);
}

TEST(PutImage, ClippedAtTheViewportEdges) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  DrawSample(0, 0);
  std::vector<uint8_t> image(size_t(ImageSize(0, 0, 3, 2)));
  GetImage(0, 0, 3, 2, image.data());
  ClearStore();
  SetViewPort(100, 100, 109, 109, true);
  PutImage(-2, -1, image.data(), NormalPut);  // top-left corner hangs out
  PutImage(8, 8, image.data(), NormalPut);    // bottom-right corner hangs out
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 99) + Count(Untouched, 0, 110, 639, 479), 640 * 470);
  EXPECT_EQ(Count(Untouched, 0, 100, 99, 109) + Count(Untouched, 110, 100, 639, 109), 630 * 10);
  EXPECT_EQ(At(100, 100), 7);  // image pixel (2, 1)
  EXPECT_EQ(At(101, 101), 12);
  EXPECT_EQ(At(109, 109), 6);  // image pixel (1, 1)
  EXPECT_EQ(Count(Untouched, 100, 100, 109, 109), 100 - 4 - 4);

  PutImage(-4, 0, image.data(), NormalPut);  // wholly outside
  PutImage(600, 600, image.data(), NormalPut);
  EXPECT_EQ(seen.outOfBounds, 0);
}

TEST(PutImage, BadImagesAndOperationsDrawNothing) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  uint8_t empty[4] = {};
  WriteImageSize(empty, 0, 5);
  PutImage(10, 10, empty, NormalPut);
  EXPECT_EQ(GraphResult(), grOk);
  uint8_t one[8] = {};
  WriteImageSize(one, 1, 1);
  PutImage(10, 10, one, 5);
  EXPECT_EQ(GraphResult(), grError);
  PutImage(10, 10, nullptr, NormalPut);
  EXPECT_EQ(GraphResult(), grError);
  GetImage(0, 0, 1, 1, nullptr);
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 640 * 480);
}

TEST(PutImage, ImagesLargerThanTheScreenAreTakenAndDrawnClipped) {
  ASSERT_EQ(StartGraphics(13, 30009), grOk);
  SetFillStyle(SolidFill, 9);
  Bar(0, 0, 639, 479);
  std::vector<uint8_t> image(size_t(ImageSize(-50, -50, 700, 520)));
  GetImage(-50, -50, 700, 520, image.data());
  EXPECT_EQ(GraphResult(), grOk);
  EXPECT_EQ(ReadImagePixel(image.data(), 0), 0u);              // off the screen
  EXPECT_EQ(ReadImagePixel(image.data(), 50 * 751 + 50), 9u);  // screen pixel (0, 0)
  ClearStore();
  PutImage(-10, -10, image.data(), NormalPut);
  EXPECT_EQ(At(0, 0), 0);  // image pixel (10, 10), off the screen when taken
  EXPECT_EQ(At(39, 39), 0);
  EXPECT_EQ(At(40, 39), 0);
  EXPECT_EQ(At(40, 40), 9);  // image pixel (50, 50), which was screen pixel (0, 0)
  EXPECT_EQ(Count(Untouched, 0, 0, 639, 479), 0);
  EXPECT_EQ(seen.outOfBounds, 0);
}
