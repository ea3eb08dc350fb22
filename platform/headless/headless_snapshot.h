#pragma once
// The whole picture of an in-memory window, for the stack's own tests: it hands out the
// window's pixel store as the platform keeps it, which is no part of the public test entry
// (that reads single pixels, platform/headless/headless.h).
#include "platform/headless/headless.h"
#include "surface.h"

namespace platform::headless {

// A copy of what the window shows (what was drawn and presented, as Pixel reads it); empty
// (0 x 0) when the window is gone. Takes the surface's drawing lock, so it may run beside
// the drawing.
PixelSurface Snapshot(HWND hwnd);

}  // namespace platform::headless
