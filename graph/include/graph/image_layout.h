#pragma once
// The layout of an image that GetImage stores and PutImage draws:
//   bytes 0-1  width in pixels (uint16, host byte order)
//   bytes 2-3  height in pixels (uint16)
//   then width * height pixel values of 4 bytes each (uint32), row by row from the top,
//   each row from the left.
// A pixel value is what the mode stores: for the window driver the 24-bit RGB value
// 0x00BBGGRR, so an image keeps its colours exactly, whatever the palette does later; for
// its palette windows and for a mode without image routines of its own, the colour number. Images
// are not portable between the two.
//
// The helpers below only read and write the bytes they are given: any thread.
#include <cstdint>
#include <cstring>
#include <utility>

constexpr int32_t ImageHeaderBytes = 4;
constexpr int32_t ImagePixelBytes = 4;

// Bytes of an image of the given size, or -1 when it cannot be described (a side above
// 65535) or allocated (more than INT32_MAX bytes).
inline int64_t ImageBytes(int64_t width, int64_t height) {
  if (width < 0 || height < 0 || width > UINT16_MAX || height > UINT16_MAX) return -1;
  const int64_t bytes = ImageHeaderBytes + width * height * ImagePixelBytes;
  return bytes > INT32_MAX ? -1 : bytes;
}

struct ImageSizeFields {
  uint16_t width, height;
};

inline ImageSizeFields ReadImageSize(const void* image) {
  ImageSizeFields f;
  std::memcpy(&f.width, image, 2);
  std::memcpy(&f.height, static_cast<const uint8_t*>(image) + 2, 2);
  return f;
}

inline void WriteImageSize(void* image, uint16_t width, uint16_t height) {
  std::memcpy(image, &width, 2);
  std::memcpy(static_cast<uint8_t*>(image) + 2, &height, 2);
}

// The bytes of one row of pixels, for copying whole rows with memcpy.
// Puts the corners of the rectangle an image is taken of in order and writes the image's
// size; false, with nothing written, when such an image cannot be described or allocated.
inline bool StartImage(int16_t& x1, int16_t& y1, int16_t& x2, int16_t& y2, void* image) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  const int32_t width = x2 - x1 + 1, height = y2 - y1 + 1;
  if (ImageBytes(width, height) < 0) return false;
  WriteImageSize(image, static_cast<uint16_t>(width), static_cast<uint16_t>(height));
  return true;
}

inline const uint8_t* ImageRowBytes(const void* image, uint16_t width, int32_t row) {
  return static_cast<const uint8_t*>(image) + ImageHeaderBytes +
         size_t(row) * width * ImagePixelBytes;
}
inline uint8_t* ImageRowBytes(void* image, uint16_t width, int32_t row) {
  return static_cast<uint8_t*>(image) + ImageHeaderBytes + size_t(row) * width * ImagePixelBytes;
}

inline uint32_t ReadImagePixel(const void* image, size_t index) {
  uint32_t v;
  std::memcpy(&v, static_cast<const uint8_t*>(image) + ImageHeaderBytes + index * ImagePixelBytes,
              ImagePixelBytes);
  return v;
}

inline void WriteImagePixel(void* image, size_t index, uint32_t v) {
  std::memcpy(static_cast<uint8_t*>(image) + ImageHeaderBytes + index * ImagePixelBytes, &v,
              ImagePixelBytes);
}
