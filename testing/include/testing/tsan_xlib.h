#pragma once
// Include in exactly one file of a test executable that loses X servers on purpose. When
// Xlib meets a connection that died in the middle of a write, its own error path unlocks
// its display lock in a way the thread sanitizer reports as a misuse; that is inside Xlib,
// which is not built with the sanitizer, and says nothing about our locking. Everything
// else stays reported.
extern "C" const char* __tsan_default_suppressions() {
  return "mutex:libX11.so\n";
}
