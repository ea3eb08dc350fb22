// Picks the display backend once, at the first use of the platform layer.
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdlib>
#include <mutex>
#include <string>
#include <string_view>

#include "backend.h"
#include "platform/console.h"
#include "window_state.h"

namespace platform {
namespace {

// What the last maker on this thread said when it could not start.
thread_local std::string makerFailure;

#if defined(__EMSCRIPTEN__)
// In a web page the page's canvas is the one display; the in-memory one stays for tests.
std::unique_ptr<Backend> Choose(std::string&) {
  if (const char* wanted = std::getenv("GRAPHWIN_BACKEND"); wanted && *wanted) {
    if (std::string_view(wanted) == "headless") return MakeHeadlessBackend();
  }
  return MakeBrowserBackend();
}
#elif defined(_WIN32)
// On Windows the desktop is always there; the in-memory display is for tests.
std::unique_ptr<Backend> Choose(std::string&) {
  if (const char* wanted = std::getenv("GRAPHWIN_BACKEND"); wanted && *wanted) {
    const std::string_view name = wanted;
    if (name == "headless") return MakeHeadlessBackend();
    if (name != "win32") {
      WriteConsole("GRAPHWIN_BACKEND: unknown backend \"" + std::string(name) +
                       "\" (use win32 or headless)\n",
                   true);
      return nullptr;
    }
  }
  return MakeWin32Backend();
}
#else
// The backend GRAPHWIN_BACKEND names; when it cannot start, failure says why in one line.
std::unique_ptr<Backend> MakeNamed(std::string_view name, std::unique_ptr<Backend> (*make)(),
                                   std::string& failure) {
  makerFailure.clear();
  std::unique_ptr<Backend> backend = make();
  if (backend) return backend;
  const std::string why = makerFailure.empty() ? "it is not available" : makerFailure;
  failure = "GRAPHWIN_BACKEND asks for the " + std::string(name) +
            " backend, which cannot start: " + why + ", or unset GRAPHWIN_BACKEND.";
  return nullptr;
}

std::unique_ptr<Backend> Choose(std::string& failure) {
  if (const char* wanted = std::getenv("GRAPHWIN_BACKEND"); wanted && *wanted) {
    const std::string_view name = wanted;
    if (name == "x11") return MakeNamed(name, MakeX11Backend, failure);
    if (name == "terminal") return MakeNamed(name, MakeTerminalBackend, failure);
    if (name == "headless") return MakeHeadlessBackend();
    WriteConsole("GRAPHWIN_BACKEND: unknown backend \"" + std::string(name) +
                     "\" (use x11, terminal or headless)\n",
                 true);
    return nullptr;
  }
  if (const char* display = std::getenv("DISPLAY"); display && *display) {
    if (auto x11 = MakeX11Backend()) return x11;
  }
  if (isatty(STDIN_FILENO) && isatty(STDOUT_FILENO)) return MakeTerminalBackend();
  return nullptr;
}
#endif

struct Selection {
  std::once_flag once;
  std::unique_ptr<Backend> backend;
  bool named = false;  // GRAPHWIN_BACKEND asked for one
  // The line that says why the named one cannot start; empty when it started, or when the
  // name was unknown (that was said at once).
  std::string failure;
};

}  // namespace

void ExplainBackendFailure(std::string why) {
  makerFailure = std::move(why);
}

Selection& TheSelection() {
  static detail::Immortal<Selection> selection;
  return selection.get();
}

Backend* CurrentBackend() {
  Selection& s = TheSelection();
  std::call_once(s.once, [&] {
    const char* wanted = std::getenv("GRAPHWIN_BACKEND");
    s.named = wanted && *wanted;
    s.backend = Choose(s.failure);
  });
  return s.backend.get();
}

DisplayFit FitOnDisplay(int width, int height) {
  Backend* backend = CurrentBackend();
  return backend ? backend->fit(width, height) : DisplayFit{};
}

void ReportNoBackend() {
  Selection& s = TheSelection();
  static std::once_flag once;
  if (s.named) {
    if (!s.failure.empty()) std::call_once(once, [&s] { WriteConsole(s.failure + "\n", true); });
    return;
  }
  std::call_once(once, [] {
    WriteConsole(
        "No display to draw on: DISPLAY is not set or cannot be opened, and standard input "
        "and output are not a terminal; start the program from a desktop session or a "
        "terminal.\n",
        true);
  });
}

bool InstallBackend(std::unique_ptr<Backend> backend) {
  Selection& s = TheSelection();
  bool installed = false;
  std::call_once(s.once, [&] {
    s.backend = std::move(backend);
    installed = true;
  });
  return installed;
}

#if defined(_WIN32)
// The X server and the terminal are Linux's displays; Windows has its desktop.
std::unique_ptr<Backend> MakeX11Backend() {
  ExplainBackendFailure("this is the Windows build, which draws on the Windows desktop");
  return nullptr;
}
std::unique_ptr<Backend> MakeTerminalBackend() {
  ExplainBackendFailure("this is the Windows build, which draws on the Windows desktop");
  return nullptr;
}
#else
std::unique_ptr<Backend> MakeWin32Backend() {
  ExplainBackendFailure("the Windows desktop exists only in the Windows build");
  return nullptr;
}
#ifndef HAVE_X11
std::unique_ptr<Backend> MakeX11Backend() {
  ExplainBackendFailure(
      "this build has no X11 support (Xlib was missing when it was built); "
      "use terminal, or build again with the X11 development files");
  return nullptr;
}
#endif
#endif

}  // namespace platform
