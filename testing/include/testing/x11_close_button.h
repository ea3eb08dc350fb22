#pragma once
// What a window manager sends when the user presses a window's close button.
#include <X11/Xlib.h>

namespace testing_support {

inline void PressCloseButton(Display* dpy, Window w) {
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = w;
  e.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = long(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, w, False, NoEventMask, &e);
  XSync(dpy, False);
}

}  // namespace testing_support
