#pragma once
// Console text goes through here so that a display backend that owns the terminal can
// place it (the terminal backend keeps rows for it below the picture). Any thread.
#include <string_view>

namespace platform {

// Writes all of text to the console; false when the write failed. WriteConsole clears errno
// before it calls the writer, so a writer that fails sets errno to the reason or leaves it 0
// when the reason is not known.
using ConsoleWriter = bool (*)(std::string_view text, bool toStandardError);

// False when the write failed; errno then holds the reason, or 0 when it is not known.
bool WriteConsole(std::string_view text, bool toStandardError = false);
// nullptr restores plain writes to standard output / standard error.
void SetConsoleWriter(ConsoleWriter writer);
// Whether a writer is installed: the console's text is then placed by a display, and control
// sequences of the program's own have no place in it.
bool ConsoleHasWriter();

// Writes all of text to fd, going on after interruptions, partial writes and a full
// non-blocking descriptor. False on a real error, with errno set to it.
bool WriteAllTo(int fd, std::string_view text);

}  // namespace platform
