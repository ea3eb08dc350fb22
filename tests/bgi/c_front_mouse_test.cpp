// The mouse clicks and KEY_ codes of the C front, with input played on the in-memory display.
#include <atomic>
#include <thread>
#include <utility>
#include <vector>

#include "c_front_fixture.h"
#include "classic_mouse.h"
#include "graph/graph.h"
#include "graphwin/hooks.h"
#include "win32.h"

namespace {

class CFrontMouseTest : public CFrontTest {
 protected:
  void TearDown() override {
    for (int kind = WM_MOUSEMOVE; kind <= WM_MBUTTONDBLCLK; ++kind) {
      registermousehandler(kind, nullptr);
      clearmouseclick(kind);
    }
    CFrontTest::TearDown();
  }
  // Waits, without a library call, until the message thread has handled what was played:
  // a command posted after it comes back through the command slot.
  static bool settled() {
    static std::atomic<bool> marked;
    marked = false;
    const MessageHook saved = CommandMessageHook.exchange([](HWND, UINT, WPARAM, LPARAM) {
      marked = true;
      return LRESULT(0);
    });
    PostMessage(window(), WM_COMMAND, 0, 0);
    for (int i = 0; i < 4000 && !marked; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    CommandMessageHook = saved;
    return marked;
  }
  static HWND window() { return headless::LastWindow(); }
};

TEST_F(CFrontMouseTest, ClicksQueueInOrderPerKindAtTheirPositions) {
  start640x480();
  headless::MouseButton(window(), WM_LBUTTONDOWN, 10, 20);
  headless::MouseButton(window(), WM_RBUTTONDOWN, 5, 6);
  headless::MouseButton(window(), WM_LBUTTONDOWN, 30, 40);
  headless::MouseButton(window(), WM_LBUTTONUP, 31, 41);
  headless::MouseMove(window(), 639, 479);
  ASSERT_TRUE(settled());
  EXPECT_EQ(mousex(), 639);
  EXPECT_EQ(mousey(), 479);

  int x = 0, y = 0;
  EXPECT_EQ(take_click(WM_LBUTTONDOWN, &x, &y), 1);
  EXPECT_EQ(std::pair(x, y), std::pair(10, 20));
  EXPECT_EQ(take_click(WM_LBUTTONDOWN, &x, &y), 1);
  EXPECT_EQ(std::pair(x, y), std::pair(30, 40));
  EXPECT_EQ(take_click(WM_LBUTTONDOWN, &x, &y), 0);
  EXPECT_EQ(std::pair(x, y), std::pair(NO_CLICK, NO_CLICK));
  getmouseclick(WM_RBUTTONDOWN, x, y);  // the C++ form
  EXPECT_EQ(std::pair(x, y), std::pair(5, 6));
  EXPECT_TRUE(ismouseclick(WM_LBUTTONUP));
  EXPECT_TRUE(ismouseclick(WM_MOUSEMOVE));
  EXPECT_FALSE(ismouseclick(WM_LBUTTONDBLCLK));
  // Clearing empties that kind alone.
  clearmouseclick(WM_LBUTTONUP);
  EXPECT_FALSE(ismouseclick(WM_LBUTTONUP));
  EXPECT_TRUE(ismouseclick(WM_MOUSEMOVE));
  getmouseclick(WM_MOUSEMOVE, &x, nullptr);
  EXPECT_EQ(x, 639);
}

TEST_F(CFrontMouseTest, AFullQueueDropsItsOldestClicks) {
  start640x480();
  for (int i = 0; i < 70; ++i) headless::MouseButton(window(), WM_MBUTTONDOWN, i, 2 * i);
  ASSERT_TRUE(settled());
  std::vector<int> got;
  for (int x = 0, y = 0; take_click(WM_MBUTTONDOWN, &x, &y);) {
    EXPECT_EQ(y, 2 * x);
    got.push_back(x);
  }
  ASSERT_EQ(got.size(), 64u);
  EXPECT_EQ(got.front(), 6);
  EXPECT_EQ(got.back(), 69);
}

TEST_F(CFrontMouseTest, KindsOutOfRangeAreIgnored) {
  start640x480();
  static int calls = 0;
  for (int kind : {WM_MOUSEMOVE - 1, WM_MBUTTONDBLCLK + 1, -1, 0}) {
    registermousehandler(kind, [](int, int) { ++calls; });
    clearmouseclick(kind);
    int x = 0, y = 0;
    EXPECT_EQ(take_click(kind, &x, &y), 0) << kind;
    EXPECT_EQ(std::pair(x, y), std::pair(NO_CLICK, NO_CLICK));
  }
  headless::MouseButton(window(), WM_LBUTTONDOWN, 1, 1);
  ASSERT_TRUE(settled());
  EXPECT_TRUE(ismouseclick(WM_LBUTTONDOWN));
  EXPECT_EQ(calls, 0);
}

TEST_F(CFrontMouseTest, AHandlerRunsOnTheProgramsThreadAtItsNextCallOnly) {
  start640x480();
  static std::vector<std::pair<int, int>> calls;
  static std::thread::id ranOn;
  calls.clear();
  registermousehandler(WM_RBUTTONDOWN, [](int x, int y) {
    calls.push_back({x, y});
    ranOn = std::this_thread::get_id();
  });
  headless::MouseButton(window(), WM_RBUTTONDOWN, 7, 8);
  headless::MouseButton(window(), WM_RBUTTONDOWN, 9, 10);
  // The message thread has handled both; no handler ran there, nor since.
  ASSERT_TRUE(settled());
  EXPECT_TRUE(calls.empty());
  // The layer's button state still comes through the collector.
  EXPECT_EQ(MouseButtons() & 2, 2);
  kbhit();
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{7, 8}, {9, 10}}));
  EXPECT_EQ(ranOn, std::this_thread::get_id());
  // The events are queued as well; a removed handler is called no more.
  EXPECT_TRUE(ismouseclick(WM_RBUTTONDOWN));
  registermousehandler(WM_RBUTTONDOWN, nullptr);
  headless::MouseButton(window(), WM_RBUTTONDOWN, 11, 12);
  ASSERT_TRUE(settled());
  delay(0);
  EXPECT_EQ(calls.size(), 2u);
}

