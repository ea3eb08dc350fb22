// The message loop against the in-memory display: queues, posting, quitting, default
// handling, paints and key translation.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "headless/headless_snapshot.h"
#include "platform/display_fit.h"
#include "platform/headless/headless.h"
#include "surface_fill.h"
#include "win32.h"

namespace {

// What a window procedure saw; tests read it after the loop ends on the same thread.
struct Seen {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
thread_local std::vector<Seen> seen;

LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  seen.push_back({msg, wParam, lParam});
  if (msg == WM_DESTROY) PostQuitMessage(7);
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

LRESULT PaintingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    RECT r;
    if (!GetUpdateRect(hwnd, &r, false)) return 0;
    seen.push_back({msg, WPARAM(r.left | (r.top << 16)), LPARAM(r.right | (r.bottom << 16))});
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return RecordingProc(hwnd, msg, wParam, lParam);
}

void RegisterOnce(const char* name, WNDPROC proc) {
  static std::mutex mutex;
  static std::vector<std::string> done;
  std::lock_guard lock(mutex);
  for (auto& d : done)
    if (d == name) return;
  WNDCLASS wc;
  wc.lpfnWndProc = proc;
  wc.lpszClassName = name;
  ASSERT_NE(RegisterClass(wc), 0);
  done.push_back(name);
}

HWND MakeWindow(const char* cls = "Recording", WNDPROC proc = RecordingProc, DWORD style = 0,
                int width = 648, int height = 511) {
  RegisterOnce(cls, proc);
  return CreateWindowEx(0, cls, "Test window", WS_OVERLAPPEDWINDOW | style, CW_USEDEFAULT, 0, width,
                        height, nullptr, nullptr, nullptr, nullptr);
}

// Runs the loop until it ends; the GetMessage result that ended it.
int RunLoop() {
  MSG msg;
  int r;
  while ((r = GetMessage(&msg, nullptr, 0, 0)) == 1) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  return r;
}

std::vector<UINT> Messages() {
  std::vector<UINT> out;
  for (auto& s : seen) out.push_back(s.message);
  return out;
}

class MessageLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform::headless::UseHeadless());
    platform::headless::SetMetrics(platform::headless::DefaultMetrics());
    platform::headless::FailWindowCreation(false);
    seen.clear();
  }
  // A window's WM_DESTROY leaves a quit behind; the next test starts with an empty queue.
  void TearDown() override {
    MSG msg;
    for (int i = 0; i < 1000 && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE); ++i)
      DispatchMessage(&msg);
  }
};

TEST_F(MessageLoop, CreationDeliversCreateAndMakesTheWholeClientInvalid) {
  HWND w = MakeWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Messages(), std::vector<UINT>{WM_CREATE});
  RECT r;
  ASSERT_TRUE(GetUpdateRect(w, &r, false));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 640);   // 648 - 2 x 4
  EXPECT_EQ(r.bottom, 480);  // 511 - 2 x 4 - 23
  auto info = platform::headless::Info(w);
  ASSERT_TRUE(info);
  EXPECT_EQ(info->width, 640);
  EXPECT_EQ(info->height, 480);
  EXPECT_EQ(info->title, "Test window");
  EXPECT_EQ(info->className, "Recording");
  EXPECT_FALSE(info->maximised);
  EXPECT_FALSE(info->shown);
  EXPECT_TRUE(ShowWindow(w, SW_SHOW));
  EXPECT_TRUE(platform::headless::Info(w)->shown);
  EXPECT_TRUE(DestroyWindow(w));
  EXPECT_FALSE(platform::headless::Info(w));
}

TEST_F(MessageLoop, MaximisedWindowCoversTheWorkAreaBelowItsCaption) {
  HWND w = MakeWindow("Recording", RecordingProc, WS_MAXIMIZE, 100, 100);
  ASSERT_NE(w, nullptr);
  auto info = platform::headless::Info(w);
  EXPECT_TRUE(info->maximised);
  EXPECT_EQ(info->width, GetSystemMetrics(SM_CXFULLSCREEN));
  EXPECT_EQ(info->height, GetSystemMetrics(SM_CYFULLSCREEN));
  EXPECT_EQ(GetDC(w)->width(), 1920);
  EXPECT_EQ(GetDC(w)->height(), 1017);
  DestroyWindow(w);
}

