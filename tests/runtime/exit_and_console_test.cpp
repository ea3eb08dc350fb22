#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>
#ifdef _WIN32
#include <io.h>
#endif

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "platform/console.h"
#include "runtime/console_output.h"
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

void WriteRaw(const char* text) {
  (void)!write(STDERR_FILENO, text, strlen(text));
}

TEST(ExitChainDeathTest, HaltWhileTheProcessExitsRunsTheRestAndEndsWithItsCode) {
  // A fresh process, so that the chain registers its exit hook after the one below.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::setvbuf(stderr, nullptr, _IOFBF, BUFSIZ);
        // Registered first, so exit would run it after the chain; ending at once skips it.
        std::atexit([] { WriteRaw("later exit hook\n"); });
        displacedByFirst = ChainExitHandler([] {
          ExitProc = displacedByFirst;
          WriteRaw("older handler\n");
          std::fputs("buffered\n", stderr);
        });
        displacedBySecond = ChainExitHandler([] {
          ExitProc = displacedBySecond;
          close(STDOUT_FILENO);
          WriteLine("lost");  // fails and halts from inside exit
        });
        std::exit(0);  // as a return from main
      },
      ::testing::ExitedWithCode(ConsoleFailureExitCode),
      "Bad file descriptor.*\nolder handler\nbuffered\n$");
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

#ifndef _WIN32
// Standard output becomes a pipe whose reading end is closed, and a line is written.
void WriteIntoAPipeNobodyReads() {
  int fds[2];
  if (pipe(fds) != 0) std::exit(99);
  close(fds[0]);
  dup2(fds[1], STDOUT_FILENO);
  Write("nobody reads this");
  std::exit(0);
}

TEST(ConsoleDeathTest, BrokenPipeIsReportedNotASilentSignal) {
  EXPECT_EXIT({ WriteIntoAPipeNobodyReads(); }, ::testing::ExitedWithCode(ConsoleFailureExitCode),
              "Broken pipe");
}

void NoteSigpipe(int) {
  const char note[] = "own handler\n";
  (void)!write(STDERR_FILENO, note, sizeof note - 1);
}

TEST(ConsoleDeathTest, SigpipeHandlerOfTheProgramIsKept) {
  // A fresh process, so that no earlier write has already looked at SIGPIPE.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        std::signal(SIGPIPE, NoteSigpipe);
        WriteIntoAPipeNobodyReads();
      },
      ::testing::ExitedWithCode(ConsoleFailureExitCode), "own handler\n.*Broken pipe");
}

#endif

TEST(ConsoleDeathTest, WriterFailingWithoutAReasonGivesNoneInTheLine) {
  EXPECT_EXIT(
      {
        platform::SetConsoleWriter([](std::string_view text, bool toStandardError) {
          return toStandardError && platform::WriteAllTo(STDERR_FILENO, text);
        });
        errno = ENOENT;  // left over from something unrelated
        Write("lost");
        std::exit(0);
      },
      ::testing::ExitedWithCode(ConsoleFailureExitCode),
      "Error: writing to standard output failed; the program stops\\.");
}

#ifndef _WIN32
TEST(Console, FullNonBlockingPipeIsWaitedForNotAFailure) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(fcntl(fds[1], F_SETFL, fcntl(fds[1], F_GETFL) | O_NONBLOCK), 0);
  // Far more than a pipe holds, so the writer meets a full pipe many times.
  std::string text;
  for (int i = 0; text.size() < (1 << 20); ++i) text += std::to_string(i) + ' ';
  std::string received;
  std::thread reader([&] {
    char buffer[4096];
    for (;;) {
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      const ssize_t n = read(fds[0], buffer, sizeof buffer);
      if (n <= 0) break;
      received.append(buffer, size_t(n));
    }
  });
  const bool written = platform::WriteAllTo(fds[1], text);
  close(fds[1]);
  reader.join();
  close(fds[0]);
  EXPECT_TRUE(written);
  EXPECT_TRUE(received == text) << received.size() << " of " << text.size() << " bytes arrived";
}

#endif

TEST(Console, WritesReachStandardOutputAtOnce) {
  int fds[2];
#ifdef _WIN32
  ASSERT_EQ(_pipe(fds, 256, _O_BINARY), 0);
#else
  ASSERT_EQ(pipe(fds), 0);
#endif
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
