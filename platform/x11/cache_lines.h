#pragma once
// Memory that another processor has read, dropped from every cache.
//
// The X server copies a window's shared framebuffer on its own processor, and the lines it
// read stay in that processor's cache. The drawing's next store to such a line must first
// have that copy dropped, which on a machine of two processors made the next maze drawn
// right after one was shown take twice as long as on the in-memory display (see
// bench_drawing). Dropped once the server is done with them, the lines cost the drawing an
// ordinary miss instead.
#include <cstddef>

namespace platform::x11 {

// Writes back the cache lines of [begin, begin + bytes) and drops them from every
// processor's cache. Only a matter of speed: nothing where the processor cannot.
void DropFromCaches(const void* begin, size_t bytes);

}  // namespace platform::x11
