// The driver's images keep RGB values exactly, combine them with each operation on both
// surfaces and clip at the viewport; its scan lines read what GetPixel reads.
#include "images.h"

#include <vector>

#include "graph/fill.h"
#include "graph/image_layout.h"
#include "graph/shapes.h"
#include "headless_window.h"

namespace {

using DriverImageTest = HeadlessWindowTest;

constexpr COLORREF White = RGB(252, 252, 252);

// A 3 x 2 picture of colours 1..6, with one pixel that no palette entry has.
constexpr COLORREF Odd = RGB(1, 2, 3);
void DrawSample(int x, int y) {
  for (int i = 0; i < 6; ++i) PutPixel(int16_t(x + i % 3), int16_t(y + i / 3), uint16_t(i + 1));
  std::lock_guard lock(graphLock);
  WritePixelLocked(x + 2, y + 1, Ink{0, Odd});
}

std::vector<uint8_t> Take(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  std::vector<uint8_t> image(size_t(ImageSize(x1, y1, x2, y2)));
  GetImage(x1, y1, x2, y2, image.data());
  return image;
}

TEST_F(DriverImageTest, RoundTripWithEachOperationOnBothSurfaces) {
  open640x480x16();
  DrawSample(10, 10);
  const std::vector<uint8_t> image = Take(10, 10, 12, 11);
  EXPECT_EQ(ReadImagePixel(image.data(), 5), Odd);
  SetRGBPalette(1, 255, 0, 0);  // a later palette change does not touch the image
  for (uint16_t op : {NormalPut, XORPut, OrPut, AndPut, NotPut}) {
    SetFillStyle(SolidFill, 15);
    Bar(100, 100, 102, 101);
    PutImage(100, 100, image.data(), op);
    for (int i = 0; i < 6; ++i) {
      const COLORREF source = ReadImagePixel(image.data(), size_t(i));
      const COLORREF want = op == NormalPut ? source
                            : op == XORPut  ? White ^ source
                            : op == OrPut   ? White | source
                            : op == AndPut  ? White & source
                                            : ~source & 0xFFFFFF;
      EXPECT_EQ(stored(100 + i % 3, 100 + i / 3), want) << "operation " << op << " pixel " << i;
      EXPECT_EQ(shown(100 + i % 3, 100 + i / 3), want) << "operation " << op << " pixel " << i;
    }
  }
  EXPECT_EQ(GraphResult(), grOk);
}

TEST_F(DriverImageTest, ClippedAtTheViewportAndTheDrawingArea) {
  open640x480x16();
  DrawSample(0, 0);
  const std::vector<uint8_t> image = Take(0, 0, 2, 1);
  SetViewPort(200, 200, 209, 209, true);
  PutImage(-1, -1, image.data(), NormalPut);
  PutImage(8, 9, image.data(), NormalPut);
  EXPECT_EQ(stored(200, 200), stored(1, 1));  // image pixels (1, 1) and (2, 1)
  EXPECT_EQ(stored(201, 200), Odd);
  EXPECT_EQ(stored(199, 199), 0u);
  EXPECT_EQ(stored(200, 201), 0u);
  EXPECT_EQ(stored(208, 209), stored(0, 0));
  EXPECT_EQ(stored(210, 209), 0u);
  EXPECT_EQ(shown(209, 209), stored(1, 0));

  SetViewPort(0, 0, 639, 479, false);  // without clipping, still only the drawing area
  PutImage(638, 479, image.data(), NormalPut);
  PutImage(-32768, -32768, image.data(), XORPut);
  EXPECT_EQ(stored(639, 479), stored(1, 0));

  // Reading beyond the drawing area gives 0 there.
  const std::vector<uint8_t> edge = Take(638, 478, 641, 479);
  EXPECT_EQ(ReadImagePixel(edge.data(), 5), stored(639, 479));
  EXPECT_EQ(ReadImagePixel(edge.data(), 7), 0u);
}

TEST_F(DriverImageTest, ScanLinesAndFloodFillReadTheDrawing) {
  open640x480x16();
  DrawSample(10, 10);
  uint16_t row[6] = {};
  GetScanLine(9, 14, 10, row);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(row[i], GetPixel(int16_t(9 + i), 10)) << i;
  EXPECT_EQ(row[1], 1);

  SetColor(4);
  Rectangle(50, 50, 150, 100);
  SetFillStyle(SolidFill, 2);
  FloodFill(100, 75, 4);
  EXPECT_EQ(GetPixel(51, 51), 2);
  EXPECT_EQ(GetPixel(149, 99), 2);
  EXPECT_EQ(GetPixel(50, 75), 4);
  EXPECT_EQ(GetPixel(151, 75), 0);
  EXPECT_EQ(shown(100, 75), stored(100, 75));
}

TEST_F(DriverImageTest, NothingHappensWithoutAWindow) {
  std::vector<uint8_t> image(4 + 4, 0xAB);
  WriteImageSize(image.data(), 1, 1);
  DriverPutImage(0, 0, image.data(), NormalPut);  // no crash, no drawing
  DriverGetImage(0, 0, 0, 0, image.data());
  EXPECT_EQ(GraphResult(), grError);
  EXPECT_EQ(ReadImagePixel(image.data(), 0), 0u);
}

}  // namespace
