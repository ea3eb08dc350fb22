#include "platform/terminal/console_rows.h"

#include <algorithm>
#include <charconv>

namespace platform::terminal {
namespace {

constexpr size_t KeptLines = 200;
constexpr size_t LongestLine = 4096;

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

size_t Width(const std::string& text) {
  return size_t(std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

// The line cut into pieces a row wide, on character boundaries.
std::vector<std::string> Wrap(const std::string& line, int columns) {
  std::vector<std::string> pieces;
  std::string piece;
  int width = 0;
  for (char c : line) {
    if (!IsContinuation(c)) {
      if (width == columns) {
        pieces.push_back(std::move(piece));
        piece.clear();
        width = 0;
      }
      ++width;
    }
    piece += c;
  }
  pieces.push_back(std::move(piece));
  return pieces;
}

}  // namespace

void ConsoleRows::reset(int columns, int firstRow, int rowCount) {
  columns_ = std::max(columns, 1);
  firstRow_ = firstRow;
  rowCount_ = std::max(rowCount, 0);
  shown_.assign(size_t(rowCount_), std::string(1, '\0'));  // matches no text
}

void ConsoleRows::add(std::string_view text, std::string& out) {
  for (char c : text) {
    std::string& line = lines_.back();
    if (c == '\n') {
      lines_.emplace_back();
      if (lines_.size() > KeptLines) lines_.pop_front();
    } else if (c == '\t') {
      do line += ' ';
      while (Width(line) % 8 != 0 && line.size() < LongestLine);
    } else if ((static_cast<unsigned char>(c) < 0x20 || c == 0x7f)) {
      // Control codes (Esc above all) would act on the terminal; they are left out.
    } else if (line.size() < LongestLine) {
      line += c;
    }
  }
  draw(visibleRows(), false, out);
}

void ConsoleRows::redraw(std::string& out) {
  draw(visibleRows(), true, out);
}

std::vector<std::string> ConsoleRows::visibleRows() const {
  std::vector<std::string> rows;
  // Newest first; an empty unfinished line takes no row.
  for (auto line = lines_.rbegin(); line != lines_.rend() && int(rows.size()) < rowCount_; ++line) {
    if (line == lines_.rbegin() && line->empty()) continue;
    std::vector<std::string> pieces = Wrap(*line, columns_);
    for (auto piece = pieces.rbegin(); piece != pieces.rend() && int(rows.size()) < rowCount_;
         ++piece)
      rows.push_back(std::move(*piece));
  }
  std::reverse(rows.begin(), rows.end());
  // The latest line sits on the bottom row.
  rows.insert(rows.begin(), size_t(rowCount_) - rows.size(), std::string());
  return rows;
}

void ConsoleRows::draw(std::vector<std::string> rows, bool all, std::string& out) {
  bool coloursReset = false;
  for (int i = 0; i < rowCount_; ++i) {
    if (!all && rows[size_t(i)] == shown_[size_t(i)]) continue;
    if (!coloursReset) {
      out += "\x1b[0m";
      coloursReset = true;
    }
    char number[12];
    out += "\x1b[";
    out.append(number, std::to_chars(number, number + sizeof number, firstRow_ + i + 1).ptr);
    out += "H";
    out += rows[size_t(i)];
    // Clear the rest of the row; a full row leaves the cursor waiting to wrap, and a clear
    // there would wipe the last character, so it is not needed.
    if (Width(rows[size_t(i)]) < size_t(columns_)) out += "\x1b[K";
    shown_[size_t(i)] = std::move(rows[size_t(i)]);
  }
}

std::string ConsoleRows::tail() const {
  std::string text;
  size_t first = lines_.size() > size_t(rowCount_) + 1 ? lines_.size() - size_t(rowCount_) - 1 : 0;
  for (size_t i = first; i < lines_.size(); ++i) {
    if (i + 1 == lines_.size() && lines_[i].empty()) break;
    text += lines_[i];
    text += '\n';
  }
  // No more lines than rows were shown.
  size_t count = size_t(std::count(text.begin(), text.end(), '\n'));
  while (count > size_t(rowCount_)) {
    text.erase(0, text.find('\n') + 1);
    --count;
  }
  return text;
}

}  // namespace platform::terminal
