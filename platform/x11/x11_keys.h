#pragma once
// Key syms of the X server as the virtual-key codes the window messages carry.
#include <X11/X.h>

#include "platform/win_types.h"

namespace platform::x11 {

// The virtual-key code of an unshifted key sym; 0 for keys that have none.
UINT VirtualKeyOf(KeySym sym);

// The virtual-key code of a key event: `unshifted` is the key's first sym, `typed` the sym
// and `textLength` the length of the text that the key types with the modifiers in force.
// 0 for keys that neither have a virtual key nor type a character.
UINT VirtualKeyOfEvent(KeySym unshifted, KeySym typed, int textLength);

}  // namespace platform::x11
