#include "testing/test_font.h"
#include "testing/portable.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace testing_support {

std::vector<uint8_t> BuildFont(const FontSpec& font) {
  std::vector<uint8_t> file(128, 0);
  file[0] = 0x50;
  file[1] = 0x4B;
  file[2] = 0x08;
  file[3] = 0x08;
  const char* note = "test font";
  for (size_t i = 0; note[i]; ++i) file[4 + i] = static_cast<uint8_t>(note[i]);
  file[20] = 0x1A;
  for (int i = 0; i < 12; ++i) file[21 + i] = static_cast<uint8_t>(0xA0 + i);

  uint8_t stroke[16] = {};
  stroke[0] = '+';
  stroke[1] = static_cast<uint8_t>(font.count & 0xFF);
  stroke[2] = static_cast<uint8_t>((font.count >> 8) & 0xFF);
  stroke[4] = font.first;
  stroke[8] = static_cast<uint8_t>(font.top);
  stroke[10] = static_cast<uint8_t>(font.descent);
  file.insert(file.end(), stroke, stroke + 16);

  // Each character: move to (0, 0), draw to (i + 1, 5), end.
  std::vector<uint8_t> data;
  std::vector<uint16_t> offsets;
  for (int i = 0; i < font.count; ++i) {
    offsets.push_back(static_cast<uint16_t>(data.size()));
    data.insert(data.end(), {0x80, 0x00, static_cast<uint8_t>(0x80 | (i + 1)), 0x85, 0x00, 0x00});
  }
  for (uint16_t off : offsets) {
    file.push_back(static_cast<uint8_t>(off & 0xFF));
    file.push_back(static_cast<uint8_t>(off >> 8));
  }
  for (int i = 0; i < font.count; ++i) file.push_back(static_cast<uint8_t>(4 + i));
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

std::string TempDir() {
  return testing_support::MakeTempFolder("graph-fonts-").string() + "/";
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testing_support
