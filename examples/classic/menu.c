/* A text menu in the console, the classic way: clrscr, gotoxy, textcolor and cprintf draw
 * it, getch takes the choice, and each choice opens the graphics screen for one picture. */
#include <conio.h>
#include <graphics.h>
#include <stdio.h>

static void frame(int left, int top, int width, int height) {
  int i;
  gotoxy(left, top);
  putch('+');
  for (i = 0; i < width - 2; i++) putch('-');
  putch('+');
  for (i = 1; i < height - 1; i++) {
    gotoxy(left, top + i);
    putch('|');
    gotoxy(left + width - 1, top + i);
    putch('|');
  }
  gotoxy(left, top + height - 1);
  putch('+');
  for (i = 0; i < width - 2; i++) putch('-');
  putch('+');
}

static void show_menu(void) {
  textbackground(BLACK);
  clrscr();
  textcolor(LIGHTCYAN);
  frame(20, 3, 40, 9);
  gotoxy(30, 4);
  textcolor(YELLOW);
  cprintf("PICTURE MENU");
  textcolor(WHITE);
  gotoxy(24, 6);
  cprintf("1. Circles");
  gotoxy(24, 7);
  cprintf("2. Bars");
  gotoxy(24, 8);
  cprintf("Q. Quit");
  gotoxy(24, 10);
  textcolor(LIGHTGRAY);
  cprintf("Your choice: ");
}

static void picture(int choice) {
  int gd = DETECT, gm, i;
  initgraph(&gd, &gm, "C:\\TC\\BGI");
  if (graphresult() != grOk) {
    printf("Graphics error: %s\n", grapherrormsg(graphresult()));
    return;
  }
  for (i = 1; i <= 15; i++) {
    setcolor(i);
    setfillstyle(SOLID_FILL, i);
    if (choice == '1') {
      circle(getmaxx() / 2, getmaxy() / 2, i * 15);
    } else {
      bar(i * 38, getmaxy() - i * 28, i * 38 + 30, getmaxy() - 10);
    }
  }
  setcolor(WHITE);
  outtextxy(10, 10, "Press a key to return to the menu");
  getch();
  closegraph();
}

int main(void) {
  int key;
  do {
    show_menu();
    key = getch();
    putch(key);
    if (key == '1' || key == '2') picture(key);
  } while (key != 'q' && key != 'Q' && key != 27);
  normvideo();
  clrscr();
  cputs("Goodbye.\r\n");
  return 0;
}
