#pragma once
// Key syms of the X server as the virtual-key codes the window messages carry.
#include <X11/X.h>

#include "platform/win_types.h"

namespace platform::x11 {

// The virtual-key code of an unshifted key sym; 0 for keys that have none.
UINT VirtualKeyOf(KeySym sym);

}  // namespace platform::x11
