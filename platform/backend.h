#pragma once
// The small interface each display technology fills (X11, terminal, Win32, in-memory), and the
// calls a backend makes into the platform core to hand over what the display reports.
//
// How events travel: a backend reads its display on a thread of its own (or from its
// native callbacks) and calls DeliverMessage / DeliverKey / InvalidateClient. Those post
// into the queue of the thread that owns the window and wake it; the thread blocked in
// GetMessage waits on nothing but its own queue. A backend therefore never needs the
// window thread's cooperation, and any thread may call these functions at any time.
#include <memory>
#include <string>

#include "platform/display_fit.h"
#include "platform/screen_metrics.h"
#include "platform/win_types.h"
#include "surface.h"

namespace platform {

class NativeWindow;

// Everything a backend needs to make a window. The client size has already been worked out
// from the outer size the caller asked for (outer minus frames and caption, or the whole
// maximised client area), so a backend only has to honour it.
struct WindowSpec {
  HWND hwnd = nullptr;  // the handle the core gave this window; use it when delivering
  std::string title;
  std::string className;
  DWORD style = 0;
  int x = 0, y = 0;  // CW_USEDEFAULT for x: the backend places it; child: in the parent
  int clientWidth = 0, clientHeight = 0;
  bool maximised = false;          // WS_MAXIMIZE was given
  NativeWindow* parent = nullptr;  // set for WS_CHILD windows
};

// A window on the display. Destroying it removes it from the display; afterwards the
// backend must not deliver anything for its handle.
class NativeWindow {
 public:
  virtual ~NativeWindow() = default;
  // The client area. Valid as long as this object lives; drawing on it is safe from any
  // thread (the driver serialises its own calls) and shows without a further call.
  virtual WindowSurface& surface() = 0;
  virtual void show() = 0;
};

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* name() const = 0;
  // The display as a user knows it, for messages: "the display :1", "the terminal".
  virtual std::string displayName() const { return std::string("the ") + name() + " display"; }
  virtual ScreenMetrics metrics() = 0;
  // nullptr when the window cannot be made.
  virtual std::unique_ptr<NativeWindow> createWindow(const WindowSpec& spec) = 0;
  // Whether a drawing area of width x height pixels shows whole on this display (see
  // FitOnDisplay). A display that shows what fits says yes.
  virtual DisplayFit fit(int width, int height) {
    (void)width, (void)height;
    return {};
  }
  // Shows a message box of the display's own and returns once it is closed; false where the
  // display has none, and MessageBox then writes the text as a line on standard error.
  virtual bool messageBox(const std::string& text, const std::string& caption) {
    (void)text, (void)caption;
    return false;
  }
};

// The backend of this process, chosen once at the first call: GRAPHWIN_BACKEND
// (x11, terminal or headless; on Windows win32 or headless) when set; on Windows else the
// Windows desktop; elsewhere else X11 when DISPLAY opens; else the terminal when standard
// input and output are both terminals; else none (nullptr), in which case CreateWindowEx
// fails and GetSystemMetrics reports 0.
Backend* CurrentBackend();
// Says once, on standard error, why no window can be made when no backend could be chosen:
// the named backend's reason when GRAPHWIN_BACKEND named one that cannot start.
void ReportNoBackend();
// Makes backend the process's backend when none was chosen yet (tests, embedding
// programs). False when one was chosen already; backend is then dropped.
bool InstallBackend(std::unique_ptr<Backend> backend);

// Makers of each backend; nullptr when it cannot start (no display, not a terminal, or not
// built in).
std::unique_ptr<Backend> MakeX11Backend();
std::unique_ptr<Backend> MakeTerminalBackend();
std::unique_ptr<Backend> MakeHeadlessBackend();
std::unique_ptr<Backend> MakeWin32Backend();
// The canvas of a web page; only in the WebAssembly build (platform/browser/).
std::unique_ptr<Backend> MakeBrowserBackend();
// A maker that returns nullptr first says why, on the thread that called it: what is wrong
// and what to do, as in "DISPLAY is not set; set DISPLAY to a running X server". When
// GRAPHWIN_BACKEND named that backend, ReportNoBackend passes it on to the user.
void ExplainBackendFailure(std::string why);

// Posts a message from the display to the thread that owns hwnd. False when the window
// no longer exists.
bool DeliverMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// A key press or release. For a press, character is the key's Latin-1 character (or the
// control code Ctrl gives it), or -1 where it has none; TranslateMessage turns it into
// WM_CHAR. msg is WM_KEYDOWN or WM_KEYUP (or their WM_SYS forms).
bool DeliverKey(HWND hwnd, UINT msg, UINT virtualKey, int character, LPARAM lParam = 1);
// The display lost part of the client area: it joins the update rectangle and a WM_PAINT
// follows once the owner's posted messages are handled.
bool InvalidateClient(HWND hwnd, const RECT& rect);
// The display is gone for good. Every window of the backend is destroyed on its own
// thread (WM_DESTROY is delivered there) and GetMessage on those threads then returns
// the posted messages that remain, and -1 once none are left. The process goes on.
void DisplayLost();
// Whether the display was lost, and then which one (the backend's displayName).
bool DisplayWasLost(std::string* displayName = nullptr);

}  // namespace platform
