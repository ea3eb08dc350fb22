#pragma once
// Stroked-font files made by the tests themselves.
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// A small font: characters first..first+count-1, each a short stroke list; widths 4 + i.
struct FontSpec {
  uint8_t first = 'A';
  int16_t count = 3;
  int8_t top = 10;      // stroke-header byte 8
  int8_t descent = -3;  // stroke-header byte 10
};

std::vector<uint8_t> BuildFont(const FontSpec& font = FontSpec{});
// Byte positions inside a built file.
constexpr size_t StrokeHeaderAt = 128;
constexpr size_t TablesAt = 144;

// A fresh, empty directory under the system's temporary directory, ending in '/'.
std::string TempDir();
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace testing_support
