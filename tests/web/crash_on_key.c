/* A classic program with a fault: it draws, says it waits, and at the first key writes far
   outside its memory, which stops a WebAssembly program at once. */
#include <graphics.h>
#include <stdint.h>
#include <stdio.h>

int main(void) {
  int driver = DETECT, mode = 0;
  initgraph(&driver, &mode, "");
  setfillstyle(SOLID_FILL, LIGHTGREEN);
  bar(10, 10, 110, 60);
  printf("press a key\n");
  fflush(stdout);
  getch();
  volatile int* nowhere = (volatile int*)(uintptr_t)0xFFFFFFF0u;
  *nowhere = 1;
  printf("still running\n");
  closegraph();
  return 0;
}
