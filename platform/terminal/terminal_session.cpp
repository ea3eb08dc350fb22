#include "terminal/terminal_session.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "terminal/stop_here.h"
#include "window_state.h"

namespace platform::terminal {
namespace {

// Switches to the alternate screen, hides the cursor, asks for every mouse move and button in
// xterm's SGR form (1003, 1006) and clears the screen.
constexpr std::string_view EnterSequence =
    "\x1b[?1049h\x1b[?25l\x1b[?1003h\x1b[?1006h\x1b[0m\x1b[2J\x1b[H";
// CAN first: it ends any sequence a crash may have cut off half-way. Then colours, scroll
// region, mouse reporting off, cursor and the normal screen are put back.
constexpr std::string_view RestoreSequence =
    "\x18\x1b[0m\x1b[r\x1b[?1006l\x1b[?1003l\x1b[?25h\x1b[?1049l";

// Plain storage only: the signal handlers read it, and it must outlive every other
// static object because the process may end while another thread still draws.
struct termios savedModes;
int inputFd = -1;
int outputFd = -1;
std::atomic<bool> active{false};
std::atomic<bool> suspended{false};
std::atomic<long> writerThread{0};  // the thread inside WriteLocked, 0 for none
std::atomic<bool> resizeRequested{false};
std::atomic<bool> redrawRequested{false};
int wakePipe[2] = {-1, -1};
bool handlersInstalled = false;

constexpr size_t ExitTextCapacity = 4096;
// How long the end of the program waits for a write in progress to finish.
constexpr int LeaveLockWaitMs = 500;
char exitText[ExitTextCapacity];
std::atomic<size_t> exitTextLength{0};

std::mutex& OutputMutex() {
  // Never destroyed: a thread may still write while the process exits.
  static detail::Immortal<std::mutex> mutex;
  return mutex.get();
}

constexpr int EndingSignals[] = {SIGINT,  SIGTERM, SIGHUP, SIGQUIT, SIGSEGV,
                                 SIGABRT, SIGBUS,  SIGFPE, SIGILL};
struct sigaction previousActions[NSIG];

long CurrentThread() {
  return long(syscall(SYS_gettid));
}

// A terminal that takes no byte for this long is taken for stalled (a connection that hangs,
// an emulator that stopped reading): putting it back must not keep the process from ending.
constexpr int StalledMs = 1000;
// Written a piece at a time, each after the terminal said it has room, so that no single
// write waits for long.
constexpr size_t PieceSize = 64;

// Async-signal-safe. False when the terminal stalled or failed and not all was written.
bool WriteRaw(std::string_view bytes) {
  while (!bytes.empty()) {
    pollfd room{outputFd, POLLOUT, 0};
    const int ready = poll(&room, 1, StalledMs);
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return false;
    const ssize_t n = ::write(outputFd, bytes.data(), std::min(bytes.size(), PieceSize));
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return false;
    }
    bytes.remove_prefix(size_t(n));
  }
  return true;
}

termios RawModes(const termios& from) {
  termios raw = from;
  raw.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
  // Output processing stays on, so that a stray line on standard error still starts at the
  // left edge.
  raw.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  raw.c_cflag &= ~tcflag_t(CSIZE | PARENB);
  raw.c_cflag |= CS8;
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  return raw;
}

// Waits a little for a write in progress on another thread, so that the restore does not
// land inside its escape sequences; a writer that never finishes is not waited for.
void WaitForWriter() {
  const long self = CurrentThread();
  for (int i = 0; i < 100; ++i) {
    const long writer = writerThread.load();
    if (writer == 0 || writer == self) return;
    const timespec pause{0, 1000000};
    nanosleep(&pause, nullptr);
  }
}

// Async-signal-safe.
bool Restore() {
  if (!active.exchange(false)) return false;
  const bool written = WriteRaw(RestoreSequence);
  tcsetattr(inputFd, TCSANOW, &savedModes);
  // A terminal that stalled gets no more text to wait for.
  const size_t length = std::min(exitTextLength.load(), ExitTextCapacity);
  if (written) WriteRaw(std::string_view(exitText, length));
  return true;
}

void EndingSignalHandler(int sig) {
  const int savedErrno = errno;
  RestoreFromSignal();
  // Let the signal do what it would have done without us: the default action, or the
  // program's own handler. A fault signal comes again when the handler returns.
  struct sigaction previous = previousActions[sig];
  if (previous.sa_handler == SIG_IGN) previous.sa_handler = SIG_DFL;
  sigaction(sig, &previous, nullptr);
  raise(sig);
  errno = savedErrno;
}

void InstallSuspendHandler();

// Takes the terminal back after a stop: raw modes, our screen, and a picture drawn anew.
void EnterAgain() {
  const termios raw = RawModes(savedModes);
  tcsetattr(inputFd, TCSANOW, &raw);
  WriteRaw(EnterSequence);
  active.store(true);
  redrawRequested.store(true);
  Wake();
}

void SuspendHandler(int) {
  const int savedErrno = errno;
  if (Restore()) suspended.store(true);
  StopHere();
  // Stopped and continued, the continue handler has taken the terminal back already. The
  // system discards a stop sent to an orphaned process group: then nothing continues us,
  // and the program must not go on with the terminal in its normal modes.
  if (suspended.exchange(false)) EnterAgain();
  InstallSuspendHandler();
  errno = savedErrno;
}

void ContinueHandler(int) {
  const int savedErrno = errno;
  if (suspended.exchange(false)) EnterAgain();
  InstallSuspendHandler();
  errno = savedErrno;
}

void ResizeHandler(int) {
  const int savedErrno = errno;
  resizeRequested.store(true);
  Wake();
  errno = savedErrno;
}

void Install(int sig, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(sig, &action, nullptr);
}

void InstallSuspendHandler() {
  Install(SIGTSTP, SuspendHandler);
}

void InstallHandlers() {
  if (handlersInstalled) return;
  handlersInstalled = true;
  for (int sig : EndingSignals) {
    sigaction(sig, nullptr, &previousActions[sig]);
    // Whoever ignored a hang-up or a termination wants that; Ctrl+C must still end us.
    if (previousActions[sig].sa_handler == SIG_IGN && sig != SIGINT) continue;
    Install(sig, EndingSignalHandler);
  }
  InstallSuspendHandler();
  Install(SIGCONT, ContinueHandler);
  Install(SIGWINCH, ResizeHandler);
  std::atexit(LeaveSession);
}

bool MakeWakePipe() {
  if (wakePipe[0] >= 0) return true;
  if (pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  return true;
}

}  // namespace

bool EnterSession(int inFd, int outFd) {
  std::lock_guard lock(OutputMutex());
  if (active.load() || suspended.load()) return false;
  termios modes;
  if (tcgetattr(inFd, &modes) != 0 || !isatty(outFd)) return false;
  if (!MakeWakePipe()) return false;
  savedModes = modes;
  inputFd = inFd;
  outputFd = outFd;
  exitTextLength.store(0);
  resizeRequested.store(false);
  redrawRequested.store(false);
  InstallHandlers();
  const termios raw = RawModes(modes);
  if (tcsetattr(inFd, TCSANOW, &raw) != 0) return false;
  active.store(true);
  WriteRaw(EnterSequence);
  return true;
}

void LeaveSession() {
  // A writer may hold the lock inside a write to a terminal that does not drain; after a
  // short wait the terminal is put back without the lock, as on a signal.
  std::unique_lock lock(OutputMutex(), std::defer_lock);
  const timespec pause{0, 1000000};
  for (int i = 0; i < LeaveLockWaitMs && !lock.try_lock(); ++i) nanosleep(&pause, nullptr);
  suspended.store(false);
  Restore();
}

bool SessionActive() {
  return active.load();
}

std::unique_lock<std::mutex> LockOutput() {
  return std::unique_lock(OutputMutex());
}

bool WriteLocked(std::string_view bytes) {
  if (!active.load()) return false;
  writerThread.store(CurrentThread());
  bool ok = true;
  while (!bytes.empty()) {
    const ssize_t n = ::write(outputFd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    bytes.remove_prefix(size_t(n));
  }
  writerThread.store(0);
  return ok;
}

void SetExitText(std::string_view text) {
  const size_t length = std::min(text.size(), ExitTextCapacity);
  // Keep the end: it holds the latest lines.
  const std::string_view kept = text.substr(text.size() - length);
  exitTextLength.store(0);
  std::memcpy(exitText, kept.data(), kept.size());
  exitTextLength.store(kept.size());
}

int WakeFd() {
  return wakePipe[0];
}

void Wake() {
  if (wakePipe[1] < 0) return;
  const char byte = 1;
  // A full pipe already holds a wake-up.
  [[maybe_unused]] const ssize_t n = ::write(wakePipe[1], &byte, 1);
}

bool TakeResizeRequest() {
  return resizeRequested.exchange(false);
}
bool TakeRedrawRequest() {
  return redrawRequested.exchange(false);
}

void SuspendJob() {
  {
    // Under the lock no picture is cut off half-way by the restore.
    std::lock_guard lock(OutputMutex());
    if (!Restore()) return;
    suspended.store(true);
  }
  // The whole job stops, so that a program that started this one (make, a script) stops
  // with it and the shell sees the stop. The stop handler does the rest: it takes the
  // terminal back when the system discards the stop (an orphaned process group), and the
  // continue handler does after a stop.
  kill(0, SIGTSTP);
}

void RestoreFromSignal() {
  WaitForWriter();
  Restore();
}

}  // namespace platform::terminal
