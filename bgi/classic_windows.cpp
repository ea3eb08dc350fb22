// Windows of a size the program chooses, their numbers, their close button and double
// buffering, as programs written for the newer Windows BGI-style library use them.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include <graphics.h>

#include "font_lookup.h"
#include "graph/driver_interface.h"
#include "graph/graph.h"
#include "graphwin/driver.h"
#include "graphwin/hooks.h"
#include "window_setup.h"

namespace {

constexpr const char* DefaultWindowTitle = "Graphics window";

// Set on the program's thread, read on the message thread when the user closes the window.
std::atomic<bool> closeEndsProgram{true};

// The close button of a window that ends the program: the end comes from the message thread
// while the program's thread may be anywhere, even drawing, so the process ends at once
// with the C streams flushed, rather than through exit, which would destroy the static
// state under that thread's feet.
bool CloseWindow() {
  if (!closeEndsProgram) return false;
  std::fflush(nullptr);
  std::_Exit(0);
}

// The program's thread's. driverTitle: the title setting as the C front first found it.
std::optional<std::string> driverTitle;
int windowsOpened = 0;
int currentWindow = -1;

}  // namespace

void bgi::PrepareWindow(const WindowRequest& request) {
  if (!driverTitle) driverTitle = GraphWindowTitle;
  GraphWindowTitle = request.title ? std::string(request.title) : *driverTitle;
  GraphWindowPosition[0] = request.placed ? request.left : CW_USEDEFAULT;
  GraphWindowPosition[1] = request.placed ? request.top : 0;
  closeEndsProgram = request.closeEndsProgram;
  WindowCloseHook = CloseWindow;
}

int bgi::NumberOpenedWindow() {
  if (LayerState().ResultCode != grOk) return -1;
  currentWindow = windowsOpened++;
  return currentWindow;
}

int initwindow(int width, int height, const char* title, int left, int top, bool dbflag,
               bool closeflag) {
  bgi::StartStackOnce();
  // Its 16 colours keep their RGB values, and setbkcolor only chooses what clearing uses.
  UsePaletteWindows(true, true);
  const int16_t mode = SizedWindowMode(width, height);
  if (mode < 0) {
    SetGraphResult(grError);
    return -1;
  }
  bgi::PrepareWindow({title ? title : DefaultWindowTitle, true, left, top, closeflag});
  bgi::SetFontPath({});  // fonts from the current folder, as the window takes no driver path
  int16_t driver = SizedWindowDriver, chosen = mode;
  InitGraph(driver, chosen, "");
  const int number = bgi::NumberOpenedWindow();
  if (number >= 0 && dbflag) SetActivePage(1);
  return number;
}

int initwindow(int width, int height, char* title, int left, int top, bool dbflag, bool closeflag) {
  return initwindow(width, height, static_cast<const char*>(title), left, top, dbflag, closeflag);
}

extern "C" {

int getcurrentwindow(void) {
  return LayerState().IsGraphMode ? currentWindow : -1;
}

void setcurrentwindow(int window) {
  // One window is open at a time: it is the only one that can be chosen.
  if (window < 0 || window != getcurrentwindow()) SetGraphResult(grError);
}

int getwindowwidth(void) {
  return GraphWindowOuterSize().width;
}

int getwindowheight(void) {
  return GraphWindowOuterSize().height;
}

int getmaxwidth(void) {
  return ScreenSize().width;
}

int getmaxheight(void) {
  return ScreenSize().height;
}

void swapbuffers(void) {
  const PageNumbers pages = CurrentPages();
  SetVisualPage(uint16_t(pages.active));
  SetActivePage(uint16_t(1 - pages.active));
}

int getactivepage(void) {
  return CurrentPages().active;
}

int getvisualpage(void) {
  return CurrentPages().visual;
}

}  // extern "C"
