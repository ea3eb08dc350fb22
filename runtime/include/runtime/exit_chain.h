#pragma once
// The exit-handler chain: each service puts its handler in ExitProc at start-up, keeping the
// one it displaced; at program end the runtime calls ExitProc until it is empty, so the
// newest handler runs first and each handler puts back the one it displaced before its own
// tear-down.
//
// Threads: the chain and Halt are the program's thread's. A handler runs on the thread that
// ends the program (normally the program's, through Halt or the return from main).
#include <cstdint>

using ExitHandler = void (*)();

extern ExitHandler ExitProc;
extern int32_t ExitCode;
extern bool RunTimeErrorPending;  // the program is ending through a run-time error

// Installs handler as ExitProc and returns the handler it displaced.
ExitHandler ChainExitHandler(ExitHandler handler);

// Runs the exit handlers, flushes the console and ends the process with code. Called from a
// handler while the process exits, it runs the rest of the chain, flushes the C streams and
// ends at once, without the process's later exit hooks.
[[noreturn]] void Halt(int32_t code);
// Ends the program through a run-time error: "Runtime error N" on standard error, code N.
[[noreturn]] void RunError(int32_t code);
