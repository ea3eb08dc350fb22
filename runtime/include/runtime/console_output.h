#pragma once
// Console output of the program: every write is flushed at once. A write that fails ends
// the program with one line on standard error and ConsoleFailureExitCode.
#include <string_view>

constexpr int ConsoleFailureExitCode = 74;

// The program's thread: a failed write ends the program from the thread that wrote.
void Write(std::string_view text);
void WriteLine(std::string_view text);
// Writes one line to standard error; failures there are ignored. Any thread.
void WriteErrorLine(std::string_view text);
// Opens each of standard input, output and error that is closed on /dev/null; standard
// output read-only, so that the first write still fails and is reported as above. Call it
// first thing in main, before anything opens a file or starts a thread.
void OpenClosedStandardStreams();
