#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "terminal/key_decoder.h"
#include "terminal/key_messages.h"

using platform::terminal::KeyDecoder;
using platform::terminal::KeyEvent;
using platform::terminal::KeyMessage;
using platform::terminal::KeyMessagesFor;

namespace {

std::vector<KeyEvent> DecodeAll(const std::string& bytes) {
  KeyDecoder decoder;
  std::vector<KeyEvent> keys;
  decoder.feed(bytes, keys);
  EXPECT_FALSE(decoder.pending()) << "left pending after a complete input";
  return keys;
}

// The events of bytes fed to one decoder in two reads, cut after `cut` bytes.
std::vector<KeyEvent> DecodeInTwo(const std::string& bytes, size_t cut) {
  KeyDecoder decoder;
  std::vector<KeyEvent> events;
  decoder.feed(bytes.substr(0, cut), events);
  decoder.feed(bytes.substr(cut), events);
  return events;
}

KeyEvent Key(UINT vk, int character = -1) {
  KeyEvent key;
  key.virtualKey = vk;
  key.character = character;
  return key;
}

KeyEvent With(KeyEvent key, bool shift, bool ctrl, bool alt) {
  key.shift = shift;
  key.ctrl = ctrl;
  key.alt = alt;
  return key;
}

struct SequenceCase {
  const char* bytes;
  UINT vk;
};

}  // namespace

TEST(TerminalKeyDecoder, CursorBlockAndFunctionKeysOfCommonTerminals) {
  const SequenceCase cases[] = {
      {"\x1b[A", VK_UP},       {"\x1b[B", VK_DOWN},     {"\x1b[C", VK_RIGHT},
      {"\x1b[D", VK_LEFT},     {"\x1bOA", VK_UP},       {"\x1bOB", VK_DOWN},
      {"\x1bOC", VK_RIGHT},    {"\x1bOD", VK_LEFT},     {"\x1b[H", VK_HOME},
      {"\x1b[F", VK_END},      {"\x1bOH", VK_HOME},     {"\x1bOF", VK_END},
      {"\x1b[1~", VK_HOME},    {"\x1b[4~", VK_END},     {"\x1b[7~", VK_HOME},
      {"\x1b[8~", VK_END},     {"\x1b[5~", VK_PRIOR},   {"\x1b[6~", VK_NEXT},
      {"\x1b[2~", VK_INSERT},  {"\x1b[3~", VK_DELETE},  {"\x1bOP", VK_F1},
      {"\x1bOQ", VK_F1 + 1},   {"\x1bOR", VK_F1 + 2},   {"\x1bOS", VK_F1 + 3},
      {"\x1b[11~", VK_F1},     {"\x1b[12~", VK_F1 + 1}, {"\x1b[13~", VK_F1 + 2},
      {"\x1b[14~", VK_F1 + 3}, {"\x1b[15~", VK_F1 + 4}, {"\x1b[17~", VK_F1 + 5},
      {"\x1b[18~", VK_F1 + 6}, {"\x1b[19~", VK_F1 + 7}, {"\x1b[20~", VK_F1 + 8},
      {"\x1b[21~", VK_F10},    {"\x1b[[A", VK_F1},      {"\x1b[[B", VK_F1 + 1},
      {"\x1b[[C", VK_F1 + 2},  {"\x1b[[D", VK_F1 + 3},  {"\x1b[[E", VK_F1 + 4},
      {"\x1b[E", VK_CLEAR},    {"\x1bOE", VK_CLEAR},    {"\x1b[G", VK_CLEAR},
  };
  for (const SequenceCase& c : cases) {
    EXPECT_EQ(DecodeAll(c.bytes), std::vector<KeyEvent>{Key(c.vk)})
        << "sequence ESC" << (c.bytes + 1);
  }
}

