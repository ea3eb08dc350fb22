#pragma once
// What the tests need of the system, the same on Linux and Windows.
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

namespace testing_support {

inline void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value);
#else
  setenv(name, value, 1);
#endif
}

inline void UnsetEnvironment(const char* name) {
#ifdef _WIN32
  _putenv_s(name, "");
#else
  unsetenv(name);
#endif
}

// A new empty folder of the test's own in the system's temporary folder.
inline std::filesystem::path MakeTempFolder(const std::string& prefix) {
  std::random_device random;
  for (;;) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / (prefix + std::to_string(random()));
    if (std::filesystem::create_directory(folder)) return folder;
  }
}

}  // namespace testing_support
