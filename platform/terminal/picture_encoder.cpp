#include "terminal/picture_encoder.h"

#include <algorithm>
#include <charconv>

namespace platform::terminal {
namespace {

constexpr std::string_view UpperHalfBlock = "\xE2\x96\x80";  // U+2580

void AppendNumber(std::string& out, int value) {
  char digits[12];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

void AppendRgb(std::string& out, uint32_t color) {
  AppendNumber(out, GetRValue(color));
  out += ';';
  AppendNumber(out, GetGValue(color));
  out += ';';
  AppendNumber(out, GetBValue(color));
}

int DigitCount(int value) {
  int count = 1;
  while (value >= 10) {
    value /= 10;
    ++count;
  }
  return count;
}

uint32_t PixelOrBlack(const PixelSurface& picture, int x, int y) {
  return picture.contains(x, y) ? picture.pixel(x, y) : 0;
}

}  // namespace

void PictureEncoder::reset(int columns, int rows) {
  columns_ = std::max(columns, 0);
  rows_ = std::max(rows, 0);
  shownTop_.assign(size_t(columns_) * size_t(rows_), Unknown);
  shownBottom_.assign(shownTop_.size(), Unknown);
  forgetCursorAndColors();
}

void PictureEncoder::forgetCursorAndColors() {
  foreground_ = background_ = Unknown;
  cursorColumn_ = cursorRow_ = -1;
}

void PictureEncoder::forgetCells() {
  std::fill(shownTop_.begin(), shownTop_.end(), Unknown);
  std::fill(shownBottom_.begin(), shownBottom_.end(), Unknown);
}

void PictureEncoder::setColors(uint32_t foreground, uint32_t background, std::string& out) {
  const bool setForeground = foreground != Unknown && foreground != foreground_;
  const bool setBackground = background != Unknown && background != background_;
  if (!setForeground && !setBackground) return;
  out += "\x1b[";
  if (setForeground) {
    out += "38;2;";
    AppendRgb(out, foreground);
    foreground_ = foreground;
  }
  if (setBackground) {
    out += setForeground ? ";48;2;" : "48;2;";
    AppendRgb(out, background);
    background_ = background;
  }
  out += 'm';
}

bool PictureEncoder::needsNoEscape(uint32_t top, uint32_t bottom) const {
  if (top == bottom) return background_ == top;
  return foreground_ == top && background_ == bottom;
}

void PictureEncoder::putCell(uint32_t top, uint32_t bottom, std::string& out) {
  if (top == bottom) {
    setColors(Unknown, top, out);
    out += ' ';
  } else {
    setColors(top, bottom, out);
    out += UpperHalfBlock;
  }
  // After the last column the cursor waits to wrap; where it stands then is not certain.
  if (cursorColumn_ + 1 >= columns_) {
    cursorColumn_ = cursorRow_ = -1;
  } else {
    ++cursorColumn_;
  }
}

void PictureEncoder::moveTo(int column, int row, std::string& out) {
  if (cursorRow_ == row && cursorColumn_ == column) return;
  if (cursorRow_ == row && cursorColumn_ >= 0 && cursorColumn_ < column) {
    const int gap = column - cursorColumn_;
    const int forwardCost = gap == 1 ? 3 : 3 + DigitCount(gap);
    // Writing the cells in between again is cheaper for short gaps whose colours are
    // already set; they show the same afterwards.
    int rewriteCost = 0;
    const size_t base = size_t(row) * size_t(columns_);
    for (int c = cursorColumn_; c < column && rewriteCost < forwardCost; ++c) {
      const uint32_t top = shownTop_[base + size_t(c)], bottom = shownBottom_[base + size_t(c)];
      if (top == Unknown || !needsNoEscape(top, bottom)) {
        rewriteCost = forwardCost;
        break;
      }
      rewriteCost += top == bottom ? 1 : int(UpperHalfBlock.size());
    }
    if (rewriteCost < forwardCost) {
      for (int c = cursorColumn_; c < column; ++c)
        putCell(shownTop_[base + size_t(c)], shownBottom_[base + size_t(c)], out);
      return;
    }
    out += "\x1b[";
    if (gap > 1) AppendNumber(out, gap);
    out += 'C';
    cursorColumn_ = column;
    return;
  }
  out += "\x1b[";
  AppendNumber(out, row + 1);
  if (column > 0) {
    out += ';';
    AppendNumber(out, column + 1);
  }
  out += 'H';
  cursorColumn_ = column;
  cursorRow_ = row;
}

void PictureEncoder::encode(const PixelSurface& picture, CellArea area, std::string& out) {
  const int firstColumn = std::max(area.firstColumn, 0);
  const int lastColumn = std::min(area.lastColumn, columns_ - 1);
  const int firstRow = std::max(area.firstRow, 0);
  const int lastRow = std::min(area.lastRow, rows_ - 1);
  for (int row = firstRow; row <= lastRow; ++row) {
    const size_t base = size_t(row) * size_t(columns_);
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const uint32_t top = PixelOrBlack(picture, column, 2 * row);
      const uint32_t bottom = PixelOrBlack(picture, column, 2 * row + 1);
      uint32_t& shownTop = shownTop_[base + size_t(column)];
      uint32_t& shownBottom = shownBottom_[base + size_t(column)];
      if (shownTop == top && shownBottom == bottom) continue;
      moveTo(column, row, out);
      putCell(top, bottom, out);
      shownTop = top;
      shownBottom = bottom;
    }
  }
}

}  // namespace platform::terminal
