#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "runtime/console.h"
#include "runtime/exit_chain.h"

namespace {

ExitHandler displacedByFirst = nullptr;
ExitHandler displacedBySecond = nullptr;

void FirstHandler() {
  ExitProc = displacedByFirst;
  WriteErrorLine("first handler");
}

void SecondHandler() {
  ExitProc = displacedBySecond;
  WriteErrorLine("second handler");
}

TEST(ExitChainDeathTest, HaltRunsNewestHandlerFirstWithTheCode) {
  EXPECT_EXIT(
      {
        displacedByFirst = ChainExitHandler(FirstHandler);
        displacedBySecond = ChainExitHandler(SecondHandler);
        Halt(2);
      },
      ::testing::ExitedWithCode(2), "second handler\nfirst handler\n");
}

TEST(ExitChainDeathTest, ReturningFromMainRunsTheChainToo) {
  EXPECT_EXIT(
      {
        displacedByFirst = ChainExitHandler(FirstHandler);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "first handler");
}

TEST(ExitChainDeathTest, RunErrorReportsAndMarksTheRunTimeError) {
  EXPECT_EXIT(
      {
        displacedByFirst = ChainExitHandler([] {
          ExitProc = nullptr;
          WriteErrorLine(RunTimeErrorPending ? "pending" : "not pending");
        });
        RunError(216);
      },
      ::testing::ExitedWithCode(216), "Runtime error 216\npending");
}

TEST(ConsoleDeathTest, ClosedStandardOutputEndsWithTheConsoleFailureCode) {
  EXPECT_EXIT(
      {
        close(STDOUT_FILENO);
        WriteLine("lost");
        std::exit(0);  // not reached
      },
      ::testing::ExitedWithCode(ConsoleFailureExitCode),
      "Error: writing to standard output failed \\(Bad file descriptor\\)");
}

TEST(ConsoleDeathTest, BrokenPipeIsReportedNotASilentSignal) {
  EXPECT_EXIT(
      {
        int fds[2];
        if (pipe(fds) != 0) std::exit(99);
        close(fds[0]);
        dup2(fds[1], STDOUT_FILENO);
        Write("nobody reads this");
        std::exit(0);
      },
      ::testing::ExitedWithCode(ConsoleFailureExitCode), "Broken pipe");
}

TEST(Console, WritesReachStandardOutputAtOnce) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const int saved = dup(STDOUT_FILENO);
  dup2(fds[1], STDOUT_FILENO);
  Write("Odota");
  WriteLine(", ok");
  dup2(saved, STDOUT_FILENO);
  close(saved);
  close(fds[1]);
  char buffer[64] = {};
  const ssize_t n = read(fds[0], buffer, sizeof buffer - 1);
  close(fds[0]);
  EXPECT_EQ(std::string(buffer, size_t(n > 0 ? n : 0)), "Odota, ok\n");
}

}  // namespace
