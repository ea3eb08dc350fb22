#include "runtime/exit_chain.h"

#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>

#include "runtime/console_output.h"

ExitHandler ExitProc = nullptr;
int32_t ExitCode = 0;
bool RunTimeErrorPending = false;

namespace {

// Newest first; each handler puts back the one it displaced, so this ends when the
// oldest has run.
void RunExitHandlers() {
  while (ExitHandler handler = ExitProc) {
    ExitProc = nullptr;
    handler();
  }
}

// Set once the process's exit runs the chain; calling exit again from then on is undefined.
std::atomic<bool> exiting{false};

void RunExitHandlersWhileExiting() {
  exiting = true;
  RunExitHandlers();
}

}  // namespace

ExitHandler ChainExitHandler(ExitHandler handler) {
  // A program that simply returns from main runs the chain too.
  static std::once_flag once;
  std::call_once(once, [] { std::atexit(RunExitHandlersWhileExiting); });
  ExitHandler displaced = ExitProc;
  ExitProc = handler;
  return displaced;
}

void Halt(int32_t code) {
  ExitCode = code;
  RunExitHandlers();
  if (exiting) {
    // A handler halted while exit runs the chain: the rest of the chain has run, so flush
    // what exit would have flushed and end here with the code.
    std::fflush(nullptr);
    _exit(code);
  }
  std::exit(code);
}

void RunError(int32_t code) {
  RunTimeErrorPending = true;
  WriteErrorLine("Runtime error " + std::to_string(code));
  Halt(code);
}
