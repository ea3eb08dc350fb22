#pragma once
// A benchmark that measures each backend in a process of its own (a process chooses its
// backend once) runs itself again as a child with the backend's environment; the child
// hands its figures back in the file that BENCH_FIGURES names (Note in bench_stats.h).
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

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