TEST_F(MessageLoop, MetricsFollowTheDisplay) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 23);
  EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CYFRAME), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 1920);
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 1017);
  EXPECT_EQ(GetSystemMetrics(SM_MOUSEPRESENT), 1);
  platform::ScreenMetrics m{800, 600, 700, 560, 0, 0, 20, false};
  platform::headless::SetMetrics(m);
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 700);
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 540);
  EXPECT_EQ(GetSystemMetrics(SM_MOUSEPRESENT), 0);
  EXPECT_EQ(GetSystemMetrics(9999), 0);
}

// A drawing larger than the screen still fits: the in-memory display, like a desktop, shows
// what fits in its window.
TEST_F(MessageLoop, AnyDrawingFitsTheInMemoryDisplay) {
  EXPECT_TRUE(platform::FitOnDisplay(102, 82).fits);
  EXPECT_TRUE(platform::FitOnDisplay(30000, 30000).fits);
}

TEST_F(MessageLoop, FailedCreationAndUnknownClassGiveNoWindow) {
  platform::headless::FailWindowCreation(true);
  EXPECT_EQ(MakeWindow(), nullptr);
  platform::headless::FailWindowCreation(false);
  EXPECT_EQ(
      CreateWindowEx(0, "NoSuchClass", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
      nullptr);
  EXPECT_TRUE(seen.empty());
  WNDCLASS wc;
  wc.lpfnWndProc = RecordingProc;
  wc.lpszClassName = "Twice";
  EXPECT_NE(RegisterClass(wc), 0);
  EXPECT_EQ(RegisterClass(wc), 0);
}

TEST_F(MessageLoop, PostedMessagesArriveInOrderThenPaintThenQuit) {
  HWND w = MakeWindow();
  seen.clear();
  for (UINT i = 0; i < 5; ++i) ASSERT_TRUE(PostMessage(w, WM_COMMAND, i, 0));
  PostQuitMessage(3);
  MSG msg;
  for (WPARAM i = 0; i < 5; ++i) {
    ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
    EXPECT_EQ(msg.message, WM_COMMAND);
    EXPECT_EQ(msg.wParam, i);
  }
  // The window is still unpainted: its paint comes after the posted messages, before quit
  // only when the quit was not asked for; here the quit was posted first.
  ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 0);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 3u);
  ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, WM_PAINT);
  EXPECT_EQ(msg.hwnd, w);
  DispatchMessage(&msg);  // DefWindowProc validates
  EXPECT_FALSE(GetUpdateRect(w, nullptr, false));
  DestroyWindow(w);
}

TEST_F(MessageLoop, CloseDestroysTheWindowAndEndsTheLoop) {
  HWND w = MakeWindow();
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  ASSERT_TRUE(platform::headless::Close(w));
  EXPECT_EQ(RunLoop(), 0);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_CREATE, WM_PAINT, WM_CLOSE, WM_DESTROY}));
  EXPECT_FALSE(platform::headless::Info(w));
  EXPECT_FALSE(PostMessage(w, WM_COMMAND, 0, 0));
  EXPECT_FALSE(DestroyWindow(w));
  EXPECT_EQ(GetDC(w), nullptr);
}

TEST_F(MessageLoop, MessagesForADestroyedWindowAreDropped) {
  HWND w = MakeWindow();
  PostMessage(w, WM_COMMAND, 1, 0);
  DestroyWindow(w);
  PostThreadMessage(GetCurrentThreadId(), WM_COMMAND, 2, 0);
  MSG msg;
  ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.hwnd, nullptr);
  EXPECT_EQ(msg.wParam, 2u);
  EXPECT_EQ(DispatchMessage(&msg), 0);
}

