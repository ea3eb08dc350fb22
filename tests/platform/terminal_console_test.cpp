#include <gtest/gtest.h>

#include <string>

#include "terminal/console_rows.h"
#include "terminal_screen_model.h"

using platform::terminal::ConsoleRows;

namespace {

// Console rows 6..9 of a 20 x 10 terminal.
struct Console {
  ConsoleRows rows;
  ScreenModel model{20, 10};
  std::string last;

  Console() {
    rows.reset(20, 6, 4);
    std::string out;
    rows.redraw(out);
    model.feed(out);
  }
  void add(const std::string& text) {
    last.clear();
    rows.add(text, last);
    model.feed(last);
  }
  std::string row(int i) const { return model.text(6 + i); }
};

size_t Moves(const std::string& out) {
  size_t n = 0;
  for (char c : out) n += c == 'H';
  return n;
}

}  // namespace

TEST(TerminalConsole, LinesGatherAndScrollUpInTheKeptRows) {
  Console c;
  c.add("Odota.");
  EXPECT_EQ(c.row(3), "Odota.");
  c.add("Aikaa 59");
  c.add(" s!!\n");
  EXPECT_EQ(c.row(3), "Odota.Aikaa 59 s!!");
  EXPECT_EQ(c.row(2), "");
  for (int i = 1; i <= 5; ++i) c.add("line " + std::to_string(i) + "\n");
  EXPECT_EQ(c.row(0), "line 2");
  EXPECT_EQ(c.row(3), "line 5");
  // The picture rows above are never touched.
  for (int r = 0; r < 6; ++r) EXPECT_EQ(c.model.text(r), "") << r;
}

TEST(TerminalConsole, OnlyChangedRowsAreDrawnAgain) {
  Console c;
  c.add("one\ntwo\nthree\n");
  c.add("four");
  EXPECT_EQ(Moves(c.last), 4u);  // every row moved up
  c.add(" and more");
  EXPECT_EQ(Moves(c.last), 1u);  // only the last line grew
  EXPECT_EQ(c.row(3), "four and more");
  c.add("");
  EXPECT_EQ(c.last, "");
}

TEST(TerminalConsole, LongLinesWrapAndControlCodesAreLeftOut) {
  Console c;
  c.add(std::string(45, 'x') + "\n");
  EXPECT_EQ(c.row(1), std::string(20, 'x'));
  EXPECT_EQ(c.row(2), std::string(20, 'x'));
  EXPECT_EQ(c.row(3), std::string(5, 'x'));
  // An escape sequence in a message must not act on the terminal.
  c.add("a\x1b[2Jb\tc\r\x07\n");
  EXPECT_EQ(c.row(3), "a[2Jb   c");
  EXPECT_EQ(c.model.text(0), "");
}

TEST(TerminalConsole, EightBitControlsAreLeftOutButTextIsKept) {
  Console c;
  // 0x9B is Esc [ to an 8-bit terminal, bare or inside a sequence that is not UTF-8; the C1
  // controls written in UTF-8 go too.
  c.add(
      "a\x9b"
      "2Jb\x80\xc2\x9b"
      "c\xe1\x9b");
  EXPECT_EQ(c.last.find_first_of("\x80\x9b"), std::string::npos)
      << "sent before the character was complete";
  c.add("d\n");
  EXPECT_EQ(c.rows.tail(),
            "a2Jbc\xe1"
            "d\n");
  EXPECT_NE(c.last.find("a2Jbc\xe1"
                        "d"),
            std::string::npos);
  // UTF-8 text (a character split between two writes too) and Latin-1 text are written as
  // they come, 0x9B inside a UTF-8 character included.
  c.add("\xc3\xa4\xe2\x82");
  c.add("\xac \xe4\xf6 \xc3\x9b\xc3\n\x9f");
  EXPECT_EQ(c.rows.tail(),
            "a2Jbc\xe1"
            "d\n\xc3\xa4\xe2\x82\xac \xe4\xf6 \xc3\x9b\xc3\n");
}

TEST(TerminalConsole, TailKeepsTheLatestLinesForTheNormalScreen) {
  ConsoleRows rows;
  rows.reset(20, 6, 4);
  std::string out;
  EXPECT_EQ(rows.tail(), "");
  rows.add("1\n2\n3\n4\n5\nsix", out);
  EXPECT_EQ(rows.tail(), "3\n4\n5\nsix\n");
  rows.add("\n", out);
  EXPECT_EQ(rows.tail(), "3\n4\n5\nsix\n");
}