TEST(TerminalKeyDecoder, ModifiersReportedWithTheKey) {
  EXPECT_EQ(DecodeAll("\x1b[1;5A"), std::vector{With(Key(VK_UP), false, true, false)});
  EXPECT_EQ(DecodeAll("\x1b[1;3D"), std::vector{With(Key(VK_LEFT), false, false, true)});
  EXPECT_EQ(DecodeAll("\x1b[1;2H"), std::vector{With(Key(VK_HOME), true, false, false)});
  EXPECT_EQ(DecodeAll("\x1b[1;7F"), std::vector{With(Key(VK_END), false, true, true)});
  EXPECT_EQ(DecodeAll("\x1b[1;9C"), std::vector{With(Key(VK_RIGHT), false, false, true)});
  EXPECT_EQ(DecodeAll("\x1b[5;5~"), std::vector{With(Key(VK_PRIOR), false, true, false)});
  EXPECT_EQ(DecodeAll("\x1b[15;3~"), std::vector{With(Key(VK_F1 + 4), false, false, true)});
  EXPECT_EQ(DecodeAll("\x1b[1;5P"), std::vector{With(Key(VK_F1), false, true, false)});
  EXPECT_EQ(DecodeAll("\x1bO5S"), std::vector{With(Key(VK_F1 + 3), false, true, false)});
  // Alt as a leading Esc, on a sequence and on a plain character.
  EXPECT_EQ(DecodeAll("\x1b\x1b[B"), std::vector{With(Key(VK_DOWN), false, false, true)});
  EXPECT_EQ(DecodeAll("\x1bx"), std::vector{With(Key('X', 'x'), false, false, true)});
  EXPECT_EQ(DecodeAll("\x1b[Z"), std::vector{With(Key(VK_TAB, '\t'), true, false, false)});
}

TEST(TerminalKeyDecoder, CharactersAndControlCodes) {
  EXPECT_EQ(DecodeAll("aZ7 ;"), (std::vector{Key('A', 'a'), Key('Z', 'Z'), Key('7', '7'),
                                             Key(VK_SPACE, ' '), Key(0xBA, ';')}));
  EXPECT_EQ(DecodeAll("\r\n\t\x7f\x08"),
            (std::vector{Key(VK_RETURN, '\r'), Key(VK_RETURN, '\r'), Key(VK_TAB, '\t'),
                         Key(VK_BACK, 8), Key(VK_BACK, 8)}));
  EXPECT_EQ(DecodeAll("\x01\x19"), (std::vector{With(Key('A', 1), false, true, false),
                                                With(Key('Y', 25), false, true, false)}));
  // Latin-1 text arrives as UTF-8 and keeps its character; anything beyond has none.
  EXPECT_EQ(DecodeAll("\xc3\xa4\xc3\x85"),
            (std::vector{Key(VK_PACKET, 0xe4), Key(VK_PACKET, 0xc5)}));
  EXPECT_EQ(DecodeAll("\xe2\x82\xac"
                      "b"),
            std::vector{Key('B', 'b')});
  EXPECT_EQ(DecodeAll("\xff\x80q"), std::vector{Key('Q', 'q')});

  const std::vector<KeyEvent> interrupt = DecodeAll("\x03");
  ASSERT_EQ(interrupt.size(), 1u);
  EXPECT_TRUE(interrupt[0].interrupt);
  // Ctrl+Z stops the program as in a terminal that is not raw; it is no key, and an Esc
  // before it is Escape, not Alt.
  const std::vector<KeyEvent> suspend = DecodeAll("\x1a\x1b\x1a");
  ASSERT_EQ(suspend.size(), 3u);
  EXPECT_TRUE(suspend[0].suspend && !suspend[0].interrupt);
  EXPECT_EQ(suspend[1], Key(VK_ESCAPE, 0x1b));
  EXPECT_TRUE(suspend[2].suspend);
  EXPECT_TRUE(KeyMessagesFor(suspend[0]).empty());
}