TEST_F(CFrontMouseTest, ANewWindowStartsWithoutTheClicksOfTheOneBefore) {
  start640x480();
  headless::MouseButton(window(), WM_LBUTTONDOWN, 3, 3);
  ASSERT_TRUE(settled());
  ASSERT_EQ(mousex(), 3);
  closegraph();
  start640x480();
  EXPECT_FALSE(ismouseclick(WM_LBUTTONDOWN));
  EXPECT_EQ(mousex(), 0);
}

TEST_F(CFrontMouseTest, KeysWithoutACharacterGiveZeroAndTheirKeyCode) {
  start640x480();
  const std::pair<UINT, int> keys[] = {
      {VK_HOME, KEY_HOME},    {VK_UP, KEY_UP},         {VK_PRIOR, KEY_PGUP},   {VK_LEFT, KEY_LEFT},
      {VK_CLEAR, KEY_CENTER}, {VK_RIGHT, KEY_RIGHT},   {VK_END, KEY_END},      {VK_DOWN, KEY_DOWN},
      {VK_NEXT, KEY_PGDN},    {VK_INSERT, KEY_INSERT}, {VK_DELETE, KEY_DELETE}};
  for (const auto& [vk, code] : keys) {
    headless::KeyDown(window(), vk);
    EXPECT_EQ(key_after_lead(), code) << vk;
  }
  for (int k = 0; k < 9; ++k) {
    headless::KeyDown(window(), VK_F1 + UINT(k));
    EXPECT_EQ(key_after_lead(), KEY_F1 + k) << k;
  }
  EXPECT_EQ(KEY_F9, 67);
}

}  // namespace
