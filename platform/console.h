#pragma once
// Console text goes through here so that a display backend that owns the terminal can
// place it (the terminal backend keeps rows for it below the picture).
#include <string_view>

namespace platform {

// Writes all of text to the console; false when the write failed.
using ConsoleWriter = bool (*)(std::string_view text, bool toStandardError);

bool WriteConsole(std::string_view text, bool toStandardError = false);
// nullptr restores plain writes to standard output / standard error.
void SetConsoleWriter(ConsoleWriter writer);

// Writes all of text to fd, going on after interruptions and partial writes.
bool WriteAllTo(int fd, std::string_view text);

}  // namespace platform