TEST_F(MessageLoop, PostingFromOtherThreadsWakesTheLoop) {
  std::atomic<DWORD> loopThread{0};
  std::atomic<HWND> window{nullptr};
  std::vector<UINT> order;
  std::thread loop([&] {
    HWND w = MakeWindow();
    window = w;
    loopThread = GetCurrentThreadId();
    MSG msg;
    int r;
    while ((r = GetMessage(&msg, nullptr, 0, 0)) == 1) {
      if (msg.message == WM_COMMAND) order.push_back(UINT(msg.wParam));
      DispatchMessage(&msg);
    }
    EXPECT_EQ(r, 0);
    DestroyWindow(w);
  });
  while (loopThread == 0) std::this_thread::yield();
  EXPECT_NE(loopThread.load(), GetCurrentThreadId());
  std::vector<std::thread> posters;
  for (int t = 0; t < 4; ++t)
    posters.emplace_back([&, t] {
      for (int i = 0; i < 100; ++i) ASSERT_TRUE(PostMessage(window, WM_COMMAND, t * 1000 + i, 0));
    });
  for (auto& p : posters) p.join();
  ASSERT_TRUE(PostThreadMessage(loopThread, WM_QUIT, 0, 0));
  loop.join();
  ASSERT_EQ(order.size(), 400u);
  // Each poster's own messages keep their order.
  for (int t = 0; t < 4; ++t) {
    int last = -1;
    for (UINT v : order) {
      if (int(v) / 1000 != t) continue;
      EXPECT_GT(int(v), last);
      last = int(v);
    }
  }
  EXPECT_FALSE(PostThreadMessage(loopThread, WM_QUIT, 0, 0));  // the thread is gone
}

TEST_F(MessageLoop, PaintRectanglesGrowAndAreValidatedByBeginPaint) {
  HWND w = MakeWindow("Painting", PaintingProc);
  ShowWindow(w, SW_SHOW);
  ASSERT_TRUE(UpdateWindow(w));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].message, WM_PAINT);
  EXPECT_EQ(seen[1].wParam, 0u);
  EXPECT_EQ(seen[1].lParam, LPARAM(640 | (480 << 16)));
  EXPECT_FALSE(GetUpdateRect(w, nullptr, false));
  seen.clear();
  UpdateWindow(w);  // nothing pending: no paint
  EXPECT_TRUE(seen.empty());

  platform::headless::Expose(w, RECT{10, 20, 30, 40});
  platform::headless::Expose(w, RECT{600, 5, 700, 25});  // clipped to the client area
  platform::headless::Expose(w, RECT{50, 50, 50, 60});   // empty: ignored
  RECT r;
  ASSERT_TRUE(GetUpdateRect(w, &r, false));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.right, 640);
  EXPECT_EQ(r.bottom, 40);
  MSG msg;
  ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), 1);
  EXPECT_EQ(msg.message, WM_PAINT);
  DispatchMessage(&msg);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].wParam, WPARAM(10 | (5 << 16)));
  EXPECT_EQ(seen[0].lParam, LPARAM(640 | (40 << 16)));
  // A posted close goes before a pending paint.
  platform::headless::Expose(w, RECT{0, 0, 1, 1});
  platform::headless::Close(w);
  EXPECT_EQ(RunLoop(), 0);
  EXPECT_EQ(Messages(), (std::vector<UINT>{WM_PAINT, WM_CLOSE, WM_DESTROY}));
}

