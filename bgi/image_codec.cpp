// The one build of the stb image reader and writer in the library, kept to this file (static
// functions) so that a program may use its own copy of them beside ours.
#include "image_codec.h"

#include <climits>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS 16384
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb_image.h>
#include <stb_image_write.h>

namespace bgi {

static_assert(STBI_MAX_DIMENSIONS == MostImageSide, "the decoder refuses what we refuse");

void DecodedPixelsFree::operator()(uint8_t* pixels) const {
  stbi_image_free(pixels);
}

bool DecodeImage(std::span<const uint8_t> bytes, DecodedImage& image) {
  image = DecodedImage{};
  if (bytes.empty() || bytes.size() > size_t(INT_MAX)) return false;
  const int length = int(bytes.size());
  int width = 0, height = 0, channels = 0;
  // The declared size first, so that an absurd one is refused before anything is allocated.
  if (!stbi_info_from_memory(bytes.data(), length, &width, &height, &channels)) return false;
  if (width <= 0 || height <= 0 || width > MostImageSide || height > MostImageSide) return false;
  uint8_t* rgb = stbi_load_from_memory(bytes.data(), length, &width, &height, &channels, 3);
  if (!rgb) return false;
  image.rgb.reset(rgb);
  image.width = width;
  image.height = height;
  return true;
}

namespace {

void Append(void* context, void* data, int size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  static_cast<std::vector<uint8_t>*>(context)->insert(
      static_cast<std::vector<uint8_t>*>(context)->end(), bytes, bytes + size);
}

}  // namespace

bool EncodeImage(ImageFormat format, int width, int height, const uint8_t* rgb,
                 std::vector<uint8_t>& file) {
  file.clear();
  if (width <= 0 || height <= 0 || !rgb) return false;
  if (format == ImageFormat::Png) {
    return stbi_write_png_to_func(Append, &file, width, height, 3, rgb, width * 3) != 0;
  }
  return stbi_write_bmp_to_func(Append, &file, width, height, 3, rgb) != 0;
}

}  // namespace bgi
