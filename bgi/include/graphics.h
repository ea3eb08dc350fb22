/* The classic BGI-style C interface to the graphics stack: lower-case routines, constants and
 * types as BGI programs expect them, usable from C and from C++.
 *
 *   #include <graphics.h>
 *   int gd = DETECT, gm;
 *   initgraph(&gd, &gm, "");
 *   if (graphresult() != grOk) return 1;
 *   circle(100, 100, 50);
 *   getch();
 *   closegraph();
 *
 * Build: cc prog.c $(pkg-config --cflags --libs bgigraph)
 *
 * What differs from a 16-bit BGI:
 * - Coordinates are taken as int and clamped to -32768..32767, the range the graphics layer
 *   draws in, so a far-off point stays far off instead of wrapping onto the screen. Numbers
 *   that the layer takes as 16-bit words (colours, styles, fonts) and that do not fit one
 *   become 0xFFFF, which no setting accepts: the call then reports grError.
 * - Drivers: DETECT picks VGA with VGAHI, a window of 640 x 480 pixels in 16 colours, as
 *   detectgraph reports; on a screen too small for it, the largest window-sized 256-colour
 *   mode. VGA with VGALO, VGAMED or VGAHI gives a window of 640 x 200, 640 x 350 or
 *   640 x 480 pixels in 16 colours. Driver 10 holds the other window modes, and driver numbers
 *   13 (16 colours) and 15 (256 colours) choose a mode by colour depth. The other classic
 *   drivers have no modes here: initgraph reports grInvalidMode for them.
 * - The palette works as on the hardware: setbkcolor, setpalette, setallpalette and
 *   setrgbpalette recolour what is already on the screen, while getpixel returns colour
 *   numbers. Every window has two pages (setactivepage, setvisualpage; others are grError),
 *   and getimage keeps colour numbers.
 * - initgraph starts the window driver and the key buffer the first time it is called; getch
 *   and kbhit read the keys typed into the graph window.
 * - Threads: every routine runs on the program's thread, the one that calls initgraph.
 * - A C++ source may include this header beside the layer's own C++ headers: the result
 *   codes (grOk, ...), the one set of names both offer, are one definition that both take
 *   from graph/result_codes.h.
 */
#ifndef BGIGRAPH_GRAPHICS_H
#define BGIGRAPH_GRAPHICS_H

#include <limits.h>
#include <stddef.h>

#include "classic_colors.h"
#include "graph/result_codes.h"

