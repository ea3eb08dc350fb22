#include "window_thread.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "backend.h"
#include "driver_state.h"
#include "graph_state.h"
#include "graphwin/driver.h"
#include "graphwin/hooks.h"
#include "mode_table.h"
#include "page_planes.h"
#include "palette.h"
#include "win32.h"

namespace {

constexpr const char* SingleClass = "NorvGraphWindow";
constexpr const char* FrameClass = "NorvGraphWindowMain";
constexpr const char* ChildClass = "NorvGraphWindowChild";

// One start of the message thread. Its identifier and exit code belong to it, so a thread
// that is still finishing never speaks for the one started after it.
struct MessageThread {
  std::thread thread;
  std::atomic<DWORD> id{0};
  std::atomic<DWORD> exitCode{STILL_ACTIVE};
};

// Under graphLock. running: the thread of the present mode, until it is stopped. latest:
// the thread started last, whose exit code MessageThreadExitCode reports. finishing:
// threads stopped from their own hooks, which could not wait for themselves; the next
// start, stop or the exit joins them, so no thread outlives the state it uses.
std::shared_ptr<MessageThread> running;
std::shared_ptr<MessageThread> latest;
std::vector<std::shared_ptr<MessageThread>> finishing;

DWORD extraWindowStyle = 0;

// Kept per arrangement, so that switching UseMainWindow between two starts still finds
// the classes it needs; each class is registered at most once per process.
std::atomic<bool> singleClassRegistered{false};
std::atomic<bool> frameClassesRegistered{false};

bool RegisterOne(const char* name, UINT style, WNDPROC proc, const char* menu) {
  WNDCLASS wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.lpszMenuName = menu;
  wc.lpszClassName = name;
  return RegisterClass(wc) != 0;
}

bool OnThisThread(const MessageThread& t) {
  return t.thread.get_id() == std::this_thread::get_id();
}

// Joins the stopped threads that are still finishing, except the calling one.
void JoinFinishingThreads() {
  std::vector<std::shared_ptr<MessageThread>> others;
  {
    std::lock_guard lock(graphLock);
    for (auto it = finishing.begin(); it != finishing.end();) {
      if (OnThisThread(**it)) {
        ++it;
      } else {
        others.push_back(std::move(*it));
        it = finishing.erase(it);
      }
    }
  }
  for (auto& t : others) t->thread.join();
}

// Asks the message thread to tear the window down and leave its loop, then waits for it.
// Called from a hook, on the message thread itself, it cannot wait: that thread leaves its
// loop once the hook returns, and whoever starts or stops next waits for it.
void StopMessageThread() {
  std::shared_ptr<MessageThread> t;
  {
    std::lock_guard lock(graphLock);
    t = std::move(running);
  }
  if (t) {
    if (t->exitCode == STILL_ACTIVE) {
      PostMessage(graphWindow, WM_DESTROY, 0, 0);
      if (UseMainWindow && mainWindow) PostMessage(mainWindow, WM_DESTROY, 0, 0);
      PostThreadMessage(t->id, WM_QUIT, 0, 0);
    }
    if (OnThisThread(*t)) {
      std::lock_guard lock(graphLock);
      finishing.push_back(std::move(t));
    } else {
      t->thread.join();
    }
  }
  JoinFinishingThreads();
}

// A program that returns from main with the window open ends here, before the static
// state that the message thread uses is destroyed. Exit called from a hook leaves the
// calling thread to the process's end.
void StopMessageThreadAtExit() {
  StopMessageThread();
  std::lock_guard lock(graphLock);
  for (auto& t : finishing) t->thread.detach();
  finishing.clear();
}

}  // namespace

WindowSize GraphWindowOuterSize() {
  int width = 0, height = 0;
  {
    std::lock_guard lock(graphLock);
    if (!backingBitmap) return {};
    width = backingBitmap->width();
    height = backingBitmap->height();
  }
  // The metrics may ask the display, whose lock comes before graphLock.
  WindowSize size{width + 2 * GetSystemMetrics(SM_CXFRAME),
                  height + 2 * GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION)};
  if (UseMainWindow) {
    size.width += ChildMargins[0] + ChildMargins[2];
    size.height += ChildMargins[1] + ChildMargins[3];
  }
  return size;
}

WindowSize ScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

DWORD MessageThreadExitCode() {
  std::lock_guard lock(graphLock);
  return latest ? latest->exitCode.load() : 0;
}
DWORD MessageThreadId() {
  std::lock_guard lock(graphLock);
  return running ? running->id.load() : 0;
}
DWORD ExtraWindowStyle() {
  return extraWindowStyle;
}

bool RegisterGraphClasses() {
  if (!UseMainWindow) {
    return RegisterOne(SingleClass, GraphClassStyle, GraphWindowProc, GraphMenuName);
  }
  if (!RegisterOne(FrameClass, GraphClassStyle, MainWindowProc, GraphMenuName)) return false;
  if (RegisterOne(ChildClass, CS_VREDRAW | CS_HREDRAW, GraphWindowProc, nullptr)) return true;
  // Both or neither: a frame class left behind would make every later attempt fail.
  UnregisterClass(FrameClass);
  return false;
}

