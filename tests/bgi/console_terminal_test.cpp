// The console routines of a classic program run in a child process (console_child.c): keys
// read from a pseudo-terminal before any graph window, the terminal's modes while it reads
// and after, and the text output on a terminal and in a pipe.
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>
#include <utmp.h>

#include <gtest/gtest.h>

#include <csignal>
#include <string>

namespace {

// Long enough for a slow sanitizer build; only a test that would otherwise hang meets it.
constexpr int ReadLimitMs = 20000;

bool Raw(int fd) {
  termios modes{};
  tcgetattr(fd, &modes);
  return (modes.c_lflag & (ECHO | ICANON)) == 0;
}

// The child is raw only while it waits in a key routine: the test types once it is.
bool WaitUntilRaw(int fd) {
  for (int waited = 0; waited < ReadLimitMs; waited += 5) {
    if (Raw(fd)) return true;
    usleep(5000);
  }
  return false;
}

bool Cooked(int fd) {
  termios modes{};
  tcgetattr(fd, &modes);
  return (modes.c_lflag & ECHO) != 0 && (modes.c_lflag & ICANON) != 0;
}

// The child on a pseudo-terminal: the test writes to it and reads what it shows.
class ChildOnTerminal {
 public:
  explicit ChildOnTerminal(const char* mode) {
    if (openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(master_);
      login_tty(slave_);
      execl(CONSOLE_CHILD, CONSOLE_CHILD, mode, static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~ChildOnTerminal() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
    if (slave_ >= 0) close(slave_);
  }

  bool started() const { return pid_ > 0; }
  int terminal() const { return slave_; }
  pid_t pid() const { return pid_; }

  // Reads until the output holds text; true when it does.
  bool readUntil(const std::string& text) {
    while (output_.find(text) == std::string::npos) {
      pollfd in{master_, POLLIN, 0};
      if (poll(&in, 1, ReadLimitMs) <= 0) return false;
      char bytes[4096];
      const ssize_t n = read(master_, bytes, sizeof bytes);
      if (n <= 0) return false;
      output_.append(bytes, size_t(n));
    }
    return true;
  }
  void type(const std::string& keys) {
    ASSERT_EQ(write(master_, keys.data(), keys.size()), ssize_t(keys.size()));
  }
  // The child's exit status as waitpid gives it.
  int wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }
  // Reads what is left once the child has ended (the terminal stays open on this side).
  const std::string& rest() {
    for (;;) {
      pollfd in{master_, POLLIN, 0};
      if (poll(&in, 1, 0) <= 0) break;
      char bytes[4096];
      const ssize_t n = read(master_, bytes, sizeof bytes);
      if (n <= 0) break;
      output_.append(bytes, size_t(n));
    }
    return output_;
  }

 private:
  int master_ = -1, slave_ = -1;
  pid_t pid_ = -1;
  std::string output_;
};

// The child with its standard output in a pipe and its standard input on /dev/null.
std::string OutputThroughPipe(const char* mode) {
  const std::string command = std::string(CONSOLE_CHILD) + " " + mode + " </dev/null";
  FILE* child = popen(command.c_str(), "r");
  if (child == nullptr) return "";
  std::string output;
  char bytes[4096];
  size_t n;
  while ((n = fread(bytes, 1, sizeof bytes, child)) > 0) output.append(bytes, n);
  pclose(child);
  return output;
}

TEST(ConsoleTerminal, GetchReadsRawKeysWithoutEnterAndPutsTheTerminalBack) {
  ChildOnTerminal child("keys");
  ASSERT_TRUE(child.started());
  ASSERT_TRUE(child.readUntil("ready\r\n"));
  ASSERT_TRUE(WaitUntilRaw(child.terminal()));
  // A character, Up, a character, Down for bioskey, F1; no Enter anywhere.
  child.type("x\x1b[Aq\x1b[B\x1bOP");
  ASSERT_TRUE(child.readUntil("0 59")) << child.rest();
  EXPECT_EQ(child.wait(), 0);
  const std::string shown = child.rest();
  EXPECT_NE(shown.find("got 120 0 72 113 0x5000 0 59"), std::string::npos) << shown;
  // The keys were not echoed: no q at all, and the first x is that of 0x5000.
  EXPECT_EQ(shown.find('q'), std::string::npos) << shown;
  EXPECT_EQ(shown.find('x'), shown.find("0x5000") + 1) << shown;
  EXPECT_TRUE(Cooked(child.terminal()));
}

TEST(ConsoleTerminal, ALineReadAfterAKeyIsEchoedAsTyped) {
  ChildOnTerminal child("line");
  ASSERT_TRUE(child.started());
  ASSERT_TRUE(child.readUntil("ready\r\n"));
  ASSERT_TRUE(WaitUntilRaw(child.terminal()));
  child.type("k");
  ASSERT_TRUE(child.readUntil("now a line\r\n")) << child.rest();
  EXPECT_TRUE(Cooked(child.terminal()));
  child.type("Ada\n");
  ASSERT_TRUE(child.readUntil("read Ada")) << child.rest();
  EXPECT_EQ(child.wait(), 0);
  const std::string shown = child.rest();
  EXPECT_NE(shown.find("now a line\r\nAda\r\n"), std::string::npos) << shown;
  EXPECT_EQ(shown.find('k'), std::string::npos) << "the key was echoed: " << shown;
}

TEST(ConsoleTerminal, ASignalThatEndsTheProgramPutsTheTerminalBack) {
  for (int sig : {SIGTERM, SIGINT}) {
    ChildOnTerminal child("wait");
    ASSERT_TRUE(child.started());
    ASSERT_TRUE(child.readUntil("ready\r\n"));
    ASSERT_TRUE(WaitUntilRaw(child.terminal()));
    kill(child.pid(), sig);
    const int status = child.wait();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << sig;
    EXPECT_TRUE(Cooked(child.terminal())) << sig;
  }
}

TEST(ConsoleTerminal, TextInAPipeIsPlainAndLaidOutByLineEndsAndSpaces) {
  const std::string page = OutputThroughPipe("page");
  EXPECT_EQ(page, "\n\n    hi 42[10,3]\n  end\nafter\n");
  EXPECT_EQ(page.find('\x1b'), std::string::npos);

  const std::string huge = OutputThroughPipe("huge");
  EXPECT_EQ(huge.size(), 1000000u + std::string("\nwritten 1000000\n").size());
  EXPECT_NE(huge.find("\nwritten 1000000\n"), std::string::npos);
}

TEST(ConsoleTerminal, TextOnATerminalPlacesAndColoursWithControlSequences) {
  ChildOnTerminal child("page");
  ASSERT_TRUE(child.started());
  ASSERT_TRUE(child.readUntil("after"));
  EXPECT_EQ(child.wait(), 0);
  const std::string shown = child.rest();
  const std::string expected[] = {
      "\x1b[2J\x1b[1;1H",      // clrscr
      "\x1b[3;5H",             // gotoxy(5, 3)
      "\x1b[0;91;44;5mhi 42",  // light red, blinking, on blue
      "\x1b[K",                // clreol
      "\x1b[?25l",             // no cursor
      "[10,3]",                // wherex, wherey; the gotoxy calls outside the screen did nothing
      "\x1b[4;3H\x1b[0;37;40mend",
      "after",
      "\x1b[0m\x1b[?25h",  // the colours and the cursor put back at exit
  };
  size_t at = 0;
  for (const std::string& part : expected) {
    const size_t found = shown.find(part, at);
    ASSERT_NE(found, std::string::npos) << "missing in order: " << part << "\nin: " << shown;
    at = found + part.size();
  }
}

}  // namespace
