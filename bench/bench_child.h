#pragma once
// A benchmark that measures each backend in a process of its own (a process chooses its
// backend once) runs itself again as a child with the backend's environment; the child
// hands its figures back in the file that BENCH_FIGURES names (Note in bench_stats.h).
// Linux only.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "testing/xvfb_server.h"

// Runs this program with "--child" and env added to its environment; its exit code.
inline int RunChildWith(const std::vector<std::string>& env) {
  const pid_t pid = fork();
  if (pid == 0) {
    for (const std::string& e : env) putenv(const_cast<char*>(e.c_str()));
    execl("/proc/self/exe", "bench", "--child", nullptr);
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// The figures the children noted: name to value.
inline std::map<std::string, double> ReadFigures(const std::string& path) {
  std::map<std::string, double> figures;
  std::ifstream in(path);
  std::string name;
  double value;
  while (in >> name >> value) figures[name] = value;
  return figures;
}

// Runs the child on the in-memory display, then on a private Xvfb of 1920 x 1080 x 24 when
// Xvfb is installed, saying which before each; the figures they noted. failed is set when a
// child failed or Xvfb did not start.
inline std::map<std::string, double> MeasureOnEachBackend(bool& failed) {
  char figuresPath[] = "/tmp/bench_figures_XXXXXX";
  const int fd = mkstemp(figuresPath);
  if (fd < 0) {
    failed = true;
    return {};
  }
  close(fd);
  const std::string figuresEnv = std::string("BENCH_FIGURES=") + figuresPath;
  std::puts("headless backend:");
  std::fflush(stdout);
  failed = RunChildWith({"GRAPHWIN_BACKEND=headless", figuresEnv}) != 0;
  if (!testing_support::HaveProgram("Xvfb")) {
    std::puts("X11 backend: Xvfb is not installed; not measured");
  } else if (testing_support::XvfbServer server("1920x1080x24"); !server.ok()) {
    std::puts("X11 backend: Xvfb did not start; not measured");
    failed = true;
  } else {
    std::printf("X11 backend on Xvfb %s (1920 x 1080 x 24):\n", server.display().c_str());
    std::fflush(stdout);
    if (RunChildWith({"GRAPHWIN_BACKEND=x11", "DISPLAY=" + server.display(), figuresEnv}) != 0)
      failed = true;
  }
  std::map<std::string, double> figures = ReadFigures(figuresPath);
  unlink(figuresPath);
  return figures;
}
