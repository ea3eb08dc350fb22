// Preloaded into the game by the end-to-end tests: CLOCK_BOOTTIME, the clock behind the
// game's seed, reads FIXED_BOOT_MS milliseconds when that is set, so that each test plays
// a maze it knows. Every other clock is left alone.
#include <dlfcn.h>
#include <time.h>

#include <cstdlib>

namespace {

using ClockGetTime = int (*)(clockid_t, timespec*);

long long FixedBootMs() {
  static const long long ms = [] {
    const char* v = std::getenv("FIXED_BOOT_MS");
    return v ? std::atoll(v) : -1;
  }();
  return ms;
}

}  // namespace

extern "C" int clock_gettime(clockid_t clock, timespec* ts) {
  if (clock == CLOCK_BOOTTIME && FixedBootMs() >= 0) {
    ts->tv_sec = time_t(FixedBootMs() / 1000);
    ts->tv_nsec = long(FixedBootMs() % 1000) * 1000000L;
    return 0;
  }
  static const auto next = reinterpret_cast<ClockGetTime>(dlsym(RTLD_NEXT, "clock_gettime"));
  return next(clock, ts);
}
