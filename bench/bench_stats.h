#pragma once
// Min / median / max of repeated timings, printed in one line.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

struct Timing {
  double min, median, max;
};

inline Timing Measure(int runs, const std::function<double()>& run) {
  std::vector<double> values;
  for (int i = 0; i < runs; ++i) values.push_back(run());
  std::sort(values.begin(), values.end());
  return {values.front(), values[values.size() / 2], values.back()};
}

inline double MillisecondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

inline void Print(const char* what, const char* unit, Timing t) {
  std::printf("%-44s min %9.3f  median %9.3f  max %9.3f %s\n", what, t.min, t.median, t.max, unit);
}

inline double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

// Figures handed to the process or script that prints the ratios, when BENCH_FIGURES names
// a file: lines "NAME MEDIAN" and "NAME_min MIN".
inline void Note(const std::string& name, Timing t) {
  if (const char* path = std::getenv("BENCH_FIGURES")) {
    std::ofstream(path, std::ios::app) << name << ' ' << t.median << '\n'
                                       << name << "_min " << t.min << '\n';
  }
}
