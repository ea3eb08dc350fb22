#include "terminal/terminal_backend.h"

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <mutex>

#include "platform/console.h"
#include "terminal/terminal_screen.h"
#include "terminal/terminal_service.h"
#include "terminal/terminal_session.h"
#include "terminal/terminal_surface.h"
#include "window_state.h"

namespace platform::terminal {

TerminalSize ReadTerminalSize(int fd) {
  winsize size{};
  if (ioctl(fd, TIOCGWINSZ, &size) != 0) return {};
  return TerminalSize{size.ws_col, size.ws_row};
}

ScreenMetrics MetricsOf(TerminalSize size) {
  ScreenMetrics m;
  m.screenWidth = m.workWidth = size.columns;
  m.screenHeight = m.workHeight = 2 * std::max(0, size.rows - ConsoleRowCount);
  // No frames, no caption and no mouse in a terminal.
  return m;
}

TerminalSize TerminalSizeFor(int width, int height) {
  return TerminalSize{width, (height + 1) / 2 + ConsoleRowCount};
}

std::string TooSmallNote(TerminalSize size) {
  if (size.columns >= MinimumColumns && size.rows >= MinimumRows) return {};
  return "The terminal is " + std::to_string(size.columns) + " x " + std::to_string(size.rows) +
         ", too small for a window; make it at least " + std::to_string(MinimumColumns) +
         " column and " + std::to_string(MinimumRows) + " rows.";
}

namespace {

// The note on a terminal that was too small goes out right after the next line on standard
// error, which is the window driver's own report of the failed creation.
struct PendingNote {
  std::mutex mutex;
  std::string text;
};

PendingNote& ThePendingNote() {
  // Never destroyed: another thread may write to the console while the process exits.
  static detail::Immortal<PendingNote> note;
  return note.get();
}

bool WriteThenNote(std::string_view text, bool toStandardError) {
  const int fd = toStandardError ? STDERR_FILENO : STDOUT_FILENO;
  std::string out(text);
  if (toStandardError) {
    PendingNote& note = ThePendingNote();
    std::lock_guard lock(note.mutex);
    if (!note.text.empty()) {
      out += note.text;
      out += '\n';
      note.text.clear();
      SetConsoleWriter(nullptr);
    }
  }
  std::string_view rest = out;
  while (!rest.empty()) {
    const ssize_t n = ::write(fd, rest.data(), rest.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    rest.remove_prefix(size_t(n));
  }
  return true;
}

bool SameTerminal(int a, int b) {
  struct stat sa, sb;
  if (fstat(a, &sa) != 0 || fstat(b, &sb) != 0) return false;
  return S_ISCHR(sa.st_mode) && S_ISCHR(sb.st_mode) && sa.st_rdev == sb.st_rdev;
}

class TerminalWindow : public NativeWindow {
 public:
  // A top-level window: owns the session and its service thread.
  TerminalWindow(HWND hwnd, int width, int height, std::shared_ptr<PictureStore> store)
      : surface_(store, 0, 0, width, height) {
    service_ =
        std::make_unique<TerminalService>(hwnd, std::move(store), STDIN_FILENO, STDOUT_FILENO);
    service_->addWindow(hwnd, 0, 0, width, height);
  }
  // A child window: a block of its parent's picture.
  TerminalWindow(HWND hwnd, TerminalWindow& parent, int left, int top, int width, int height)
      : surface_(parent.surface_.sharedStore(), parent.surface_.left() + left,
                 parent.surface_.top() + top, width, height),
        hwnd_(hwnd),
        parent_(&parent) {
    parent_->service()->addWindow(hwnd, surface_.left(), surface_.top(), width, height);
  }

  ~TerminalWindow() override {
    if (parent_ != nullptr) {
      parent_->service()->removeWindow(hwnd_);
      return;
    }
    service_.reset();
    SetConsoleWriter(nullptr);
    LeaveSession();
  }

  WindowSurface& surface() override { return surface_; }
  void show() override {}

  TerminalService* service() { return parent_ != nullptr ? parent_->service() : service_.get(); }

 private:
  TerminalSurface surface_;
  HWND hwnd_ = nullptr;
  TerminalWindow* parent_ = nullptr;
  std::unique_ptr<TerminalService> service_;
};

class TerminalBackend : public Backend {
 public:
  const char* name() const override { return "terminal"; }
  std::string displayName() const override { return "the terminal"; }

  ScreenMetrics metrics() override { return MetricsOf(ReadTerminalSize(STDOUT_FILENO)); }

  DisplayFit fit(int width, int height) override {
    const TerminalSize have = ReadTerminalSize(STDOUT_FILENO);
    const TerminalSize need = TerminalSizeFor(width, height);
    DisplayFit fit;
    fit.fits = have.columns >= need.columns && have.rows >= need.rows;
    fit.display = displayName();
    fit.columns = have.columns, fit.rows = have.rows;
    fit.neededColumns = need.columns, fit.neededRows = need.rows;
    return fit;
  }

  std::unique_ptr<NativeWindow> createWindow(const WindowSpec& spec) override {
    if (spec.parent != nullptr) {
      auto* parent = dynamic_cast<TerminalWindow*>(spec.parent);
      if (parent == nullptr) return nullptr;
      const int left = spec.x == CW_USEDEFAULT ? 0 : spec.x;
      return std::make_unique<TerminalWindow>(spec.hwnd, *parent, left, spec.y, spec.clientWidth,
                                              spec.clientHeight);
    }
    // One terminal, one top-level window at a time.
    if (SessionActive()) return nullptr;
    const TerminalSize size = ReadTerminalSize(STDOUT_FILENO);
    if (const std::string note = TooSmallNote(size); !note.empty()) {
      PendingNote& pending = ThePendingNote();
      std::lock_guard lock(pending.mutex);
      pending.text = note;
      SetConsoleWriter(WriteThenNote);
      return nullptr;
    }
    if (!EnterSession(STDIN_FILENO, STDOUT_FILENO)) return nullptr;
    {
      std::unique_lock lock = LockOutput();
      TheScreen().errorsToTerminal = SameTerminal(STDOUT_FILENO, STDERR_FILENO);
    }
    SetConsoleWriter(WriteConsoleToScreen);
    auto store = std::make_shared<PictureStore>(spec.clientWidth, spec.clientHeight, Wake);
    return std::make_unique<TerminalWindow>(spec.hwnd, spec.clientWidth, spec.clientHeight,
                                            std::move(store));
  }
};

}  // namespace

}  // namespace platform::terminal

namespace platform {

std::unique_ptr<Backend> MakeTerminalBackend() {
  const bool input = isatty(STDIN_FILENO), output = isatty(STDOUT_FILENO);
  if (input && output) return std::make_unique<terminal::TerminalBackend>();
  const char* what = !input && !output ? "standard input and output are"
                     : !input          ? "standard input is"
                                       : "standard output is";
  ExplainBackendFailure(std::string(what) +
                        " not a terminal; run the program in a terminal without redirecting "
                        "its input or output");
  return nullptr;
}

}  // namespace platform
