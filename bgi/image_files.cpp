// readimagefile and writeimagefile for C programs: image files drawn into the window scaled,
// each pixel as its exact RGB value, and the window's picture written as BMP or PNG.
#include <graphics.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "graph/driver_interface.h"
#include "graph/graph.h"
#include "graph/image_layout.h"
#include "graphwin/true_color.h"
#include "image_codec.h"

namespace {

// Through stdio, which reports a folder or a read error as a failed read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const char* name) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(name, "rb"), std::fclose);
  if (!in) return std::nullopt;
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, in.get())) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(in.get())) return std::nullopt;
  return bytes;
}

// Writes the whole file or, failing, leaves none behind.
bool WriteWholeFile(const char* name, const std::vector<uint8_t>& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (out) return true;
  std::remove(name);
  return false;
}

bool NamesPng(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view end = name.substr(name.size() - 4);
  const auto lower = [](char c) { return char(std::tolower(static_cast<unsigned char>(c))); };
  return end[0] == '.' && lower(end[1]) == 'p' && lower(end[2]) == 'n' && lower(end[3]) == 'g';
}

// A span of coordinates, ends included.
struct Span {
  int64_t from, to;
  bool empty() const { return from > to; }
};

Span Meet(Span a, Span b) {
  return {std::max(a.from, b.from), std::min(a.to, b.to)};
}

// Draws the image scaled to the rectangle `target` (viewport-relative), only the part that
// the viewport (when it clips) and the window show, as one image of true colours through
// putimage: one hold of the driver's lock.
void DrawScaled(const bgi::DecodedImage& image, Span targetX, Span targetY) {
  const GraphState& state = LayerState();
  const ViewPortState& vp = state.ViewPort;
  Span shownX{-int64_t(vp.X1), int64_t(state.MaxX) - vp.X1};
  Span shownY{-int64_t(vp.Y1), int64_t(state.MaxY) - vp.Y1};
  if (vp.ClipPixels) {
    shownX = Meet(shownX, {0, vp.Width});
    shownY = Meet(shownY, {0, vp.Height});
  }
  const Span x = Meet(targetX, shownX), y = Meet(targetY, shownY);
  if (x.empty() || y.empty()) return;
  const int64_t width = x.to - x.from + 1, height = y.to - y.from + 1;
  const int64_t targetWidth = targetX.to - targetX.from + 1;
  const int64_t targetHeight = targetY.to - targetY.from + 1;

  // Nearest pixel: each target column and row takes the source one its centre falls in.
  std::vector<size_t> sourceColumn(static_cast<size_t>(width));
  for (int64_t i = 0; i < width; ++i) {
    sourceColumn[size_t(i)] = size_t((x.from + i - targetX.from) * image.width / targetWidth) * 3;
  }
  std::vector<uint8_t> picture(size_t(ImageBytes(width, height)));
  WriteImageSize(picture.data(), uint16_t(width), uint16_t(height));
  size_t index = 0;
  for (int64_t row = 0; row < height; ++row) {
    const int64_t sourceRow = (y.from + row - targetY.from) * image.height / targetHeight;
    const uint8_t* from = image.rgb.get() + size_t(sourceRow) * size_t(image.width) * 3;
    for (int64_t i = 0; i < width; ++i) {
      const uint8_t* p = from + sourceColumn[size_t(i)];
      WriteImagePixel(picture.data(), index++, TrueColorFlag | RGB(p[0], p[1], p[2]));
    }
  }
  PutImage(int16_t(x.from), int16_t(y.from), picture.data(), NormalPut);
}

// The ends of a side: in order, and INT_MAX for the far end means `size` from the near one.
Span Side(int from, int to, int size) {
  const int64_t end = to == INT_MAX ? int64_t(from) + size - 1 : to;
  return {std::min<int64_t>(from, end), std::max<int64_t>(from, end)};
}

}  // namespace

extern "C" {

void readimagefile(const char* file, int left, int top, int right, int bottom) {
  if (!LayerState().IsGraphMode) {
    SetGraphResult(grNoInitGraph);
    return;
  }
  const std::optional<std::vector<uint8_t>> bytes = file ? ReadWholeFile(file) : std::nullopt;
  bgi::DecodedImage image;
  if (!bytes || !bgi::DecodeImage(*bytes, image)) {
    SetGraphResult(grError);
    return;
  }
  DrawScaled(image, Side(left, right, image.width), Side(top, bottom, image.height));
}

void writeimagefile(const char* file, int left, int top, int right, int bottom) {
  if (!file) {
    SetGraphResult(grError);
    return;
  }
  // Only what lies on the window is read; the driver clips to its far edges.
  constexpr int64_t far = INT_MAX / 2;
  const Span x = Meet(Side(left, right, INT_MAX), {0, far});
  const Span y = Meet(Side(top, bottom, INT_MAX), {0, far});
  ShownBlock block;
  if (x.empty() || y.empty() ||
      !ReadShownBlock(int(x.from), int(y.from), int(x.to - x.from + 1), int(y.to - y.from + 1),
                      block)) {
    SetGraphResult(grError);
    return;
  }
  std::vector<uint8_t> rgb;
  rgb.reserve(block.pixels.size() * 3);
  for (const COLORREF v : block.pixels) {
    rgb.insert(rgb.end(), {GetRValue(v), GetGValue(v), GetBValue(v)});
  }
  std::vector<uint8_t> bytes;
  const bgi::ImageFormat format = NamesPng(file) ? bgi::ImageFormat::Png : bgi::ImageFormat::Bmp;
  if (!bgi::EncodeImage(format, block.width, block.height, rgb.data(), bytes) ||
      !WriteWholeFile(file, bytes)) {
    SetGraphResult(grError);
  }
}

}  // extern "C"
