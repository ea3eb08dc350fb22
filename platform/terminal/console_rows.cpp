#include "terminal/console_rows.h"

#include <algorithm>
#include <charconv>

#include "terminal/utf8.h"

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

bool IsC1(unsigned char c) {
  return c >= 0x80 && c <= 0x9f;
}

// The bytes as they stand, less those a terminal could take for C1 controls.
std::string WithoutC1(const std::string& bytes) {
  std::string kept;
  for (char b : bytes)
    if (!IsC1(static_cast<unsigned char>(b))) kept += b;
  return kept;
}

bool IsUtf8C1(const std::string& character) {
  return character.size() == 2 && static_cast<unsigned char>(character[0]) == 0xc2 &&
         IsC1(static_cast<unsigned char>(character[1]));
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
    const auto byte = static_cast<unsigned char>(c);
    if (!partial_.empty()) {
      const auto lead = static_cast<unsigned char>(partial_[0]);
      if (Utf8Continues(lead, partial_.size(), byte)) {
        partial_ += c;
        if (partial_.size() == Utf8Length(lead)) {
          // U+0080..U+009F are the C1 controls again, written in UTF-8.
          if (!IsUtf8C1(partial_)) append(partial_);
          partial_.clear();
        }
        continue;
      }
      // Not UTF-8 after all (Latin-1 text, say): its bytes stay as they were written, less
      // those a terminal could take for C1 controls.
      const std::string bytes = WithoutC1(partial_);
      partial_.clear();
      append(bytes);
    }
    std::string& line = lines_.back();
    if (c == '\n') {
      lines_.emplace_back();
      if (lines_.size() > KeptLines) lines_.pop_front();
    } else if (c == '\t') {
      do line += ' ';
      while (Width(line) % 8 != 0 && line.size() < LongestLine);
    } else if (byte < 0x20 || byte == 0x7f || IsC1(byte)) {
      // Control codes (Esc above all, and 0x9B, which some terminals take for Esc [) would
      // act on the terminal; they are left out.
    } else if (Utf8Length(byte) > 1) {
      // Held until it is known whether a UTF-8 character follows.
      partial_ += c;
    } else {
      append(std::string_view(&c, 1));
    }
  }
  draw(visibleRows(), false, out);
}

void ConsoleRows::append(std::string_view bytes) {
  std::string& line = lines_.back();
  if (line.size() + bytes.size() <= LongestLine) line += bytes;
}

std::string ConsoleRows::lastLine() const {
  // A character still held is shown as far as it is safe; it is put right once it is
  // complete.
  return lines_.back() + WithoutC1(partial_);
}

void ConsoleRows::redraw(std::string& out) {
  draw(visibleRows(), true, out);
}

std::vector<std::string> ConsoleRows::visibleRows() const {
  std::vector<std::string> rows;
  // Newest first; an empty unfinished line takes no row.
  for (auto line = lines_.rbegin(); line != lines_.rend() && int(rows.size()) < rowCount_; ++line) {
    const std::string text = line == lines_.rbegin() ? lastLine() : *line;
    if (text.empty()) continue;
    std::vector<std::string> pieces = Wrap(text, columns_);
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
  bool colorsReset = false;
  for (int i = 0; i < rowCount_; ++i) {
    if (!all && rows[size_t(i)] == shown_[size_t(i)]) continue;
    if (!colorsReset) {
      out += "\x1b[0m";
      colorsReset = true;
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
    const std::string line = i + 1 == lines_.size() ? lastLine() : lines_[i];
    if (i + 1 == lines_.size() && line.empty()) break;
    text += line;
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
