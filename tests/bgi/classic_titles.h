#ifndef CLASSIC_TEXT_H
#define CLASSIC_TEXT_H
/* Titles in stroke fonts as a classic program draws them, compiled as C. */
#ifdef __cplusplus
extern "C" {
#endif

/* initgraph in the 640 x 480 mode with this driver path; graphresult(). */
int start_graphics_in(const char* path);
/* settextstyle; graphresult(). */
int choose_font(int font, int direction, int charsize);
/* The font gettextsettings reports. */
int font_in_use(void);
/* Clears the screen, then outtextxy in white with the justification; graphresult(). */
int draw_title(int horiz, int vert, int x, int y, const char* text);
/* settextstyle with USER_CHAR_SIZE and setusercharsize; graphresult(). */
int choose_user_size(int font, int multx, int divx, int multy, int divy);

#ifdef __cplusplus
}
#endif
#endif
