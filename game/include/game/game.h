#pragma once
// The game's start-up, its turns and its endings.
#include <cstdint>

extern bool escaped;
extern bool quit;

constexpr int32_t WaitCount = 20000000;  // longest wait for a key in one turn, in passes
constexpr double TimeFactor = 100000;    // days to counts of 0.864 seconds
constexpr int16_t TimeLimit = 60;

void StartGame();
void MoveDome(int8_t dx, int8_t dy);
void CheckEscape();
void ShowWallMessage();
// A duration in days as elapsed counts, truncated toward zero. A clock jump beyond the
// 16-bit range keeps its sign instead of wrapping: a jump forward still explodes.
int16_t ElapsedCounts(double days);
// Prints the time line for elapsed counts; past the limit the maze explodes.
void ShowTimeLeft(int16_t elapsed);
// Acts on one character read from the key buffer.
void HandleKey(uint8_t c);
// The driver's word, from its message thread, that the display is gone: the game ends at
// its next look, with one line on standard error and exit code 1.
void NoteDisplayLost(const char* displayName);
constexpr int32_t DisplayLostExitCode = 1;
// Start-up, play and the ending; returns the exit code of a game that did not explode.
int RunMazeGame();
