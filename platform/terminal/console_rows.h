#pragma once
// The rows kept below the picture for the program's console messages. New text joins the
// last line or starts new ones; the rows show the latest lines, scrolling up as lines are
// added, and only rows whose text changed are drawn again.
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace platform::terminal {

class ConsoleRows {
 public:
  // The rows firstRow .. firstRow + rowCount - 1 (0-based) of a terminal columns wide.
  // What they showed is forgotten; the lines are kept.
  void reset(int columns, int firstRow, int rowCount);
  // Adds text and appends to out what redraws the rows that changed.
  void add(std::string_view text, std::string& out);
  // Appends what draws every row.
  void redraw(std::string& out);
  // The latest lines, each ending in a line end, for the normal screen after the end.
  std::string tail() const;

 private:
  std::vector<std::string> visibleRows() const;
  void append(std::string_view bytes);  // to the unfinished line, when it fits
  std::string lastLine() const;         // the unfinished line as it is shown
  void draw(std::vector<std::string> rows, bool all, std::string& out);

  int columns_ = 80, firstRow_ = 0, rowCount_ = 0;
  std::deque<std::string> lines_{std::string()};  // the last one is unfinished
  std::vector<std::string> shown_;
  std::string partial_;  // the start of a UTF-8 character not yet complete
};

}  // namespace platform::terminal
