// Picks the display backend once, at the first use of the platform layer.
#include <unistd.h>

#include <cstdlib>
#include <mutex>
#include <string_view>

#include "platform/backend.h"
#include "platform/console.h"
#include "platform/window_state.h"

namespace platform {
namespace {

std::unique_ptr<Backend> Choose() {
  if (const char* wanted = std::getenv("GRAPHWIN_BACKEND"); wanted && *wanted) {
    const std::string_view name = wanted;
    if (name == "x11") return MakeX11Backend();
    if (name == "terminal") return MakeTerminalBackend();
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

struct Selection {
  std::once_flag once;
  std::unique_ptr<Backend> backend;
  bool named = false;  // GRAPHWIN_BACKEND asked for one; its failure was reported already
};

}  // namespace

Selection& TheSelection() {
  static detail::Immortal<Selection> selection;
  return selection.get();
}

Backend* CurrentBackend() {
  Selection& s = TheSelection();
  std::call_once(s.once, [&] {
    const char* wanted = std::getenv("GRAPHWIN_BACKEND");
    s.named = wanted && *wanted;
    s.backend = Choose();
  });
  return s.backend.get();
}

void ReportNoBackend() {
  Selection& s = TheSelection();
  static std::once_flag once;
  if (s.named) return;
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

#ifndef HAVE_TERMINAL_BACKEND
// Stands in until the terminal backend is part of the build.
__attribute__((weak)) std::unique_ptr<Backend> MakeTerminalBackend() {
  return nullptr;
}
#endif

#ifndef HAVE_X11
std::unique_ptr<Backend> MakeX11Backend() {
  return nullptr;
}
#endif

}  // namespace platform
