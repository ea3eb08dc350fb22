#include "platform/standard_input_keys.h"

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <optional>

#include "terminal/key_decoder.h"
#include "terminal/stop_here.h"

namespace platform {
namespace {

// Plain storage: the signal handlers read it.
struct termios savedModes;
std::atomic<bool> raw{false};
std::atomic<bool> stopped{false};
bool handlersInstalled = false;

constexpr int EndingSignals[] = {SIGINT,  SIGTERM, SIGHUP, SIGQUIT, SIGSEGV,
                                 SIGABRT, SIGBUS,  SIGFPE, SIGILL};
struct sigaction previousActions[NSIG];

// Raw as far as a key reader needs: no echo, no line editing, a read returns each byte. The
// signal keys stay (Ctrl+C must still end a program that waits in getch), CR still becomes
// LF and output processing stays on, so that a program that reads a line with the C
// library or prints with "\n" afterwards still works.
termios KeyModes(const termios& from) {
  termios modes = from;
  modes.c_iflag &= ~tcflag_t(IXON | ISTRIP | INLCR | IGNCR);
  modes.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | IEXTEN);
  modes.c_cc[VMIN] = 1;
  modes.c_cc[VTIME] = 0;
  return modes;
}

// Async-signal-safe. The flag says "raw" before the terminal is and after it no longer is,
// so that a signal that ends the program between the two still puts the modes back (doing
// it twice is harmless): the terminal is raw at every read, so the gap comes at every read.
void ApplyKeyModes() {
  const termios modes = KeyModes(savedModes);
  raw.store(true);
  tcsetattr(STDIN_FILENO, TCSANOW, &modes);
}

// Async-signal-safe.
bool Restore() {
  if (!raw.load()) return false;
  tcsetattr(STDIN_FILENO, TCSANOW, &savedModes);
  raw.store(false);
  return true;
}

void RestoreAtExit() {
  Restore();
}

void Install(int sig, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(sig, &action, nullptr);
}

void EndingSignalHandler(int sig) {
  const int savedErrno = errno;
  Restore();
  // Then what the signal would have done without us.
  struct sigaction previous = previousActions[sig];
  if (previous.sa_handler == SIG_IGN) previous.sa_handler = SIG_DFL;
  sigaction(sig, &previous, nullptr);
  raise(sig);
  errno = savedErrno;
}

void ContinueHandler(int) {
  const int savedErrno = errno;
  if (stopped.exchange(false)) ApplyKeyModes();
  errno = savedErrno;
}

// Ctrl+Z: the shell gets its terminal as it was; the continue handler takes it back.
void StopHandler(int) {
  const int savedErrno = errno;
  if (Restore()) stopped.store(true);
  terminal::StopHere();
  // Here after the continue (or when the system discarded the stop).
  if (stopped.exchange(false)) ApplyKeyModes();
  Install(SIGTSTP, StopHandler);
  errno = savedErrno;
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
  Install(SIGTSTP, StopHandler);
  Install(SIGCONT, ContinueHandler);
  std::atexit(RestoreAtExit);
}

// Raw for one read only: between reads the terminal is as the program found it, so that a
// line it then reads with scanf or cin is echoed and can be edited. A key typed while no key
// routine reads is echoed like any typing, and read by the next one.
class KeyModesHeld {
 public:
  KeyModesHeld() {
    if (tcgetattr(STDIN_FILENO, &savedModes) != 0) return;
    InstallHandlers();
    ApplyKeyModes();
  }
  ~KeyModesHeld() { Restore(); }
  KeyModesHeld(const KeyModesHeld&) = delete;
  KeyModesHeld& operator=(const KeyModesHeld&) = delete;
};

// What poll says of standard input: 1 readable, 0 nothing within the time, -1 failed.
int WaitForInput(int timeoutMs) {
  pollfd in{STDIN_FILENO, POLLIN, 0};
  for (;;) {
    const int ready = poll(&in, 1, timeoutMs);
    if (ready >= 0) return ready;
    if (errno != EINTR) return -1;
  }
}

TerminalKey KeyOf(const terminal::KeyEvent& event) {
  return {event.virtualKey, event.character, event.shift, event.ctrl, event.alt};
}

terminal::KeyDecoder decoder;

}  // namespace

bool StandardInputIsTerminal() {
  return isatty(STDIN_FILENO) == 1;
}

bool ReadStandardInputKeys(int timeoutMs, std::vector<TerminalKey>& keys) {
  const bool terminal = StandardInputIsTerminal();
  std::optional<KeyModesHeld> keyModes;
  if (terminal) keyModes.emplace();
  // A lone Esc waits only a moment for the rest of a sequence.
  const bool escapePending = decoder.pending();
  const int wait = escapePending && (timeoutMs < 0 || timeoutMs > terminal::EscapeTimeoutMs)
                       ? terminal::EscapeTimeoutMs
                       : timeoutMs;
  const int ready = WaitForInput(wait);
  std::vector<terminal::KeyEvent> events;
  if (ready == 0) {
    if (escapePending) decoder.expire(events);
  } else {
    char bytes[256];
    ssize_t n;
    do {
      n = ready < 0 ? -1 : ::read(STDIN_FILENO, bytes, sizeof bytes);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
      decoder.expire(events);
      for (const auto& event : events) keys.push_back(KeyOf(event));
      return false;
    }
    if (!terminal) {
      for (ssize_t i = 0; i < n; ++i) keys.push_back({0, static_cast<unsigned char>(bytes[i])});
      return true;
    }
    decoder.feed(std::string_view(bytes, size_t(n)), events);
  }
  for (const auto& event : events) {
    // Only where the terminal itself sends them (its signal keys are off elsewhere).
    if (event.interrupt) raise(SIGINT);
    if (event.suspend) raise(SIGTSTP);
    if (event.interrupt || event.suspend || event.mouse) continue;
    keys.push_back(KeyOf(event));
  }
  return true;
}

}  // namespace platform
