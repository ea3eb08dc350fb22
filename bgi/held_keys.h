#pragma once
// The keys held in the graph window, for the Windows calls of the compatibility header,
// which cannot include the stack's own headers (they name the same things differently).

namespace bgi {

// Whether the key of this Windows virtual-key code is held now; left and right Shift
// (0xA0, 0xA1) are told apart. Any thread.
bool KeyHeldNow(int virtualKey);

}  // namespace bgi
