#include "images.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "driver_state.h"
#include "graph/image_layout.h"
#include "graph_state.h"
#include "graphwin/driver.h"
#include "graphwin/true_color.h"
#include "palette.h"
#include "run_clip.h"

namespace {

constexpr COLORREF RgbMask = 0x00FFFFFF;

COLORREF Combine(COLORREF present, COLORREF source, uint16_t bitBlt) {
  switch (bitBlt) {
    case XORPut:
      return (present ^ source) & RgbMask;
    case OrPut:
      return (present | source) & RgbMask;
    case AndPut:
      return present & source;
    case NotPut:
      return ~source & RgbMask;
    default:
      return source & RgbMask;
  }
}

// An image of a palette window holds colour numbers, combined as numbers: NotPut puts the
// mirror colour MaxColor - 1 - c, as the layer's own image routine does.
// A true colour in an image stays a true colour, combined by its RGB value.
uint32_t CombineColorNumbers(uint32_t present, uint32_t source, uint16_t bitBlt) {
  switch (bitBlt) {
    case XORPut:
    case OrPut:
    case AndPut:
      return CombinePageValues(present, source, bitBlt);
    case NotPut: {
      if (source >= TrueColorFlag) return TrueColorFlag | (~source & RgbMask);
      const uint32_t colors = uint32_t(std::max<int32_t>(Graph.MaxColor, 1));
      return colors - 1 - source % colors;
    }
    default:
      return source;
  }
}

// Puts the clipped block (fromX, fromY) .. (toX, toY) of an image whose top-left corner is
// at (left, top) on the active page, and shows it as one block when that page is shown.
void PutColorNumbersLocked(const void* image, uint16_t width, int left, int top, int fromX,
                           int fromY, int toX, int toY, uint16_t bitBlt) {
  for (int row = fromY; row <= toY; ++row) {
    const size_t rowStart = size_t(row - top) * width;
    for (int x = fromX; x <= toX; ++x) {
      const uint32_t source = ReadImagePixel(image, rowStart + size_t(x - left));
      const uint32_t present = pagePlanes.activeRow(row)[x];
      StorePixelLocked(x, row, InkOfStored(CombineColorNumbers(present, source, bitBlt)));
    }
  }
  ShowLocked(fromX, fromY, toX - fromX + 1, toY - fromY + 1);
}

}  // namespace

void DriverGetImage(int16_t x1, int16_t y1, int16_t x2, int16_t y2, void* image) {
  if (!StartImage(x1, y1, x2, y2, image)) {
    Graph.ResultCode = grError;
    return;
  }
  const int width = x2 - x1 + 1, height = y2 - y1 + 1;
  std::memset(ImageRowBytes(image, uint16_t(width), 0), 0,
              size_t(width) * size_t(height) * ImagePixelBytes);
  if (!windowReady) {
    Graph.ResultCode = grError;
    return;
  }
  const int left = x1 + Graph.ViewPort.X1, top = y1 + Graph.ViewPort.Y1;
  std::lock_guard lock(graphLock);
  const int drawingWidth = DrawingWidthLocked(), drawingHeight = DrawingHeightLocked();
  const int fromX = std::max(left, 0), toX = std::min(left + width, drawingWidth);
  for (int row = std::max(top, 0); row < std::min(top + height, drawingHeight); ++row) {
    uint8_t* out =
        ImageRowBytes(image, uint16_t(width), row - top) + size_t(fromX - left) * ImagePixelBytes;
    if (pagePlanes.inUse()) {  // the colour numbers of the active page
      if (fromX < toX) {
        std::memcpy(out, pagePlanes.activeRow(row) + fromX, size_t(toX - fromX) * sizeof(uint32_t));
      }
      continue;
    }
    if (DrawToBitmap) {
      if (fromX < toX) {
        std::memcpy(out, backingBitmap->row(row) + fromX, size_t(toX - fromX) * sizeof(COLORREF));
      }
      continue;
    }
    for (int x = fromX; x < toX; ++x, out += ImagePixelBytes) {
      const COLORREF v = PresentInkLocked(x, row).rgb;
      std::memcpy(out, &v, sizeof v);
    }
  }
}

