#include "keys/key_buffer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "graphwin/hooks.h"
#include "runtime/exit_chain.h"

namespace {

class KeyBufferTest : public ::testing::Test {
 protected:
  void SetUp() override { StartKeyBuffer(); }
  void TearDown() override {
    // Back to a clean chain for the next test.
    StopKeyBuffer();
    ExitProc = nullptr;
  }

  static void pressKey(WPARAM key) { HandleKeyMessage(nullptr, WM_KEYDOWN, key, 0); }
  static void releaseKey(WPARAM key) { HandleKeyMessage(nullptr, WM_KEYUP, key, 0); }
  static void typeChar(uint8_t c) { HandleKeyMessage(nullptr, WM_CHAR, c, 0); }

  static std::string drain() {
    std::string s;
    while (KeyPressed()) s += char(ReadKey());
    return s;
  }
};

TEST_F(KeyBufferTest, ArrowKeyIsAZeroThenItsScanCode) {
  EXPECT_FALSE(KeyPressed());
  pressKey(VK_UP);
  releaseKey(VK_UP);
  EXPECT_TRUE(KeyPressed());
  EXPECT_EQ(ReadKey(), 0);
  EXPECT_EQ(ReadKey(), 72);
  EXPECT_FALSE(KeyPressed());
  pressKey(VK_LEFT);
  pressKey(VK_RIGHT);
  pressKey(VK_DOWN);
  pressKey(VK_HOME);
  pressKey(VK_END);
  pressKey(VK_PRIOR);
  pressKey(VK_NEXT);
  pressKey(VK_INSERT);
  pressKey(VK_DELETE);
  EXPECT_EQ(drain(), std::string("\0K\0M\0P\0G\0O\0I\0Q\0R\0S", 18));
}

TEST_F(KeyBufferTest, KeysWithACharacterComeOnlyFromTheirCharMessage) {
  pressKey('A');
  EXPECT_FALSE(KeyPressed());
  typeChar('a');
  releaseKey('A');
  typeChar('\r');
  typeChar(0x1B);
  EXPECT_EQ(drain(), "a\r\x1B");
  HandleKeyMessage(nullptr, WM_SYSCHAR, 'x', 0);
  HandleKeyMessage(nullptr, WM_MOUSEMOVE, 'x', 0);
  EXPECT_FALSE(KeyPressed());
}

TEST_F(KeyBufferTest, FunctionKeysWithTheirModifiers) {
  pressKey(VK_F1);
  pressKey(VK_F10);
  pressKey(VK_CONTROL);
  pressKey(VK_F1);
  pressKey(VK_MENU);
  pressKey(VK_F1);  // Ctrl wins over Alt
  releaseKey(VK_CONTROL);
  pressKey(VK_F10);
  releaseKey(VK_MENU);
  pressKey(VK_F1 + 1);
  pressKey(VK_SHIFT);
  pressKey(VK_F1 + 2);  // Shift changes nothing
  pressKey(VK_F11);
  pressKey(VK_F12);
  EXPECT_EQ(drain(), std::string("\0;\0D\0^\0^\0q\0<\0=", 14));
}

TEST_F(KeyBufferTest, OverflowKeepsTheNewestThirtyOneCharacters) {
  std::string typed;
  for (int i = 0; i < 40; ++i) {
    typed += char('A' + i % 26);
    typeChar(uint8_t(typed.back()));
  }
  EXPECT_EQ(drain(), typed.substr(9));
}

TEST_F(KeyBufferTest, OverflowDropsATwoCharacterKeyWhole) {
  pressKey(VK_UP);  // the oldest entry: 0, 'H'
  for (int i = 0; i < 29; ++i) typeChar('x');
  EXPECT_EQ(drain().size(), 31u);

  pressKey(VK_UP);
  for (int i = 0; i < 30; ++i) typeChar('y');  // the 32nd character overflows
  const std::string left = drain();
  EXPECT_EQ(left, std::string(30, 'y'));  // both characters of the arrow are gone
}

TEST_F(KeyBufferTest, ACharacterZeroAtAnOverflowTakesItsFollowerWithIt) {
  typeChar(0);
  typeChar('1');
  typeChar('2');
  for (int i = 0; i < 29; ++i) typeChar('z');
  EXPECT_EQ(drain(), "2" + std::string(29, 'z'));
}

TEST_F(KeyBufferTest, PositionsWrapWithoutLoss) {
  for (int i = 0; i < 100; ++i) {
    typeChar(uint8_t(i + 1));
    ASSERT_EQ(ReadKey(), i + 1);
  }
  EXPECT_FALSE(KeyPressed());
}

TEST_F(KeyBufferTest, StartFillsTheHookAndStopEmptiesItAndTheChain) {
  EXPECT_EQ(KeyMessageHook.load(), &HandleKeyMessage);
  EXPECT_EQ(ExitProc, &StopKeyBuffer);
  StopKeyBuffer();
  EXPECT_EQ(KeyMessageHook.load(), nullptr);
  EXPECT_EQ(ExitProc, nullptr);
  typeChar('q');  // a call already on its way when the hook was emptied finds the ring closed
  EXPECT_FALSE(KeyPressed());
  StartKeyBuffer();
}

TEST_F(KeyBufferTest, ASecondStartKeepsOneStopInTheChainAndForgetsHeldModifiers) {
  pressKey(VK_CONTROL);
  typeChar('x');
  StartKeyBuffer();
  EXPECT_FALSE(KeyPressed());
  EXPECT_EQ(ExitProc, &StopKeyBuffer);
  pressKey(VK_F1);  // the Ctrl held before the start is forgotten
  EXPECT_EQ(drain(), std::string("\0;", 2));
  StopKeyBuffer();  // as the chain runs it: once, then it is gone from the chain
  EXPECT_EQ(ExitProc, nullptr);
  StartKeyBuffer();
}

TEST_F(KeyBufferTest, EveryKeyIsHeldFromItsPressToItsReleaseUntilANewStart) {
  pressKey('A');
  pressKey(VK_LEFT);
  pressKey(VK_F12);
  releaseKey(VK_LEFT);
  EXPECT_TRUE(KeyHeld('A'));
  EXPECT_FALSE(KeyHeld(VK_LEFT));
  EXPECT_TRUE(KeyHeld(VK_F12));
  EXPECT_FALSE(KeyHeld('B'));
  EXPECT_FALSE(KeyHeld(0x1000));                    // beyond the codes: never held
  HandleKeyMessage(nullptr, WM_KEYDOWN, 0x1A0, 0);  // and no trace left by one
  EXPECT_FALSE(KeyHeld(0xA0));
  StartKeyBuffer();
  EXPECT_FALSE(KeyHeld('A'));
  EXPECT_FALSE(KeyHeld(VK_F12));
}

TEST_F(KeyBufferTest, HeldModifiersFollowPressAndReleaseAndShiftSidesComeFromTheScanCode) {
  const LPARAM rightShift = LPARAM(0x36) << 16, leftShift = LPARAM(0x2A) << 16;
  HandleKeyMessage(nullptr, WM_KEYDOWN, VK_SHIFT, rightShift);
  pressKey(VK_MENU);
  HeldModifiers held = HeldModifierKeys();
  EXPECT_TRUE(held.rightShift && held.alt);
  EXPECT_FALSE(held.leftShift || held.ctrl);
  HandleKeyMessage(nullptr, WM_KEYDOWN, VK_SHIFT, leftShift);
  HandleKeyMessage(nullptr, WM_KEYUP, VK_SHIFT, rightShift);
  releaseKey(VK_MENU);
  pressKey(VK_CONTROL);
  held = HeldModifierKeys();
  EXPECT_TRUE(held.leftShift && held.ctrl);
  EXPECT_FALSE(held.rightShift || held.alt);
  StartKeyBuffer();  // a new start forgets them all
  held = HeldModifierKeys();
  EXPECT_FALSE(held.leftShift || held.rightShift || held.ctrl || held.alt);
}

TEST_F(KeyBufferTest, ReadKeyWaitsForTheNextKey) {
  std::thread typist([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    pressKey(VK_RIGHT);
  });
  EXPECT_EQ(ReadKey(), 0);
  EXPECT_EQ(ReadKey(), 'M');
  typist.join();
}

// The message thread appends while the program's thread polls and reads.
TEST_F(KeyBufferTest, WriterAndReaderOnTwoThreadsLoseNothing) {
  constexpr int keys = 3000;
  std::atomic<int> consumed{0};
  std::thread messageThread([&] {
    for (int i = 0; i < keys; ++i) {
      while (i - consumed.load() >= 20) std::this_thread::yield();  // never overflow
      if (i % 3 == 0) {
        pressKey(VK_DOWN);
      } else {
        typeChar(uint8_t('a' + i % 26));
      }
    }
  });
  for (int i = 0; i < keys; ++i) {
    while (!KeyPressed()) std::this_thread::yield();
    if (i % 3 == 0) {
      ASSERT_EQ(ReadKey(), 0);
      ASSERT_EQ(ReadKey(), 'P');
    } else {
      ASSERT_EQ(ReadKey(), 'a' + i % 26);
    }
    consumed.store(i + 1);
  }
  messageThread.join();
  EXPECT_FALSE(KeyPressed());
}

}  // namespace