TEST(TerminalKeyDecoder, MalformedUtf8GivesNoCharacter) {
  // Overlong forms (of NUL, of Ctrl+C, of 'A'), surrogates, codes beyond U+10FFFF and the
  // C1 controls are no keys; what follows them still is.
  const char* const rejected[] = {
      "\xe0\x80\x80",     "\xe0\x80\x83", "\xc0\x80",     "\xc1\x81",
      "\xf0\x80\x80\x83", "\xed\xa0\x80", "\xed\xbf\xbf", "\xf4\x90\x80\x80",
      "\xf5\x80\x80",     "\xc2\x80",     "\xc2\x9b",     "\xc2\x9f",
  };
  for (const char* bytes : rejected) {
    const std::vector<KeyEvent> keys = DecodeAll(std::string(bytes) + "q");
    EXPECT_EQ(keys, std::vector{Key('Q', 'q')}) << testing::PrintToString(std::string(bytes));
  }
  // The first and last Latin-1 characters after the C1 block.
  EXPECT_EQ(DecodeAll("\xc2\xa0\xc3\xbf"),
            (std::vector{Key(VK_PACKET, 0xa0), Key(VK_PACKET, 0xff)}));
  // A sequence broken off gives up only its own bytes: the character or key that broke it
  // comes through whole.
  EXPECT_EQ(DecodeAll("\xe0\xc3\xa4"), std::vector{Key(VK_PACKET, 0xe4)});
  EXPECT_EQ(DecodeAll("\xe1\x80\x1b[A"), std::vector{Key(VK_UP)});
  EXPECT_EQ(DecodeAll("\xc3\x03")[0].interrupt, true);
  // An overlong start is refused at once instead of waiting for the rest.
  KeyDecoder decoder;
  std::vector<KeyEvent> keys;
  decoder.feed("\xe0\x80", keys);
  EXPECT_FALSE(decoder.pending());
  EXPECT_TRUE(keys.empty());
}

TEST(TerminalKeyDecoder, SequencesSplitAcrossReads) {
  const std::string input = "\x1b[1;5Ax\x1b[21~\x1bOP\xc3\xa4\x1b[[E\x1b\x1b[D";
  const std::vector<KeyEvent> whole = DecodeAll(input);
  ASSERT_EQ(whole.size(), 7u);
  // Every way of cutting the input in two, and one byte at a time, gives the same keys.
  for (size_t cut = 1; cut < input.size(); ++cut) {
    EXPECT_EQ(DecodeInTwo(input, cut), whole) << "cut at " << cut;
  }
  KeyDecoder decoder;
  std::vector<KeyEvent> keys;
  for (char c : input) decoder.feed(std::string(1, c), keys);
  EXPECT_EQ(keys, whole);
}

TEST(TerminalKeyDecoder, EscapeAloneOnlyWhenTheTimeRunsOut) {
  KeyDecoder decoder;
  std::vector<KeyEvent> keys;
  decoder.feed("\x1b", keys);
  EXPECT_TRUE(keys.empty());
  EXPECT_TRUE(decoder.pending());
  decoder.expire(keys);
  EXPECT_EQ(keys, std::vector{Key(VK_ESCAPE, 0x1b)});
  EXPECT_FALSE(decoder.pending());

  // Two presses of Esc, and Alt with '[' which looked like the start of a sequence.
  keys.clear();
  decoder.feed("\x1b\x1b", keys);
  decoder.expire(keys);
  EXPECT_EQ(keys, (std::vector{Key(VK_ESCAPE, 0x1b), Key(VK_ESCAPE, 0x1b)}));
  keys.clear();
  decoder.feed("\x1b[", keys);
  decoder.expire(keys);
  EXPECT_EQ(keys, std::vector{With(Key(0xDB, '['), false, false, true)});

  // An unfinished sequence is dropped at the timeout, and decoding goes on afterwards.
  keys.clear();
  decoder.feed("\x1b[1;5", keys);
  decoder.expire(keys);
  decoder.feed("\x1b[B", keys);
  EXPECT_EQ(keys, std::vector{Key(VK_DOWN)});
}

TEST(TerminalKeyDecoder, UnknownSequencesAreIgnored) {
  // Unknown finals and codes, private reports (focus, a mouse report without its row,
  // device attributes), and a sequence broken off by a control byte; the keys around them
  // still come through.
  EXPECT_EQ(DecodeAll("a\x1b[99~b\x1b[?1;2c\x1b[<0;10M\x1b[I\x1b[J\x1bOj\x1b[1\x03"
                      "c"),
            (std::vector{Key('A', 'a'), Key('B', 'b'),
                         [] {
                           KeyEvent k;
                           k.interrupt = true;
                           return k;
                         }(),
                         Key('C', 'c')}));
  // A runaway sequence without a final byte does not hold the input forever.
  KeyDecoder decoder;
  std::vector<KeyEvent> keys;
  decoder.feed("\x1b[" + std::string(40, '1'), keys);
  decoder.feed("d", keys);
  EXPECT_EQ(keys, std::vector{Key('D', 'd')});
}

