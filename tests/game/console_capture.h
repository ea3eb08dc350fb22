#pragma once
// Captures what the program writes to the console.
#include <string>
#include <string_view>

#include "platform/console.h"

struct ConsoleCapture {
  static inline std::string out;
  static bool writer(std::string_view text, bool toStandardError) {
    if (!toStandardError) out += text;
    return true;
  }
  ConsoleCapture() {
    out.clear();
    platform::SetConsoleWriter(writer);
  }
  ~ConsoleCapture() { platform::SetConsoleWriter(nullptr); }
};
