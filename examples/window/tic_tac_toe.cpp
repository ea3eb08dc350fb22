// Tic-tac-toe for two players with the mouse: X and O take turns clicking a free square, a
// line of three wins, and a full board is a draw. Any key ends the game.
#include <graphics.h>

#include <cstdlib>

namespace {

const int Cell = 100;  // the board is 3 x 3 cells, the status line below it

char board[3][3];

void DrawMark(int column, int row, char mark) {
  const int cx = column * Cell + Cell / 2, cy = row * Cell + Cell / 2, r = Cell / 2 - 15;
  setlinestyle(SOLID_LINE, 0, THICK_WIDTH);
  if (mark == 'X') {
    setcolor(LIGHTRED);
    line(cx - r, cy - r, cx + r, cy + r);
    line(cx - r, cy + r, cx + r, cy - r);
  } else {
    setcolor(LIGHTBLUE);
    circle(cx, cy, r);
  }
}

void Status(const char* text) {
  setfillstyle(SOLID_FILL, BLACK);
  bar(0, 3 * Cell + 1, getmaxx(), getmaxy());
  setcolor(WHITE);
  outtextxy(10, 3 * Cell + 15, text);
}

// The line of three that mark holds as {column, row} of its ends, or false.
bool Winner(char mark, int ends[4]) {
  static const int lines[8][6] = {{0, 0, 1, 0, 2, 0}, {0, 1, 1, 1, 2, 1}, {0, 2, 1, 2, 2, 2},
                                  {0, 0, 0, 1, 0, 2}, {1, 0, 1, 1, 1, 2}, {2, 0, 2, 1, 2, 2},
                                  {0, 0, 1, 1, 2, 2}, {2, 0, 1, 1, 0, 2}};
  for (const auto& l : lines) {
    if (board[l[1]][l[0]] == mark && board[l[3]][l[2]] == mark && board[l[5]][l[4]] == mark) {
      ends[0] = l[0], ends[1] = l[1], ends[2] = l[4], ends[3] = l[5];
      return true;
    }
  }
  return false;
}

}  // namespace

int main() {
  initwindow(3 * Cell + 1, 3 * Cell + 41, "Tic-tac-toe");
  setcolor(LIGHTGRAY);
  for (int i = 1; i < 3; ++i) {
    line(i * Cell, 0, i * Cell, 3 * Cell);
    line(0, i * Cell, 3 * Cell, i * Cell);
  }
  char turn = 'X';
  Status("X to play");
  for (int moves = 0; moves < 9;) {
    if (kbhit()) break;
    if (!ismouseclick(WM_LBUTTONDOWN)) {
      delay(10);
      continue;
    }
    int x, y;
    getmouseclick(WM_LBUTTONDOWN, x, y);
    const int column = x / Cell, row = y / Cell;
    if (column > 2 || row > 2 || board[row][column] != 0) continue;  // not a free square
    board[row][column] = turn;
    DrawMark(column, row, turn);
    ++moves;
    int ends[4];
    if (Winner(turn, ends)) {
      setcolor(YELLOW);
      line(ends[0] * Cell + Cell / 2, ends[1] * Cell + Cell / 2, ends[2] * Cell + Cell / 2,
           ends[3] * Cell + Cell / 2);
      Status(turn == 'X' ? "X wins! Any key ends the game" : "O wins! Any key ends the game");
      break;
    }
    if (moves == 9) Status("A draw. Any key ends the game");
    turn = turn == 'X' ? 'O' : 'X';
    if (moves < 9) Status(turn == 'X' ? "X to play" : "O to play");
  }
  getch();
  closegraph();
  return EXIT_SUCCESS;
}
