/* The few Windows calls that graphics programs written for Windows make beside graphics.h,
 * for building them unchanged on other systems; on Windows the system's own <windows.h> is
 * used instead. Any other Windows call stays a compile error, as it should: there is no
 * Windows under it.
 * - Sleep waits the milliseconds; GetTickCount counts milliseconds from an arbitrary start.
 * - Beep waits the duration silently: there is no PC speaker to sound.
 * - GetAsyncKeyState tells about the keys typed into the graph window: bit 15 is set while
 *   the key is held there (a negative result), otherwise 0. The mouse buttons are not
 *   keys here: their codes are left out, so a program asking for them does not build.
 * It is for programs on graphics.h: the stack's own C++ headers (platform/win_types.h) name
 * some of the same types and codes in their own way. */
#ifndef BGIGRAPH_COMPAT_WINDOWS_H
#define BGIGRAPH_COMPAT_WINDOWS_H

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned long DWORD;
typedef short SHORT;
typedef int BOOL;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

void Sleep(DWORD milliseconds);
BOOL Beep(DWORD frequency, DWORD duration);
DWORD GetTickCount(void);
SHORT GetAsyncKeyState(int vKey);

/* Virtual-key codes; letters and digits are their upper-case characters ('A', '0'). */
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1

#ifdef __cplusplus
}
#endif

#endif
