// The console routines of conio.h, bios.h and dos.h in a program with a graph window: the
// keys typed into the window as bioskey gives them, and the clock.
#include <chrono>
#include <thread>

#include "c_front_fixture.h"
#include "classic_console.h"
#include "pc_scan_codes.h"
#include "platform/clock.h"

namespace {

constexpr int Up = 0x4800, Down = 0x5000, EscapeCode = 0x011B;

// Until bioskey(1) sees a key, that the message thread is still putting into the buffer.
int PeekWhenThere() {
  for (int i = 0; i < 2000; ++i) {
    if (const int key = bios_key(1)) return key;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return 0;
}

int ShiftFlagsOnceSet(int wanted) {
  int flags = 0;
  for (int i = 0; i < 2000 && (flags = bios_key(2)) != wanted; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return flags;
}

TEST_F(CFrontTest, BioskeyGivesTheScanCodeAndTheCharacterOfAPcKeyboard) {
  start640x480();
  const HWND window = headless::LastWindow();
  struct Typed {
    UINT key;
    int character;
    int code;
  };
  const Typed typed[] = {
      {VK_UP, -1, Up},         {'A', 'a', 0x1E61},      {VK_RETURN, '\r', 0x1C0D},
      {VK_ESCAPE, 27, 0x011B}, {VK_SPACE, ' ', 0x3920}, {VK_F1, -1, 0x3B00},
      {VK_BACK, 8, 0x0E08},    {VK_TAB, 9, 0x0F09},     {VK_HOME, -1, 0x4700},
      {'1', '!', 0x0221},      {VK_F1 + 9, -1, 0x4400}};
  for (const Typed& key : typed) ASSERT_TRUE(headless::KeyDown(window, key.key, key.character));
  for (const Typed& key : typed) EXPECT_EQ(bios_key(0), key.code) << key.key;
}

TEST_F(CFrontTest, BioskeyOnePeeksWithoutTakingAndOtherCommandsGiveZero) {
  start640x480();
  EXPECT_EQ(bios_key(1), 0);
  ASSERT_TRUE(headless::KeyDown(headless::LastWindow(), VK_DOWN));
  EXPECT_EQ(PeekWhenThere(), Down);
  EXPECT_EQ(bios_key(1), Down);
  EXPECT_EQ(bios_key(0), Down);
  EXPECT_EQ(bios_key(1), 0);

  // A key put back is the next one, for bioskey and getch alike; only one fits.
  EXPECT_EQ(put_back_key('z'), 'z');
  EXPECT_EQ(put_back_key('y'), -1);
  EXPECT_EQ(bios_key(1), 0x2C7A);
  EXPECT_EQ(read_key(), 'z');
  EXPECT_EQ(bios_key(1), 0);

  for (int command : {3, -1, 0x100, 0x11}) EXPECT_EQ(bios_key(command), 0) << command;
}

TEST_F(CFrontTest, BioskeyTwoGivesTheModifierKeysHeldInTheWindow) {
  start640x480();
  const HWND window = headless::LastWindow();
  EXPECT_EQ(bios_key(2), 0);
  ASSERT_TRUE(headless::KeyDown(window, VK_SHIFT));
  EXPECT_EQ(ShiftFlagsOnceSet(2), 2);  // the left Shift: the in-memory display sends no scan code
  ASSERT_TRUE(headless::KeyDown(window, VK_CONTROL));
  EXPECT_EQ(ShiftFlagsOnceSet(2 | 4), 2 | 4);
  ASSERT_TRUE(headless::KeyUp(window, VK_SHIFT));
  ASSERT_TRUE(headless::KeyUp(window, VK_CONTROL));
  EXPECT_EQ(ShiftFlagsOnceSet(0), 0);
}

TEST_F(CFrontTest, OnceTheWindowIsClosedBioskeyGivesEscape) {
  start640x480();
  ASSERT_TRUE(closeWindowAndGoOn(headless::LastWindow()));
  ASSERT_TRUE(windowEnded());
  EXPECT_EQ(bios_key(1), EscapeCode);
  EXPECT_EQ(bios_key(0), EscapeCode);
}

TEST(PcScanCodes, EachCharacterComesWithTheKeyThatTypesIt) {
  struct Known {
    char character;
    int scanCode;
  };
  // From the PC keyboard's layout: a key's scan code is the same with Shift or Ctrl.
  const Known known[] = {{'a', 0x1E}, {'A', 0x1E},    {'z', 0x2C},    {'m', 0x32},   {'p', 0x19},
                         {'q', 0x10}, {'1', 0x02},    {'9', 0x0A},    {'0', 0x0B},   {'!', 0x02},
                         {')', 0x0B}, {'-', 0x0C},    {'+', 0x0D},    {'[', 0x1A},   {'}', 0x1B},
                         {';', 0x27}, {'"', 0x28},    {'`', 0x29},    {'~', 0x29},   {'\\', 0x2B},
                         {'|', 0x2B}, {',', 0x33},    {'>', 0x34},    {'/', 0x35},   {'?', 0x35},
                         {' ', 0x39}, {'\x03', 0x2E}, {'\x1a', 0x2C}, {'\x7f', 0x0E}};
  for (const Known& key : known) {
    EXPECT_EQ(bgi::ScanCodeOfCharacter(uint8_t(key.character)), key.scanCode) << int(key.character);
  }
  EXPECT_EQ(bgi::ScanCodeOfCharacter(0xE9), 0);  // no key types an accented letter
}

TEST(ClassicClock, GetdateAndGettimeGiveTheLocalTimeNow) {
  SYSTEMTIME before, after;
  struct date today {};
  struct time now {};
  do {
    GetLocalTime(&before);
    read_clock(&today, &now);
    GetLocalTime(&after);
  } while (before.wDay != after.wDay);  // read again when midnight came between
  EXPECT_EQ(today.da_year, after.wYear);
  EXPECT_EQ(today.da_mon, after.wMonth);
  EXPECT_EQ(today.da_day, after.wDay);
  const auto hundredths = [](int h, int m, int s, int hund) {
    return ((h * 60 + m) * 60 + s) * 100 + hund;
  };
  const int read = hundredths(now.ti_hour, now.ti_min, now.ti_sec, now.ti_hund);
  EXPECT_GE(read,
            hundredths(before.wHour, before.wMinute, before.wSecond, before.wMilliseconds / 10));
  EXPECT_LE(read, hundredths(after.wHour, after.wMinute, after.wSecond, after.wMilliseconds / 10));
}

}  // namespace
