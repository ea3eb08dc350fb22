#pragma once
// The Windows desktop as the tests see it from outside the window core: real windows found
// by title, their pixels, and input as the keyboard gives it. In plain types, as the tests
// that use it also include the core's own Windows names.
#include <cstdint>
#include <string>

namespace testing_support::desktop {

using NativeHandle = uintptr_t;

NativeHandle FindWindowTitled(const std::string& title);  // 0 when there is none
bool Exists(NativeHandle window);
uint32_t OwnerThread(NativeHandle window);
uint32_t ThisThread();
// What the window shows at (x, y) of its client area, as 0x00BBGGRR.
uint32_t PixelOf(NativeHandle window, int x, int y);
// A window of the test's own covers the client area, then goes away.
void CoverAndUncover(NativeHandle window);
// Windows asks the window to paint all of its client area again.
void Invalidate(NativeHandle window);
bool MakeForeground(NativeHandle window);
// Presses (down) or releases a key, as the keyboard would.
void Key(uint16_t virtualKey, bool down);
void PostClose(NativeHandle window);

}  // namespace testing_support::desktop
