#pragma once
// The whole picture of an in-memory window, for the stack's own tests: it hands out the
// window's pixel store as the platform keeps it, which is no part of the public test entry
// (that reads single pixels, platform/headless/headless.h).
#include "platform/headless/headless.h"
#include "surface.h"

namespace platform::headless {

// A copy of what the window shows; empty (0 x 0) when the window is gone. Must not run while
// another thread draws into the window or paints it (hold the driver's drawing lock where
// its thread may be busy).
PixelSurface Snapshot(HWND hwnd);

}  // namespace platform::headless