void DriverPutImage(int16_t x, int16_t y, const void* image, uint16_t bitBlt) {
  if (!windowReady) return;
  const ImageSizeFields size = ReadImageSize(image);
  const ViewPortState& vp = Graph.ViewPort;
  const int left = x + vp.X1, top = y + vp.Y1;

  std::lock_guard lock(graphLock);
  if (!backingBitmap) return;
  // Clipped as a run is.
  const PixelArea area = RunArea(vp, DrawingWidthLocked(), DrawingHeightLocked());
  const int fromX = std::max(left, area.left), toX = std::min(left + size.width - 1, area.right);
  const int fromY = std::max(top, area.top), toY = std::min(top + size.height - 1, area.bottom);
  if (fromX > toX || fromY > toY) return;
  const int count = toX - fromX + 1;

  if (pagePlanes.inUse()) {
    PutColorNumbersLocked(image, size.width, left, top, fromX, fromY, toX, toY, bitBlt);
    return;
  }
  std::vector<COLORREF> source(size_t(count), 0);
  // With both surfaces on, the rows are combined in the bitmap and shown as one block.
  const bool blockToWindow = DrawToBitmap && DrawToWindow && windowSurface;
  for (int row = fromY; row <= toY; ++row) {
    std::memcpy(
        source.data(),
        ImageRowBytes(image, size.width, row - top) + size_t(fromX - left) * ImagePixelBytes,
        size_t(count) * sizeof(COLORREF));
    if (DrawToBitmap) {
      COLORREF* out = backingBitmap->row(row) + fromX;
      for (int i = 0; i < count; ++i) out[i] = Combine(out[i], source[size_t(i)], bitBlt);
      continue;
    }
    for (int i = 0; i < count; ++i) {
      StorePixelLocked(
          fromX + i, row,
          Ink{0, Combine(PresentInkLocked(fromX + i, row).rgb, source[size_t(i)], bitBlt)});
    }
  }
  const int blockWidth = count, blockHeight = toY - fromY + 1;
  if (blockToWindow) {
    windowSurface->pixels().copyFrom(*backingBitmap, fromX, fromY, blockWidth, blockHeight);
  }
  ShowLocked(fromX, fromY, blockWidth, blockHeight);
}

void DriverGetScanLine(int16_t x1, int16_t x2, int16_t y, uint16_t* row) {
  if (!row || x2 < x1) return;
  const int count = x2 - x1 + 1;
  std::fill_n(row, count, uint16_t{0});
  if (!windowReady) {
    Graph.ResultCode = grError;
    return;
  }
  const ViewPortState& vp = Graph.ViewPort;
  std::vector<COLORREF> values;
  int first = 0;  // index in row of values[0]
  const bool trueBorder = TrueColorBorderActive();
  {
    std::lock_guard lock(graphLock);
    if (!backingBitmap) return;
    // Read where a run from x1 to x2 would draw.
    PixelArea r;
    if (!ClipRun(PixelRun{x1, y, x2, y}, vp,
                 RunArea(vp, DrawingWidthLocked(), DrawingHeightLocked()), r))
      return;
    first = r.left - vp.X1 - x1;
    if (pagePlanes.inUse()) {  // the colour numbers of the active page as they are
      const uint32_t* numbers = pagePlanes.activeRow(r.top);
      for (int x = r.left; x <= r.right; ++x) {
        const uint32_t v = numbers[x];
        row[size_t(first + x - r.left)] =
            v < TrueColorFlag && !trueBorder ? uint16_t(v) : ScanNumberOfStoredLocked(v);
      }
      return;
    }
    const COLORREF* stored = backingBitmap->row(r.top);
    values.assign(stored + r.left, stored + r.right + 1);
    if (trueBorder) {  // a flood fill's true-colour border, by exact RGB value
      for (size_t i = 0; i < values.size(); ++i)
        row[size_t(first) + i] = ScanNumberOfRgbLocked(values[i] & RgbMask);
      return;
    }
  }
  // Runs of one value are common; convert each value once.
  COLORREF last = 0;
  uint16_t lastColor = 0;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i == 0 || values[i] != last) {
      last = values[i];
      lastColor = NearestColor(GetRValue(last), GetGValue(last), GetBValue(last));
    }
    row[size_t(first) + i] = lastColor;
  }
}