#ifdef __cplusplus
extern "C" {
#endif

enum graphics_drivers {
  CURRENT_DRIVER = -1,
  DETECT = 0,
  CGA = 1,
  MCGA = 2,
  EGA = 3,
  EGA64 = 4,
  EGAMONO = 5,
  IBM8514 = 6,
  HERCMONO = 7,
  ATT400 = 8,
  VGA = 9
};

enum graphics_modes { VGALO = 0, VGAMED = 1, VGAHI = 2 };

/* Hardware colour numbers for setpalette and struct palettetype: bits 0 to 2 add two thirds
 * of blue, green and red, bits 3 to 5 one third. */
enum EGA_COLORS {
  EGA_BLACK = 0,
  EGA_BLUE = 1,
  EGA_GREEN = 2,
  EGA_CYAN = 3,
  EGA_RED = 4,
  EGA_MAGENTA = 5,
  EGA_LIGHTGRAY = 7,
  EGA_BROWN = 20,
  EGA_DARKGRAY = 56,
  EGA_LIGHTBLUE = 57,
  EGA_LIGHTGREEN = 58,
  EGA_LIGHTCYAN = 59,
  EGA_LIGHTRED = 60,
  EGA_LIGHTMAGENTA = 61,
  EGA_YELLOW = 62,
  EGA_WHITE = 63
};

enum line_styles { SOLID_LINE, DOTTED_LINE, CENTER_LINE, DASHED_LINE, USERBIT_LINE };
enum line_widths { NORM_WIDTH = 1, THICK_WIDTH = 3 };

enum fill_patterns {
  EMPTY_FILL,
  SOLID_FILL,
  LINE_FILL,
  LTSLASH_FILL,
  SLASH_FILL,
  BKSLASH_FILL,
  LTBKSLASH_FILL,
  HATCH_FILL,
  XHATCH_FILL,
  INTERLEAVE_FILL,
  WIDE_DOT_FILL,
  CLOSE_DOT_FILL,
  USER_FILL
};

enum putimage_ops { COPY_PUT, XOR_PUT, OR_PUT, AND_PUT, NOT_PUT };

enum font_names {
  DEFAULT_FONT,
  TRIPLEX_FONT,
  SMALL_FONT,
  SANS_SERIF_FONT,
  GOTHIC_FONT,
  SCRIPT_FONT,
  SIMPLEX_FONT,
  TRIPLEX_SCR_FONT,
  COMPLEX_FONT,
  EUROPEAN_FONT,
  BOLD_FONT
};

#define HORIZ_DIR 0
#define VERT_DIR 1
#define USER_CHAR_SIZE 0

enum text_just { LEFT_TEXT = 0, CENTER_TEXT = 1, RIGHT_TEXT = 2, BOTTOM_TEXT = 0, TOP_TEXT = 2 };

#define MAXCOLORS 15

struct palettetype {
  unsigned char size;
  signed char colors[MAXCOLORS + 1];
};
struct linesettingstype {
  int linestyle;
  unsigned upattern;
  int thickness;
};
struct textsettingstype {
  int font;
  int direction;
  int charsize;
  int horiz;
  int vert;
};
struct fillsettingstype {
  int pattern;
  int color;
};
struct pointtype {
  int x, y;
};
struct viewporttype {
  int left, top, right, bottom;
  int clip;
};
struct arccoordstype {
  int x, y;
  int xstart, ystart, xend, yend;
};

/* Start and end of graphics mode. */
void initgraph(int* graphdriver, int* graphmode, const char* pathtodriver);
void detectgraph(int* graphdriver, int* graphmode);
void closegraph(void);
void setgraphmode(int mode);
void restorecrtmode(void);
int getgraphmode(void);
int getmaxmode(void);
void getmoderange(int graphdriver, int* lomode, int* himode);
char* getdrivername(void);
char* getmodename(int mode_number);
int graphresult(void);
/* The text stays valid until the next call. */
char* grapherrormsg(int errorcode);
void graphdefaults(void);
int installuserfont(const char* name);
int registerbgifont(const void* font);

/* Screen, viewport and pages. */
int getmaxx(void);
int getmaxy(void);
void getaspectratio(int* xasp, int* yasp);
void setaspectratio(int xasp, int yasp);
void setviewport(int left, int top, int right, int bottom, int clip);
void getviewsettings(struct viewporttype* viewport);
void clearviewport(void);
void cleardevice(void);
void setactivepage(int page);
void setvisualpage(int page);

/* Colours and palette. */
void setcolor(int color);
int getcolor(void);
int getmaxcolor(void);
void setbkcolor(int color);
int getbkcolor(void);
void setpalette(int colornum, int color);
void setallpalette(const struct palettetype* palette);
void getpalette(struct palettetype* palette);
struct palettetype* getdefaultpalette(void);
int getpalettesize(void);
void setrgbpalette(int colornum, int red, int green, int blue);

/* Pixels, lines and the current position. */
void putpixel(int x, int y, int color);
unsigned getpixel(int x, int y);
void setwritemode(int mode);
void setlinestyle(int linestyle, unsigned upattern, int thickness);
void getlinesettings(struct linesettingstype* lineinfo);
void line(int x1, int y1, int x2, int y2);
void linerel(int dx, int dy);
void lineto(int x, int y);
void moverel(int dx, int dy);
void moveto(int x, int y);
int getx(void);
int gety(void);

/* Outlines; angles in degrees, counter-clockwise from three o'clock. */
void rectangle(int left, int top, int right, int bottom);
void circle(int x, int y, int radius);
void arc(int x, int y, int stangle, int endangle, int radius);
void ellipse(int x, int y, int stangle, int endangle, int xradius, int yradius);
void getarccoords(struct arccoordstype* arccoords);
void drawpoly(int numpoints, const int* polypoints);

/* Fills. */
void setfillstyle(int pattern, int color);
void setfillpattern(const char* upattern, int color);
void getfillsettings(struct fillsettingstype* fillinfo);
void getfillpattern(char* pattern);
void bar(int left, int top, int right, int bottom);
void bar3d(int left, int top, int right, int bottom, int depth, int topflag);
void fillellipse(int x, int y, int xradius, int yradius);
void pieslice(int x, int y, int stangle, int endangle, int radius);
void sector(int x, int y, int stangle, int endangle, int xradius, int yradius);
void fillpoly(int numpoints, const int* polypoints);
void floodfill(int x, int y, int border);

/* Images. */
unsigned imagesize(int left, int top, int right, int bottom);
void getimage(int left, int top, int right, int bottom, void* bitmap);
void putimage(int left, int top, const void* bitmap, int op);

/* Text. */
void settextstyle(int font, int direction, int charsize);
void settextjustify(int horiz, int vert);
void setusercharsize(int multx, int divx, int multy, int divy);
void gettextsettings(struct textsettingstype* texttypeinfo);
void outtext(const char* textstring);
void outtextxy(int x, int y, const char* textstring);
int textheight(const char* textstring);
int textwidth(const char* textstring);

/* Keys, and waiting. In graphics mode getch and kbhit read the keys typed into the graph
 * window; a key without a character (arrows, Home, F1 ...) arrives as 0 followed by its scan
 * code. Its close button ends the program (see initwindow). Once that window is gone
 * otherwise (its display lost) and no key is waiting, kbhit reports a key and getch returns
 * 27 (Escape), so that a program waiting for a key ends instead of waiting for ever. Before
 * initgraph and after closegraph they read the terminal the program was started from (conio.h says
 * how). The same declarations are in conio.h and dos.h. */
int getch(void);
int kbhit(void);
void delay(unsigned milliseconds);

/* True colours and image files.
 *
 * Every routine that takes a colour (setcolor, setbkcolor, setfillstyle, setfillpattern,
 * putpixel, floodfill's border) takes a colour number or a COLOR(r, g, b) value, which is
 * drawn as that exact RGB value in every mode, whatever the palette does later. A COLOR
 * value has bit 24 set and holds red in bits 0-7, green in 8-15 and blue in 16-23, so it
 * never equals a colour number. getcolor, getbkcolor and getfillsettings give back what was
 * set. getpixel gives the colour number of a pixel drawn in one, and the COLOR value of a
 * pixel drawn in a true colour; getimage and putimage keep true colours exactly. After
 * setbkcolor(COLOR(...)) palette entry 0 takes that colour, as with a colour number, and
 * clearing uses the exact value. With XOR_PUT and the other write modes a true colour
 * combines with what is there by its RGB value.
 *
 * readimagefile draws a BMP, PNG, JPEG or GIF file (a GIF's first frame) scaled into the
 * rectangle from (left, top) to (right, bottom), viewport-relative and clipped as putimage
 * is; a right or bottom of INT_MAX means the image's own width or height from left or top.
 * writeimagefile writes the rectangle of what the window shows, in window coordinates and
 * clipped to the window, as a PNG when the name ends in ".png" (in any case), else as a
 * BMP. A file that is missing, unreadable or not such an image, a side above 16384 pixels,
 * a null name (there is no file dialog) or a file that cannot be written: graphresult
 * reports grError and nothing is drawn or written. */
#define COLOR(r, g, b) (0x01000000 | ((r)&0xFF) | (((g)&0xFF) << 8) | (((b)&0xFF) << 16))
#define RED_VALUE(v) ((int)((unsigned)(v)&0xFF))
#define GREEN_VALUE(v) ((int)(((unsigned)(v) >> 8) & 0xFF))
#define BLUE_VALUE(v) ((int)(((unsigned)(v) >> 16) & 0xFF))
/* A colour number of the 16 basic colours, BLACK to WHITE. */
#define IS_BGI_COLOR(v) ((unsigned)(v) <= MAXCOLORS)
#define IS_RGB_COLOR(v) (((unsigned)(v)&0x01000000u) != 0)

/* A colour as a COLOR value: a colour number's current palette entry, a COLOR value as it
 * is. */
int converttorgb(int color);

#ifdef __cplusplus
void readimagefile(const char* file = NULL, int left = 0, int top = 0, int right = INT_MAX,
                   int bottom = INT_MAX);
void writeimagefile(const char* file = NULL, int left = 0, int top = 0, int right = INT_MAX,
                    int bottom = INT_MAX);
#else
void readimagefile(const char* file, int left, int top, int right, int bottom);
void writeimagefile(const char* file, int left, int top, int right, int bottom);
#endif

/* Mouse clicks and keys of the newer Windows BGI-style library.
 *
 * Each kind of mouse message below has its own queue of the events not yet taken, with the
 * position where each happened in window coordinates; a queue keeps the newest 64 (the
 * oldest go first), enough for every click between two looks of a program that is busy for
 * a second, while a kind that is never read (moves) costs little. ismouseclick says whether
 * one waits, getmouseclick takes the oldest (NO_CLICK in both coordinates when none waits),
 * clearmouseclick empties the queue; mousex and mousey give the pointer's last position in
 * the window. registermousehandler(kind, handler) has handler(x, y) called for each later
 * event of that kind, on the program's thread, at its next call of getch, kbhit, delay or
 * a mouse routine (and while getch waits); the event is queued as well. A handler of 0
 * removes it. Kinds out of range are ignored. Double clicks come where the display reports
 * them (Windows); on X11 and in a terminal a second click is a second button-down.
 *
 * Keys without a character arrive from getch as 0 and then one of the KEY_ codes below;
 * KEY_CENTER is the keypad's 5 with Num Lock off. */
#ifndef WM_MOUSEMOVE
#define WM_MOUSEMOVE 0x0200
#endif
#ifndef WM_LBUTTONDOWN
#define WM_LBUTTONDOWN 0x0201
#endif
#ifndef WM_LBUTTONUP
#define WM_LBUTTONUP 0x0202
#endif
#ifndef WM_LBUTTONDBLCLK
#define WM_LBUTTONDBLCLK 0x0203
#endif
#ifndef WM_RBUTTONDOWN
#define WM_RBUTTONDOWN 0x0204
#endif
#ifndef WM_RBUTTONUP
#define WM_RBUTTONUP 0x0205
#endif
#ifndef WM_RBUTTONDBLCLK
#define WM_RBUTTONDBLCLK 0x0206
#endif
#ifndef WM_MBUTTONDOWN
#define WM_MBUTTONDOWN 0x0207
#endif
#ifndef WM_MBUTTONUP
#define WM_MBUTTONUP 0x0208
#endif
#ifndef WM_MBUTTONDBLCLK
#define WM_MBUTTONDBLCLK 0x0209
#endif
#define NO_CLICK (-1)

enum classic_keys {
  KEY_HOME = 71,
  KEY_UP = 72,
  KEY_PGUP = 73,
  KEY_LEFT = 75,
  KEY_CENTER = 76,
  KEY_RIGHT = 77,
  KEY_END = 79,
  KEY_DOWN = 80,
  KEY_PGDN = 81,
  KEY_INSERT = 82,
  KEY_DELETE = 83,
  KEY_F1 = 59,
  KEY_F2 = 60,
  KEY_F3 = 61,
  KEY_F4 = 62,
  KEY_F5 = 63,
  KEY_F6 = 64,
  KEY_F7 = 65,
  KEY_F8 = 66,
  KEY_F9 = 67
};

int ismouseclick(int kind);
/* In C++ also with references, below. The pointer form is the one the library holds, so
 * that C and C++ sources of one program share it; either pointer may be 0. */
void getmouseclick(int kind, int* x, int* y);
void clearmouseclick(int kind);
int mousex(void);
int mousey(void);
void registermousehandler(int kind, void (*handler)(int x, int y));

#ifdef __cplusplus
}
inline void getmouseclick(int kind, int& x, int& y) {
  getmouseclick(kind, &x, &y);
}
extern "C" {
#endif

/* Windows as the newer Windows BGI-style library opens them. One window is open at a time:
 * initwindow after initgraph or another initwindow closes the open window first, and its
 * number is the one setcurrentwindow accepts (another is grError). initwindow opens a
 * window of 16 colours whose drawing area is width x height pixels, at (left, top) on the
 * screen where the desktop allows, and returns its number (-1 and grError when it cannot).
 * Its 16 colours keep their RGB values (BLACK stays black): setbkcolor chooses the colour
 * that cleardevice, clearviewport and empty fills use and leaves the screen as it is. With
 * dbflag drawing goes to page 1 while page 0 is shown, and swapbuffers shows
 * the page drawn on and makes the other one active. With closeflag the window's close
 * button ends the program with exit code 0 (initgraph's windows do so too); without it the
 * close button does nothing and the program decides. getwindowwidth and getwindowheight
 * count the frame and caption, getmaxwidth and getmaxheight are the screen's. */
#ifdef __cplusplus
int initwindow(int width, int height, const char* title = "Graphics window", int left = 0,
               int top = 0, bool dbflag = false, bool closeflag = true);
#else
int initwindow(int width, int height, const char* title, int left, int top, _Bool dbflag,
               _Bool closeflag);
#endif
int getcurrentwindow(void);
void setcurrentwindow(int window);
int getwindowwidth(void);
int getwindowheight(void);
int getmaxwidth(void);
int getmaxheight(void);
void swapbuffers(void);
int getactivepage(void);
int getvisualpage(void);

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
/* The text routines for programs that hand them (or declare them with) char*. */
void outtext(char* textstring);
void outtextxy(int x, int y, char* textstring);
int textheight(char* textstring);
int textwidth(char* textstring);
int initwindow(int width, int height, char* title, int left = 0, int top = 0, bool dbflag = false,
               bool closeflag = true);
#endif

#endif
