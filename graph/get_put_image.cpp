// Images (layout in image_layout.h): their size, and the generic routines for modes whose
// driver has none, which read through GetPixel and draw through HLine.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "graph/graph.h"
#include "graph/image_layout.h"
#include "layer_internal.h"

int32_t ImageSize(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  return Graph.Slots.ImageSize(x1, y1, x2, y2);
}

void GetImage(int16_t x1, int16_t y1, int16_t x2, int16_t y2, void* image) {
  if (!image) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.Slots.GetImage(x1, y1, x2, y2, image);
}

void PutImage(int16_t x, int16_t y, const void* image, uint16_t bitBlt) {
  if (!image || bitBlt > NotPut) {
    Graph.ResultCode = grError;
    return;
  }
  Graph.Slots.PutImage(x, y, image, bitBlt);
}

// Corners in any order; grError and 0 for a size that cannot be allocated.
int32_t GenericImageSize(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
  const int64_t bytes = ImageBytes(std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
  if (bytes < 0) {
    Graph.ResultCode = grError;
    return 0;
  }
  return static_cast<int32_t>(bytes);
}

// Reads the rectangle pixel by pixel as colour numbers, with clipping off: the viewport
// limits drawing, not reading. Points off the drawing area read as the driver says.
void GenericGetImage(int16_t x1, int16_t y1, int16_t x2, int16_t y2, void* image) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  if (!StartImage(x1, y1, x2, y2, image)) {
    Graph.ResultCode = grError;
    return;
  }
  const SavedField savedClip(Graph.ViewPort.ClipPixels);
  Graph.ViewPort.ClipPixels = false;
  size_t i = 0;
  for (int32_t y = y1; y <= y2; ++y) {
    for (int32_t x = x1; x <= x2; ++x) {
      WriteImagePixel(image, i++,
                      Graph.Slots.GetPixel(static_cast<int16_t>(x), static_cast<int16_t>(y)));
    }
  }
}

// Draws the image with its top-left corner at (x, y), clipped to the viewport (to the
// drawing area when clipping is off). Copy, XOR, OR and AND go through HLine in the write
// mode of the same number, a run per stretch of equal pixels; NotPut copies the mirror
// colour MaxColor - 1 - c, the colour NotPut lines draw.
void GenericPutImage(int16_t x, int16_t y, const void* image, uint16_t bitBlt) {
  if (NoModeInstalled()) StopNotInGraphicsMode();
  const ImageSizeFields size = ReadImageSize(image);
  const ViewPortState& vp = Graph.ViewPort;
  int32_t left = 0, top = 0, right = vp.Width, bottom = vp.Height;
  if (!vp.ClipPixels) {
    left = -vp.X1;
    top = -vp.Y1;
    right = Graph.MaxX - vp.X1;
    bottom = Graph.MaxY - vp.Y1;
  }
  const int32_t fromX = std::max<int32_t>(x, left),
                toX = std::min<int32_t>(x + size.width - 1, right);
  const int32_t fromY = std::max<int32_t>(y, top),
                toY = std::min<int32_t>(y + size.height - 1, bottom);
  if (fromX > toX || fromY > toY) return;

  const SavedField savedColor(Graph.CurrentColor);
  const SavedField savedWriteMode(Graph.WriteMode);
  Graph.WriteMode = bitBlt == NotPut ? NormalPut : bitBlt;
  auto colorOf = [bitBlt](uint32_t v) {
    const uint32_t colors = static_cast<uint32_t>(std::max<int32_t>(Graph.MaxColor, 1));
    return static_cast<uint16_t>(bitBlt == NotPut ? colors - 1 - v % colors : v);
  };
  for (int32_t row = fromY; row <= toY; ++row) {
    const size_t rowStart = size_t(row - y) * size.width;
    int32_t runStart = fromX;
    for (int32_t col = fromX; col <= toX; ++col) {
      const uint32_t v = ReadImagePixel(image, rowStart + size_t(col - x));
      const bool runEnds = col == toX || ReadImagePixel(image, rowStart + size_t(col + 1 - x)) != v;
      if (!runEnds) continue;
      Graph.CurrentColor = colorOf(v);
      Graph.Slots.HLine(static_cast<int16_t>(runStart), static_cast<int16_t>(col),
                        static_cast<int16_t>(row));
      runStart = col + 1;
    }
  }
}