HWND CreateGraphWindow() {
  const int width = Graph.MaxX + 1, height = Graph.MaxY + 1;
  const int frameX = GetSystemMetrics(SM_CXFRAME), frameY = GetSystemMetrics(SM_CYFRAME);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  if (!UseMainWindow) {
    HWND window = CreateWindowEx(0, SingleClass, GraphWindowTitle.c_str(),
                                 WS_OVERLAPPEDWINDOW | extraWindowStyle, GraphWindowPosition[0],
                                 GraphWindowPosition[1], width + 2 * frameX,
                                 height + 2 * frameY + caption, nullptr, nullptr, nullptr, nullptr);
    if (window) {
      ShowWindow(window, SW_SHOW);
      UpdateWindow(window);
    }
    return window;
  }
  const int left = ChildMargins[0], top = ChildMargins[1];
  const int right = ChildMargins[2], bottom = ChildMargins[3];
  mainWindow = CreateWindowEx(
      0, FrameClass, GraphWindowTitle.c_str(),
      WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | extraWindowStyle, GraphWindowPosition[0],
      GraphWindowPosition[1], width + left + right + 2 * frameX,
      height + top + bottom + 2 * frameY + caption, nullptr, nullptr, nullptr, nullptr);
  if (!mainWindow) return nullptr;
  ShowWindow(mainWindow, SW_SHOW);
  UpdateWindow(mainWindow);
  HWND child = CreateWindowEx(0, ChildClass, "", WS_CHILD, left, top, width, height, mainWindow,
                              nullptr, nullptr, nullptr);
  if (!child) return nullptr;
  ShowWindow(child, SW_SHOW);
  UpdateWindow(child);
  return child;
}

DWORD GraphWindowThread(uint32_t) {
  std::atomic<bool>& registered = UseMainWindow ? frameClassesRegistered : singleClassRegistered;
  if (!registered) {
    if (!RegisterGraphClasses()) {
      MessageBox(nullptr, "Window registration failed", nullptr, MB_OK);
      return 1;
    }
    registered = true;
  }
  HWND window = CreateGraphWindow();
  const HWND frame = UseMainWindow ? mainWindow : nullptr;
  if (!window) {
    MessageBox(nullptr, "Window creation failed", nullptr, MB_OK);
    return 1;
  }

  MSG msg;
  while (GetMessage(&msg, nullptr, 0, 0) == 1) {
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  // However the loop ended (a tear-down asked for by CloseGraph, or a quit that came
  // without one), the windows that remain go now, each with its tear-down, as the system
  // destroys the windows of an ending thread. Windows already gone are skipped.
  DestroyWindow(window);
  if (frame) DestroyWindow(frame);
  std::string display;
  if (platform::DisplayWasLost(&display)) {
    if (const DisplayLostRoutine hook = DisplayLostHook.load()) hook(display.c_str());
  }
  return 0;
}

void InitMode() {
  // A window still open from an earlier start is closed first; its thread is joined.
  StopMessageThread();

  const int colors = std::clamp(int(Graph.MaxColor), 0, int(DefaultPalette.size()));
  extraWindowStyle = Graph.CurrentMode >= 245 && Graph.CurrentMode <= 249 ? WS_MAXIMIZE : 0;
  SetBitmapSize(Graph.MaxX + 1, Graph.MaxY + 1, PaletteWindowsInUse() ? PalettePages : 0);
  graphWindow = nullptr;
  mainWindow = nullptr;
  {
    std::lock_guard lock(graphLock);
    currentPalette.assign(DefaultPalette.begin(), DefaultPalette.begin() + colors);
    windowReady = false;
  }
  static const bool exitHookInstalled = std::atexit(StopMessageThreadAtExit) == 0;
  (void)exitHookInstalled;

  auto t = std::make_shared<MessageThread>();
  t->thread = std::thread([&self = *t] {
    self.id = GetCurrentThreadId();
    self.exitCode = GraphWindowThread(0);
  });
  {
    std::lock_guard lock(graphLock);
    running = t;
    latest = t;
  }

  // The window is painted within the time its creation takes; poll without sleeping.
  bool ready = false;
  while (!(ready = windowReady) && t->exitCode == STILL_ACTIVE) std::this_thread::yield();

  if (!ready) {
    {
      std::lock_guard lock(graphLock);
      if (running == t) running.reset();
    }
    t->thread.join();
    Graph.ResultCode = grError;
  }
}

void DriverCloseGraph() {
  if (!Graph.IsGraphMode) {
    Graph.ResultCode = grNoInitGraph;
    return;
  }
  StopMessageThread();
  {
    // The program's thread may be converting colours while a hook closes the graphics.
    std::lock_guard lock(graphLock);
    currentPalette.clear();
  }
  Graph.IsGraphMode = false;
}
