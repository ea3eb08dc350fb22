#pragma once
// A small model of a terminal screen for tests: it follows the output the terminal backend
// sends (cursor moves, 24-bit colours, half blocks, blanks, line clears and plain text)
// and records what each cell shows. Anything else it meets fails the test that feeds it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ModelCell {
  std::string glyph = " ";
  int32_t foreground = -1, background = -1;  // 0x00BBGGRR, -1 the terminal's default
};

class ScreenModel {
 public:
  ScreenModel(int columns, int rows)
      : columns_(columns), rows_(rows), cells_(size_t(columns) * size_t(rows)) {}

  const ModelCell& cell(int column, int row) const {
    return cells_[size_t(row) * size_t(columns_) + size_t(column)];
  }
  // The two pixels a cell shows, as the backend means them (-1: not a picture cell).
  int32_t upperPixel(int column, int row) const {
    const ModelCell& c = cell(column, row);
    if (c.glyph == "\xE2\x96\x80") return c.foreground;
    if (c.glyph == " ") return c.background;
    return -1;
  }
  int32_t lowerPixel(int column, int row) const {
    const ModelCell& c = cell(column, row);
    return (c.glyph == "\xE2\x96\x80" || c.glyph == " ") ? c.background : -1;
  }
  // The text of a row with trailing blanks removed.
  std::string text(int row) const {
    std::string line;
    for (int c = 0; c < columns_; ++c) line += cell(c, row).glyph;
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
  }
  int cursorColumn() const { return column_; }
  int cursorRow() const { return row_; }

  void feed(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
      const unsigned char c = static_cast<unsigned char>(bytes[i]);
      if (c == 0x1b) {
        i = escape(bytes, i);
      } else if (c == '\r') {
        column_ = 0;
        ++i;
      } else if (c == '\n') {
        if (row_ < rows_ - 1) ++row_;
        ++i;
      } else if (c == 0x18) {
        ++i;  // CAN: ends a sequence, shows nothing
      } else if (c < 0x20) {
        ADD_FAILURE() << "unexpected control byte " << int(c);
        ++i;
      } else {
        size_t length = c < 0x80 ? 1 : c < 0xe0 ? 2 : c < 0xf0 ? 3 : 4;
        put(std::string(bytes.substr(i, length)));
        i += length;
      }
    }
  }

 private:
  void put(const std::string& glyph) {
    if (pendingWrap_) {
      column_ = 0;
      if (row_ < rows_ - 1) ++row_;
      pendingWrap_ = false;
    }
    ModelCell& c = cells_[size_t(row_) * size_t(columns_) + size_t(column_)];
    c.glyph = glyph;
    c.foreground = foreground_;
    c.background = background_;
    if (column_ == columns_ - 1) {
      pendingWrap_ = true;
    } else {
      ++column_;
    }
  }

  std::vector<int> numbers(std::string_view text) {
    std::vector<int> values(1, 0);
    bool any = false;
    for (char ch : text) {
      if (ch == ';') {
        values.push_back(0);
      } else if (ch >= '0' && ch <= '9') {
        values.back() = values.back() * 10 + (ch - '0');
        any = true;
      }
    }
    if (!any && values.size() == 1) values.clear();
    return values;
  }

  size_t escape(std::string_view bytes, size_t i) {
    if (i + 1 >= bytes.size()) {
      ADD_FAILURE() << "escape at the end of the output";
      return bytes.size();
    }
    if (bytes[i + 1] != '[') {
      ADD_FAILURE() << "unexpected escape " << bytes[i + 1];
      return i + 2;
    }
    size_t j = i + 2;
    while (j < bytes.size() && (bytes[j] < 0x40 || bytes[j] > 0x7e)) ++j;
    if (j == bytes.size()) {
      ADD_FAILURE() << "unfinished control sequence";
      return j;
    }
    const std::string_view params = bytes.substr(i + 2, j - i - 2);
    const char final = bytes[j];
    std::vector<int> v = numbers(params);
    pendingWrap_ = pendingWrap_ && final == 'm';
    switch (final) {
      case 'H':
        row_ = (v.size() > 0 && v[0] > 0 ? v[0] : 1) - 1;
        column_ = (v.size() > 1 && v[1] > 0 ? v[1] : 1) - 1;
        break;
      case 'C':
        column_ = std::min(columns_ - 1, column_ + (v.empty() || v[0] == 0 ? 1 : v[0]));
        break;
      case 'h':
      case 'l':
      case 'r':
        break;  // screen and cursor modes, scroll region: nothing a cell shows
      case 'J':
        for (ModelCell& cell : cells_) {
          cell = ModelCell{};
          cell.background = background_;
        }
        break;
      case 'K':
        for (int c = column_; c < columns_; ++c) {
          ModelCell& cell = cells_[size_t(row_) * size_t(columns_) + size_t(c)];
          cell = ModelCell{};
          cell.background = background_;
        }
        break;
      case 'm':
        sgr(v);
        break;
      default:
        ADD_FAILURE() << "unexpected control sequence ending in " << final;
    }
    return j + 1;
  }

  void sgr(const std::vector<int>& v) {
    if (v.empty()) {
      foreground_ = background_ = -1;
      return;
    }
    for (size_t k = 0; k < v.size(); ++k) {
      if (v[k] == 0) {
        foreground_ = background_ = -1;
      } else if ((v[k] == 38 || v[k] == 48) && k + 4 < v.size() && v[k + 1] == 2) {
        const int32_t color = v[k + 2] | (v[k + 3] << 8) | (v[k + 4] << 16);
        (v[k] == 38 ? foreground_ : background_) = color;
        k += 4;
      } else {
        ADD_FAILURE() << "unexpected colour parameter " << v[k];
      }
    }
  }

  int columns_, rows_;
  std::vector<ModelCell> cells_;
  int column_ = 0, row_ = 0;
  bool pendingWrap_ = false;
  int32_t foreground_ = -1, background_ = -1;
};
