#include <array>
#include <mutex>
#include <vector>

#include "headless_window.h"
#include "win32.h"

namespace {

struct Seen {
  char slot;  // 'k'ey, 'm'ouse, 'c'ommand, 'n'otify
  HWND window;
  UINT message;
  WPARAM wParam;
};

std::mutex seenLock;
std::vector<Seen> seen;

template <char Slot>
LRESULT Record(HWND window, UINT message, WPARAM wParam, LPARAM) {
  std::lock_guard lock(seenLock);
  seen.push_back({Slot, window, message, wParam});
  return 0;
}

std::vector<Seen> Taken() {
  std::lock_guard lock(seenLock);
  return std::exchange(seen, {});
}

// Every message the window was sent so far has been handled once this marker arrives.
constexpr WPARAM Marker = 0xC0FFEE;
bool MarkerSeen() {
  std::lock_guard lock(seenLock);
  return !seen.empty() && seen.back().message == WM_COMMAND && seen.back().wParam == Marker;
}

class HooksTest : public HeadlessWindowTest {
 protected:
  void SetUp() override {
    HeadlessWindowTest::SetUp();
    saved = {KeyMessageHook.load(), MouseMessageHook.load(), CommandMessageHook.load(),
             NotifyMessageHook.load()};
    KeyMessageHook = Record<'k'>;
    MouseMessageHook = Record<'m'>;
    CommandMessageHook = Record<'c'>;
    NotifyMessageHook = Record<'n'>;
    Taken();
  }
  void TearDown() override {
    HeadlessWindowTest::TearDown();
    KeyMessageHook = saved[0];
    MouseMessageHook = saved[1];
    CommandMessageHook = saved[2];
    NotifyMessageHook = saved[3];
  }
  // What the hooks saw up to the marker, which is dropped.
  static std::vector<Seen> flushSeen(HWND window) {
    PostMessage(window, WM_COMMAND, Marker, 0);
    EXPECT_TRUE(WaitFor(MarkerSeen));
    std::vector<Seen> s = Taken();
    if (!s.empty()) s.pop_back();
    return s;
  }
  std::array<MessageHook, 4> saved{};
};

TEST_F(HooksTest, EachSlotGetsExactlyItsMessages) {
  open640x480x16();
  const HWND w = graphWindow;
  headless::KeyDown(w, 'A', 'a');
  headless::KeyUp(w, 'A');
  headless::KeyDown(w, VK_RIGHT);
  for (UINT m = WM_LBUTTONDOWN; m <= WM_MBUTTONDBLCLK; ++m) headless::MouseButton(w, m, 5, 5);
  PostMessage(w, WM_NOTIFY, 7, 0);
  headless::MouseMove(w, 3, 4);
  PostMessage(w, WM_SYSKEYDOWN, VK_MENU, 0);
  PostMessage(w, WM_SIZE, 0, 0);
  PostMessage(w, WM_COMMAND, 9, 0);

  const std::vector<Seen> s = flushSeen(w);
  std::vector<std::pair<char, UINT>> got;
  for (const Seen& e : s) {
    EXPECT_EQ(e.window, w);
    got.push_back({e.slot, e.message});
  }
  std::vector<std::pair<char, UINT>> want = {
      {'k', WM_KEYDOWN}, {'k', WM_CHAR}, {'k', WM_KEYUP}, {'k', WM_KEYDOWN}};
  for (UINT m = WM_LBUTTONDOWN; m <= WM_MBUTTONDBLCLK; ++m) want.push_back({'m', m});
  want.push_back({'n', WM_NOTIFY});
  want.push_back({'m', WM_MOUSEMOVE});
  want.push_back({'c', WM_COMMAND});
  EXPECT_EQ(got, want);
  ASSERT_EQ(s.size(), want.size());
  EXPECT_EQ(s[1].wParam, WPARAM('a'));
  EXPECT_EQ(s[3].wParam, WPARAM(VK_RIGHT));
}

TEST_F(HooksTest, EmptySlotsSwallowTheirMessages) {
  open640x480x16();
  KeyMessageHook = nullptr;
  MouseMessageHook = nullptr;
  headless::KeyDown(graphWindow, 'B', 'b');
  headless::MouseButton(graphWindow, WM_LBUTTONDOWN, 1, 1);
  EXPECT_TRUE(flushSeen(graphWindow).empty());
  EXPECT_TRUE(windowReady);
}

TEST_F(HooksTest, TheFrameWindowPassesNoMouseMessages) {
  UseMainWindow = true;
  open640x480x16();
  const HWND frame = mainWindow;
  headless::KeyDown(frame, 'C', 'c');
  headless::MouseButton(frame, WM_LBUTTONDOWN, 1, 1);
  headless::MouseButton(frame, WM_RBUTTONUP, 1, 1);
  PostMessage(frame, WM_NOTIFY, 1, 0);
  const std::vector<Seen> s = flushSeen(frame);
  std::vector<std::pair<char, UINT>> got;
  for (const Seen& e : s) got.push_back({e.slot, e.message});
  const std::vector<std::pair<char, UINT>> want = {
      {'k', WM_KEYDOWN}, {'k', WM_CHAR}, {'n', WM_NOTIFY}};
  EXPECT_EQ(got, want);
  // The child is the graph window: it does pass them.
  headless::MouseButton(graphWindow, WM_LBUTTONDOWN, 1, 1);
  ASSERT_EQ(flushSeen(graphWindow).size(), 1u);
}

TEST_F(HooksTest, StartUpInstallsTheMouseRoutine) {
  // The driver's start filled the mouse slot with the layer's button collector.
  EXPECT_EQ(saved[1], MouseMessage);
  MouseMessageHook = MouseMessage;
  open640x480x16();
  headless::MouseButton(graphWindow, WM_RBUTTONDOWN, 1, 1);
  flushSeen(graphWindow);
  EXPECT_EQ(MouseButtons() & 2, 2);
  headless::MouseButton(graphWindow, WM_RBUTTONUP, 1, 1);
  flushSeen(graphWindow);
  EXPECT_EQ(MouseButtons() & 2, 0);
  EXPECT_TRUE(MousePresent());
}

}  // namespace

namespace {

LRESULT CloseGraphOnKey(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_KEYDOWN) CloseGraph();
  return 0;
}

}  // namespace

// A program may end graphics from its own key hook, on the message thread: the window
// goes, the thread ends, and a later start opens a new window.
TEST_F(HooksTest, CloseGraphFromAHookEndsTheWindowWithoutWaitingForItself) {
  open640x480x16();
  KeyMessageHook = CloseGraphOnKey;
  ASSERT_TRUE(headless::KeyDown(graphWindow, 'Q', 'q'));
  ASSERT_TRUE(WaitFor(threadEnded));
  EXPECT_FALSE(Graph.IsGraphMode);
  EXPECT_FALSE(windowReady);
  KeyMessageHook = Record<'k'>;
  open640x480x16();
  EXPECT_TRUE(windowReady);
}
