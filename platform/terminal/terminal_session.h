#pragma once
// The terminal while a picture is shown in it: raw input, the alternate screen, a hidden
// cursor. Whatever way the process ends (a normal end, exit(), Ctrl+C, SIGTERM, SIGHUP or a
// crash), the terminal is put back as it was before the session began. Every write to the
// terminal goes through WriteLocked under the lock from LockOutput, so that escape
// sequences from different threads never interleave.
#include <mutex>
#include <string_view>

namespace platform::terminal {

// Saves the terminal's modes, switches it to raw input and the alternate screen, and makes
// sure it is put back at exit and on fatal signals. False when inFd is not a terminal or
// a session is already running.
bool EnterSession(int inFd, int outFd);
// Puts the terminal back (idempotent) and writes the exit text (the last console lines)
// to the normal screen. A terminal that stalls, or a writer stuck in a write to it, holds
// this up only briefly: the modes are put back in any case.
void LeaveSession();
bool SessionActive();

std::unique_lock<std::mutex> LockOutput();
// Writes all of bytes to the terminal; the caller holds the output lock. False when no
// session is active or the write failed.
bool WriteLocked(std::string_view bytes);
// The text written after the terminal is put back, so the last messages stay visible.
// The caller holds the output lock.
void SetExitText(std::string_view text);

// The read end of a pipe that becomes readable when something asks the terminal's service
// thread to look at its flags: a resize, a continue after a stop, new drawing, a stop.
int WakeFd();
void Wake();  // safe from signal handlers and any thread
// Flags set by the signal handlers, each read and cleared by the service thread.
bool TakeResizeRequest();
bool TakeRedrawRequest();

// Ctrl+Z: puts the terminal back and stops the program's job (its process group), as
// Ctrl+Z does in a terminal that is not raw; on continue the session is entered again.
void SuspendJob();

// Restores the terminal from a signal handler or a crash: only async-signal-safe calls.
void RestoreFromSignal();

}  // namespace platform::terminal