TEST_F(MessageLoop, TranslateGivesTheCharacterOfTheKeyRightAfterIt) {
  HWND w = MakeWindow();
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  seen.clear();
  platform::headless::KeyDown(w, 'A', 'a');
  platform::headless::KeyUp(w, 'A');
  platform::headless::KeyDown(w, VK_RIGHT);   // no character
  platform::headless::KeyDown(w, 'Q', 0xE4);  // whatever the display says
  platform::headless::KeyDown(w, 'C', 3);     // Ctrl+C
  PostMessage(w, WM_KEYDOWN, '7', 1);         // posted by a program
  PostMessage(w, WM_KEYDOWN, VK_F1, 1);
  platform::headless::MouseButton(w, WM_LBUTTONDOWN, 12, 34);
  platform::headless::Close(w);
  EXPECT_EQ(RunLoop(), 0);
  std::vector<std::pair<UINT, WPARAM>> got;
  for (auto& s : seen)
    if (s.message != WM_DESTROY && s.message != WM_CLOSE) got.push_back({s.message, s.wParam});
  std::vector<std::pair<UINT, WPARAM>> want{
      {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'},  {WM_KEYUP, 'A'},     {WM_KEYDOWN, VK_RIGHT},
      {WM_KEYDOWN, 'Q'}, {WM_CHAR, 0xE4}, {WM_KEYDOWN, 'C'},   {WM_CHAR, 3},
      {WM_KEYDOWN, '7'}, {WM_CHAR, '7'},  {WM_KEYDOWN, VK_F1}, {WM_LBUTTONDOWN, 1}};
  EXPECT_EQ(got, want);
  for (auto& s : seen) {
    if (s.message == WM_LBUTTONDOWN) {
      EXPECT_EQ(s.lParam, LPARAM(12 | (34 << 16)));
    }
  }
}

TEST_F(MessageLoop, SurfaceIsTheWindowsPixelsAndCopiesClipped) {
  HWND w = MakeWindow("Recording", RecordingProc, 0, 8 + 10, 8 + 23 + 6);
  WindowSurface* dc = GetDC(w);
  ASSERT_NE(dc, nullptr);
  ASSERT_EQ(dc->width(), 10);
  ASSERT_EQ(dc->height(), 6);
  FillAndPresent(*dc, -5, -5, 8, 8, RGB(1, 2, 3));  // covers 0..2 x 0..2
  dc->pixels().setPixel(9, 5, RGB(9, 9, 9));
  PixelSurface src(12, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) src.setPixel(x, y, RGB(x, y, 100));
  dc->pixels().copyFrom(src, 8, 4, 11, 11);  // one more than fits, as repaints ask
  dc->present(8, 4, 11, 11);                 // clipped as well
  EXPECT_EQ(platform::headless::Pixel(w, 2, 2), RGB(1, 2, 3));
  EXPECT_EQ(platform::headless::Pixel(w, 3, 2), 0u);
  EXPECT_EQ(platform::headless::Pixel(w, 8, 4), RGB(8, 4, 100));
  EXPECT_EQ(platform::headless::Pixel(w, 9, 5), RGB(9, 5, 100));
  EXPECT_EQ(platform::headless::Pixel(w, 10, 5), std::nullopt);
  EXPECT_EQ(ReleaseDC(w, dc), 1);
  PixelSurface shot = platform::headless::Snapshot(w);
  EXPECT_EQ(shot.width(), 10);
  EXPECT_EQ(shot.pixel(0, 0), RGB(1, 2, 3));
  DestroyWindow(w);
  EXPECT_EQ(platform::headless::Snapshot(w).width(), 0);
}

// The display shows what was presented, as every display does: pixels drawn and not
// presented stay out of the picture until a present covers them.
TEST_F(MessageLoop, TheWindowShowsWhatWasPresentedAndNothingElse) {
  HWND w = MakeWindow("Recording", RecordingProc, 0, 8 + 40, 8 + 23 + 30);
  WindowSurface* dc = GetDC(w);
  ASSERT_NE(dc, nullptr);
  dc->pixels().fill(0, 0, 40, 30, RGB(5, 6, 7));
  dc->present(10, 10, 5, 2);
  const PixelSurface shot = platform::headless::Snapshot(w);
  int shown = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) shown += shot.pixel(x, y) == RGB(5, 6, 7);
  EXPECT_EQ(shown, 10);
  EXPECT_EQ(platform::headless::Pixel(w, 14, 11), RGB(5, 6, 7));
  EXPECT_EQ(platform::headless::Pixel(w, 15, 11), 0u);
  dc->present(0, 0, 40, 30);
  EXPECT_EQ(platform::headless::Pixel(w, 39, 29), RGB(5, 6, 7));
  ReleaseDC(w, dc);
  DestroyWindow(w);
}

TEST_F(MessageLoop, LostDisplayDestroysWindowsAndEndsTheLoopWithAnError) {
  std::thread loop([] {
    HWND w = MakeWindow();
    ASSERT_NE(w, nullptr);
    UpdateWindow(w);
    seen.clear();
    platform::headless::LoseDisplay();
    EXPECT_EQ(RunLoop(), 0);  // the window's own quit comes first
    EXPECT_EQ(Messages(), std::vector<UINT>{WM_DESTROY});
    MSG msg;
    EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), -1);
  });
  loop.join();
}

TEST_F(MessageLoop, OnlyTheOwningThreadMayDestroyAWindow) {
  HWND w = MakeWindow();
  bool destroyedElsewhere = true;
  std::thread([&] { destroyedElsewhere = DestroyWindow(w); }).join();
  EXPECT_FALSE(destroyedElsewhere);
  MSG msg;
  EXPECT_EQ(GetMessage(&msg, reinterpret_cast<HWND>(uintptr_t(1)), 0, 0), -1);
  EXPECT_TRUE(DestroyWindow(w));
}

TEST_F(MessageLoop, WindowsOfAThreadVanishWhenItEnds) {
  HWND w = nullptr;
  std::thread([&] { w = MakeWindow(); }).join();
  EXPECT_FALSE(platform::headless::Info(w));
  EXPECT_FALSE(PostMessage(w, WM_COMMAND, 0, 0));
}

}  // namespace
