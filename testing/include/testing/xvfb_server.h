#pragma once
// An X server of the caller's own: Xvfb on a free display, found with -displayfd, stopped
// when the object goes. Never touches the caller's DISPLAY. No test framework needed, so
// benchmarks and tools can use it too.
//
//   XvfbServer server;                     // or XvfbServer server("800x600x24");
//   if (!server.ok()) ...                  // XvfbServer::installed() tells why
//   setenv("DISPLAY", server.display().c_str(), 1);
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <string_view>

namespace testing_support {

// Whether an executable of that name is on PATH.
inline bool HaveProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path ? path : "/usr/bin:/bin";
  while (true) {
    const size_t end = std::min(dirs.find(':'), dirs.size());
    std::string candidate(end == 0 ? std::string_view(".") : dirs.substr(0, end));
    candidate.push_back('/');
    candidate.append(name);
    if (access(candidate.c_str(), X_OK) == 0) return true;
    if (end == dirs.size()) return false;
    dirs.remove_prefix(end + 1);
  }
}

class XvfbServer {
 public:
  static bool installed() { return HaveProgram("Xvfb"); }

  // screen is Xvfb's -screen 0 argument: width x height x depth.
  explicit XvfbServer(const std::string& screen = "1920x1080x24") {
    if (!installed()) return;
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return;
    pid_ = fork();
    if (pid_ < 0) {
      close(ready[0]);
      close(ready[1]);
      return;
    }
    if (pid_ == 0) {
      prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive the test
      const int fd = dup(ready[1]);      // without close-on-exec, for Xvfb to write to
      const int devnull = open("/dev/null", O_RDWR);
      dup2(devnull, 0);
      dup2(devnull, 1);
      dup2(devnull, 2);
      const std::string fdText = std::to_string(fd);
      execlp("Xvfb", "Xvfb", "-displayfd", fdText.c_str(), "-screen", "0", screen.c_str(),
             "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(ready[1]);
    std::string number;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < until) {
      pollfd p{ready[0], POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buf[32];
      const ssize_t n = read(ready[0], buf, sizeof buf);
      if (n <= 0) break;  // Xvfb ended without a display
      number.append(buf, size_t(n));
      if (number.find('\n') != std::string::npos) break;
    }
    close(ready[0]);
    if (const size_t nl = number.find('\n'); nl != std::string::npos && nl > 0) {
      display_ = std::string(":").append(number, 0, nl);
    } else {
      stop();
    }
  }
  ~XvfbServer() { stop(); }
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool ok() const { return pid_ > 0 && !display_.empty(); }
  // ":N", empty when the server did not start.
  const std::string& display() const { return display_; }
  pid_t pid() const { return pid_; }

  // Ends the server at once, as a crash would; its clients lose their connection.
  void killServer() { endWith(SIGKILL); }
  void stop() { endWith(SIGTERM); }

 private:
  void endWith(int signal) {
    if (pid_ <= 0) return;
    kill(pid_, signal);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace testing_support
