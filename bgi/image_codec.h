#pragma once
// Image files in memory, through the stb image reader and writer (Debian's libstb-dev): the
// reader takes BMP, PNG, JPEG and GIF (the first frame), the writer makes BMP and PNG. Any
// thread; no state is shared.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace bgi {

// Images with a side above this are refused before any pixel is decoded.
constexpr int MostImageSide = 16384;

struct DecodedPixelsFree {
  void operator()(uint8_t* pixels) const;
};

// Three bytes a pixel (red, green, blue), row by row from the top.
struct DecodedImage {
  int width = 0, height = 0;
  std::unique_ptr<uint8_t, DecodedPixelsFree> rgb;
};

// False, with the image left empty, for bytes that are not a whole image of a known format or
// declare a side of 0 or above MostImageSide.
bool DecodeImage(std::span<const uint8_t> bytes, DecodedImage& image);

enum class ImageFormat { Bmp, Png };

// The file of a width x height image of three bytes a pixel; false when it cannot be made.
bool EncodeImage(ImageFormat format, int width, int height, const uint8_t* rgb,
                 std::vector<uint8_t>& file);

}  // namespace bgi
