#include "x11/x11_keys.h"

#include <X11/keysym.h>

namespace platform::x11 {

UINT VirtualKeyOf(KeySym sym) {
  if (sym >= XK_a && sym <= XK_z) return UINT('A' + (sym - XK_a));
  if (sym >= XK_A && sym <= XK_Z) return UINT('A' + (sym - XK_A));
  if (sym >= XK_0 && sym <= XK_9) return UINT('0' + (sym - XK_0));
  if (sym >= XK_F1 && sym <= XK_F12) return UINT(VK_F1 + (sym - XK_F1));
  if (sym >= XK_KP_0 && sym <= XK_KP_9) return UINT(0x60 + (sym - XK_KP_0));  // VK_NUMPAD0..9
  switch (sym) {
    case XK_Left:
    case XK_KP_Left:
      return VK_LEFT;
    case XK_Right:
    case XK_KP_Right:
      return VK_RIGHT;
    case XK_Up:
    case XK_KP_Up:
      return VK_UP;
    case XK_Down:
    case XK_KP_Down:
      return VK_DOWN;
    case XK_Home:
    case XK_KP_Home:
      return VK_HOME;
    case XK_End:
    case XK_KP_End:
      return VK_END;
    case XK_Prior:
    case XK_KP_Prior:
      return VK_PRIOR;
    case XK_Next:
    case XK_KP_Next:
      return VK_NEXT;
    case XK_Insert:
    case XK_KP_Insert:
      return VK_INSERT;
    case XK_Delete:
    case XK_KP_Delete:
      return VK_DELETE;
    case XK_KP_Begin:  // the keypad's 5 with Num Lock off
      return VK_CLEAR;
    case XK_Control_L:
    case XK_Control_R:
      return VK_CONTROL;
    case XK_Alt_L:
    case XK_Alt_R:
    case XK_Meta_L:
    case XK_Meta_R:
    case XK_ISO_Level3_Shift:
      return VK_MENU;
    case XK_Shift_L:
    case XK_Shift_R:
      return VK_SHIFT;
    case XK_Return:
    case XK_KP_Enter:
      return VK_RETURN;
    case XK_Escape:
      return VK_ESCAPE;
    case XK_BackSpace:
      return VK_BACK;
    case XK_Tab:
    case XK_ISO_Left_Tab:
      return VK_TAB;
    case XK_space:
    case XK_KP_Space:
      return VK_SPACE;
    case XK_Num_Lock:
      return 0x90;  // VK_NUMLOCK
    // The keys of the typewriter block beyond letters and digits, by their US layout.
    case XK_semicolon:
      return 0xBA;  // VK_OEM_1
    case XK_equal:
      return 0xBB;  // VK_OEM_PLUS
    case XK_comma:
      return 0xBC;  // VK_OEM_COMMA
    case XK_minus:
      return 0xBD;  // VK_OEM_MINUS
    case XK_period:
      return 0xBE;  // VK_OEM_PERIOD
    case XK_slash:
      return 0xBF;  // VK_OEM_2
    case XK_grave:
      return 0xC0;  // VK_OEM_3
    case XK_bracketleft:
      return 0xDB;  // VK_OEM_4
    case XK_backslash:
      return 0xDC;  // VK_OEM_5
    case XK_bracketright:
      return 0xDD;  // VK_OEM_6
    case XK_apostrophe:
      return 0xDE;  // VK_OEM_7
    case XK_less:
      return 0xE2;  // VK_OEM_102, the extra key of European keyboards
    case XK_KP_Multiply:
      return 0x6A;  // VK_MULTIPLY
    case XK_KP_Add:
      return 0x6B;  // VK_ADD
    case XK_KP_Subtract:
      return 0x6D;  // VK_SUBTRACT
    case XK_KP_Decimal:
      return 0x6E;  // VK_DECIMAL
    case XK_KP_Divide:
      return 0x6F;  // VK_DIVIDE
    default:
      return 0;
  }
}

UINT VirtualKeyOfEvent(KeySym unshifted, KeySym typed, int textLength) {
  // With Num Lock on, a keypad key types its digit and is a number key, not a cursor key.
  if (typed >= XK_KP_0 && typed <= XK_KP_9) return VirtualKeyOf(typed);
  if (const UINT vk = VirtualKeyOf(unshifted)) return vk;
  // Letters of other layouts (ä, ö, å) and other typing keys still carry their character.
  return textLength == 1 ? VK_PACKET : 0;
}

}  // namespace platform::x11