TEST(TerminalKeyDecoder, SgrMouseReportsBecomeMouseMessagesAtTheirCell) {
  using platform::terminal::MouseReport;
  const auto mouse = [](UINT message, WPARAM held, int column, int row) {
    KeyEvent event;
    event.mouse = MouseReport{message, held, column, row};
    return event;
  };
  // Presses and releases of the three buttons, moves with and without a button held, Shift
  // and Ctrl; the wheel (64, 65) and a release of no button give nothing. Cells count from 1.
  const std::string input =
      "\x1b[<0;10;5M\x1b[<0;10;5m\x1b[<2;1;1M\x1b[<2;1;1m\x1b[<1;300;100M\x1b[<1;300;100m"
      "\x1b[<35;4;2M\x1b[<32;5;2M\x1b[<20;7;8M\x1b[<64;3;3M\x1b[<65;3;3M\x1b[<3;3;3m";
  const std::vector<KeyEvent> want = {
      mouse(WM_LBUTTONDOWN, 0x01, 9, 4),    mouse(WM_LBUTTONUP, 0, 9, 4),
      mouse(WM_RBUTTONDOWN, 0x02, 0, 0),    mouse(WM_RBUTTONUP, 0, 0, 0),
      mouse(WM_MBUTTONDOWN, 0x10, 299, 99), mouse(WM_MBUTTONUP, 0, 299, 99),
      mouse(WM_MOUSEMOVE, 0, 3, 1),         mouse(WM_MOUSEMOVE, 0x01, 4, 1),
      mouse(WM_LBUTTONDOWN, 0x0D, 6, 7)};
  EXPECT_EQ(DecodeAll(input), want);
  // Split anywhere, the same; and keys around a report still come through.
  for (size_t cut = 1; cut < input.size(); ++cut) {
    EXPECT_EQ(DecodeInTwo(input, cut), want) << "cut at " << cut;
  }
  EXPECT_EQ(DecodeAll("a\x1b[<0;2;3Mb"),
            (std::vector{Key('A', 'a'), mouse(WM_LBUTTONDOWN, 1, 1, 2), Key('B', 'b')}));
  // Reports with a cell of 0 or a missing field are no mouse message.
  EXPECT_TRUE(DecodeAll("\x1b[<0;0;3M\x1b[<0;3;0M\x1b[<0;3M\x1b[<;;M").empty());
  // A report is no key: it gives no key messages.
  EXPECT_TRUE(KeyMessagesFor(mouse(WM_LBUTTONDOWN, 1, 0, 0)).empty());
}

TEST(TerminalKeyMessages, ModifiersSurroundTheKey) {
  const std::vector<KeyMessage> plain = KeyMessagesFor(Key('A', 'a'));
  EXPECT_EQ(plain, (std::vector<KeyMessage>{{WM_KEYDOWN, 'A', 'a'}, {WM_KEYUP, 'A', -1}}));

  const std::vector<KeyMessage> ctrlAltF1 = KeyMessagesFor(With(Key(VK_F1), true, true, true));
  EXPECT_EQ(ctrlAltF1, (std::vector<KeyMessage>{{WM_KEYDOWN, VK_SHIFT, -1},
                                                {WM_KEYDOWN, VK_CONTROL, -1},
                                                {WM_KEYDOWN, VK_MENU, -1},
                                                {WM_KEYDOWN, VK_F1, -1},
                                                {WM_KEYUP, VK_F1, -1},
                                                {WM_KEYUP, VK_MENU, -1},
                                                {WM_KEYUP, VK_CONTROL, -1},
                                                {WM_KEYUP, VK_SHIFT, -1}}));
  KeyEvent interrupt;
  interrupt.interrupt = true;
  EXPECT_TRUE(KeyMessagesFor(interrupt).empty());
}
