#include "x11/cache_lines.h"

#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace platform::x11 {
namespace {

constexpr uintptr_t LineSize = 64;

#if defined(__x86_64__) || defined(__i386__)
// clflushopt drops lines without waiting for the one before; clflush, on every x86-64,
// orders them.
__attribute__((target("clflushopt"))) void DropUnordered(uintptr_t from, uintptr_t to) {
  for (uintptr_t line = from; line < to; line += LineSize)
    _mm_clflushopt(reinterpret_cast<void*>(line));
}

void DropOrdered(uintptr_t from, uintptr_t to) {
  for (uintptr_t line = from; line < to; line += LineSize)
    _mm_clflush(reinterpret_cast<void*>(line));
}
#endif

}  // namespace

void DropFromCaches(const void* begin, size_t bytes) {
#if defined(__x86_64__) || defined(__i386__)
  static const bool unordered = __builtin_cpu_supports("clflushopt");
  const uintptr_t from = reinterpret_cast<uintptr_t>(begin) & ~(LineSize - 1);
  const uintptr_t to = reinterpret_cast<uintptr_t>(begin) + bytes;
  if (unordered) {
    DropUnordered(from, to);
  } else {
    DropOrdered(from, to);
  }
#else
  (void)begin, (void)bytes;
#endif
}

}  // namespace platform::x11
