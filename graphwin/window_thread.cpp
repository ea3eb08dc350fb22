#include "graphwin/window_thread.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "graph/graph_state.h"
#include "graphwin/driver.h"
#include "graphwin/driver_state.h"
#include "graphwin/palette.h"
#include "platform/win32.h"

namespace {

constexpr const char* SingleClass = "NorvGraphWindow";
constexpr const char* FrameClass = "NorvGraphWindowMain";
constexpr const char* ChildClass = "NorvGraphWindowChild";

// The message thread. It is joined by CloseGraph, by the next InitMode, or at exit, so it
// never outlives the state it uses and never ends the process from a destructor.
std::thread messageThread;
std::atomic<DWORD> messageThreadId{0};
std::atomic<DWORD> exitCode{0};
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

// Asks the message thread to tear the window down and leave its loop, then waits for it.
// Called from a hook, on the message thread itself, it cannot wait: the thread then leaves
// its loop once the hook returns.
void StopMessageThread() {
  if (!messageThread.joinable()) return;
  if (exitCode == STILL_ACTIVE) {
    PostMessage(graphWindow, WM_DESTROY, 0, 0);
    if (UseMainWindow && mainWindow) PostMessage(mainWindow, WM_DESTROY, 0, 0);
    PostThreadMessage(messageThreadId, WM_QUIT, 0, 0);
  }
  if (messageThread.get_id() == std::this_thread::get_id()) {
    messageThread.detach();
  } else {
    messageThread.join();
  }
  messageThreadId = 0;
}

// A program that returns from main with the window open ends here, before the static
// state that the message thread uses is destroyed.
void StopMessageThreadAtExit() {
  if (!messageThread.joinable()) return;
  if (messageThread.get_id() == std::this_thread::get_id()) {
    messageThread.detach();  // exit called from a hook: the process ends around it
    return;
  }
  StopMessageThread();
}

void EndThread(DWORD code) {
  exitCode = code;
  exitCode.notify_all();
}

}  // namespace

DWORD MessageThreadExitCode() {
  return exitCode;
}
DWORD MessageThreadId() {
  return messageThreadId;
}
DWORD ExtraWindowStyle() {
  return extraWindowStyle;
}

bool RegisterGraphClasses() {
  if (!UseMainWindow) {
    return RegisterOne(SingleClass, GraphClassStyle, GraphWindowProc, GraphMenuName);
  }
  return RegisterOne(FrameClass, GraphClassStyle, MainWindowProc, GraphMenuName) &&
         RegisterOne(ChildClass, CS_VREDRAW | CS_HREDRAW, GraphWindowProc, nullptr);
}

HWND CreateGraphWindow() {
  const int width = Graph.MaxX + 1, height = Graph.MaxY + 1;
  const int frameX = GetSystemMetrics(SM_CXFRAME), frameY = GetSystemMetrics(SM_CYFRAME);
  const int caption = GetSystemMetrics(SM_CYCAPTION);
  if (!UseMainWindow) {
    HWND window =
        CreateWindowEx(0, SingleClass, GraphWindowTitle.c_str(),
                       WS_OVERLAPPEDWINDOW | extraWindowStyle, CW_USEDEFAULT, 0, width + 2 * frameX,
                       height + 2 * frameY + caption, nullptr, nullptr, nullptr, nullptr);
    if (window) {
      ShowWindow(window, SW_SHOW);
      UpdateWindow(window);
    }
    return window;
  }
  const int left = ChildMargins[0], top = ChildMargins[1];
  const int right = ChildMargins[2], bottom = ChildMargins[3];
  mainWindow = CreateWindowEx(0, FrameClass, GraphWindowTitle.c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | extraWindowStyle,
                              CW_USEDEFAULT, 0, width + left + right + 2 * frameX,
                              height + top + bottom + 2 * frameY + caption, nullptr, nullptr,
                              nullptr, nullptr);
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
  messageThreadId = GetCurrentThreadId();
  std::atomic<bool>& registered = UseMainWindow ? frameClassesRegistered : singleClassRegistered;
  if (!registered) {
    if (!RegisterGraphClasses()) {
      MessageBox(nullptr, "Window registration failed", nullptr, MB_OK);
      return 1;
    }
    registered = true;
  }
  HWND window = CreateGraphWindow();
  if (!window) {
    MessageBox(nullptr, "Window creation failed", nullptr, MB_OK);
    return 1;
  }

  MSG msg;
  bool tornDownByMessage = false;
  while (GetMessage(&msg, nullptr, 0, 0) == 1) {
    if (msg.message == WM_DESTROY) tornDownByMessage = true;
    TranslateMessage(&msg);
    DispatchMessage(&msg);
  }
  // A tear-down asked for by CloseGraph leaves the windows themselves in place; destroy
  // them as the system does with the windows of an ending thread.
  if (tornDownByMessage) {
    DestroyWindow(window);
    if (UseMainWindow && mainWindow) DestroyWindow(mainWindow);
  }
  return 0;
}

void InitMode() {
  // A window still open from an earlier start is closed first; its thread is joined.
  StopMessageThread();

  const int colours = std::clamp(int(Graph.MaxColor), 0, int(DefaultPalette.size()));
  currentPalette.assign(DefaultPalette.begin(), DefaultPalette.begin() + colours);
  extraWindowStyle = Graph.CurrentMode >= 245 && Graph.CurrentMode <= 249 ? WS_MAXIMIZE : 0;
  SetBitmapSize(Graph.MaxX + 1, Graph.MaxY + 1);
  graphWindow = nullptr;
  mainWindow = nullptr;
  {
    std::lock_guard lock(graphLock);
    windowReady = false;
  }
  static const bool exitHookInstalled = std::atexit(StopMessageThreadAtExit) == 0;
  (void)exitHookInstalled;

  exitCode = STILL_ACTIVE;
  messageThread = std::thread([] { EndThread(GraphWindowThread(0)); });

  // The window is painted within the time its creation takes; poll without sleeping.
  bool ready = false;
  while (!(ready = windowReady) && exitCode == STILL_ACTIVE) std::this_thread::yield();

  if (!ready) {
    messageThread.join();
    messageThreadId = 0;
    Graph.ResultCode = grError;
  }
}

void DriverCloseGraph() {
  if (!Graph.IsGraphMode) {
    Graph.ResultCode = grNoInitGraph;
    return;
  }
  StopMessageThread();
  currentPalette.clear();
  Graph.IsGraphMode = false;
}
