#include "font_file.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "graph_state.h"

namespace {

constexpr size_t FileHeaderSize = 128;
constexpr size_t StrokeHeaderSize = 16;
constexpr size_t InfoSize = 12;
constexpr uint8_t Signature[4] = {0x50, 0x4B, 0x08, 0x08};

}  // namespace

int16_t LoadFontFromBytes(std::span<const uint8_t> file, FontEntry& entry) {
  if (file.size() < FileHeaderSize + StrokeHeaderSize || file.size() > MaxFontFileSize) {
    return grInvalidFont;
  }
  if (!std::equal(std::begin(Signature), std::end(Signature), file.begin())) {
    return grInvalidFont;
  }
  // The 12 bytes of font information follow the header's first 0x1A, inside the header.
  auto header = file.first(FileHeaderSize);
  auto mark = std::find(header.begin(), header.end(), uint8_t{0x1A});
  size_t infoAt = static_cast<size_t>(mark - header.begin()) + 1;
  if (mark == header.end() || infoAt + InfoSize > FileHeaderSize) return grInvalidFont;

  auto stroke = file.subspan(FileHeaderSize, StrokeHeaderSize);
  if (stroke[0] != '+') return grInvalidFont;
  const int32_t count = static_cast<int16_t>(stroke[1] | (stroke[2] << 8));
  const int32_t first = stroke[4];
  if (count < 0 || first + count > 256) return grInvalidFont;

  const size_t tablesAt = FileHeaderSize + StrokeHeaderSize;
  const size_t dataAt = tablesAt + 3 * static_cast<size_t>(count);
  if (dataAt > file.size()) return grInvalidFont;
  const size_t dataLength = file.size() - dataAt;

  int16_t offsets[256] = {};
  uint8_t widths[256] = {};
  for (int32_t i = 0; i < count; ++i) {
    size_t at = tablesAt + 2 * static_cast<size_t>(i);
    int16_t offset = static_cast<int16_t>(file[at] | (file[at + 1] << 8));
    // Every character's strokes must start inside the stroke data.
    if (offset < 0 || static_cast<size_t>(offset) >= dataLength) return grInvalidFont;
    offsets[first + i] = offset;
    widths[first + i] = file[tablesAt + 2 * static_cast<size_t>(count) + i];
  }

  std::memcpy(entry.Header, stroke.data(), StrokeHeaderSize);
  std::memcpy(entry.Info, header.data() + infoAt, InfoSize);
  std::memcpy(entry.Offsets, offsets, sizeof offsets);
  std::memcpy(entry.Widths, widths, sizeof widths);
  // The block is file size + 1 bytes, the stroke data at its start and zeros behind it, so
  // a stroke list that runs off the data's end meets an end-of-character mark.
  entry.Size = static_cast<int32_t>(file.size() + 1);
  entry.Data.assign(file.size() + 1, 0);
  std::copy(file.begin() + static_cast<std::ptrdiff_t>(dataAt), file.end(), entry.Data.begin());
  return grOk;
}

FontFileRead ReadFontFile(const std::string& name, std::vector<uint8_t>& bytes) {
  std::error_code error;
  // Only a regular file: a directory is no font, and a pipe or device could block for ever.
  if (!std::filesystem::is_regular_file(name, error)) return FontFileRead::NotFound;
  std::ifstream in(name, std::ios::binary);
  if (!in) return FontFileRead::NotFound;
  bytes.clear();
  char buffer[4096];
  while (in) {
    in.read(buffer, sizeof buffer);
    bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    if (bytes.size() > MaxFontFileSize) return FontFileRead::Invalid;
  }
  if (in.bad()) return FontFileRead::Invalid;
  return FontFileRead::Ok;
}
