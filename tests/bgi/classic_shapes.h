#ifndef CLASSIC_SHAPES_H
#define CLASSIC_SHAPES_H
/* Pieces of a classic BGI program that draw with the layer's shape routines, compiled as C. */
#ifdef __cplusplus
extern "C" {
#endif

/* In the 640 x 480 mode: a white circle of radius 20 at (100, 100) flood-filled red, and
 * the square (78, 78)..(122, 122) around it copied with getimage and putimage to (300, 300).
 * Returns imagesize of that square. */
unsigned draw_filled_circle_and_copy(void);
/* The settings as the query routines report them after setting them, flattened into nine
 * numbers: viewport (5), line style and thickness, fill pattern and colour. */
void settings_after_setting(int* numbers);
int circle_of_negative_radius(void); /* graphresult() after it */
const char* error_message(int code);
int register_font(const void* font); /* registerbgifont, then settextstyle; graphresult() */

#ifdef __cplusplus
}
#endif
#endif
