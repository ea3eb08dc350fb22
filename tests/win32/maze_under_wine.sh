#!/usr/bin/env bash
# maze.exe under Wine, as a player meets it: its window shows the maze (green frame, blue
# walls, white cells, the red dome), it prints its time lines, and 'a' ends it with 0.
#   maze_under_wine.sh MAZE.EXE SEND_KEY.EXE SCRIPTS_DIR
# MAZE.EXE is the game with its seed fixed, so that no mine ends it before 'a' does.
# Runs on the DISPLAY and in the WINEPREFIX that make test-windows set up.
set -uo pipefail
maze=$1 send_key=$2 scripts=$3
title="Graph window application"
work=$(mktemp -d)
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  echo "--- standard output:" >&2; cat "$work/out" >&2
  echo "--- standard error:" >&2; cat "$work/err" >&2
  exit 1
}

wine "$maze" >"$work/out" 2>"$work/err" </dev/null &
game=$!

# The first time line comes once the maze is drawn and play begins.
for _ in $(seq 300); do
  grep -q "Aikaa jaljella vain" "$work/out" 2>/dev/null && break
  kill -0 "$game" 2>/dev/null || fail "maze.exe ended before its first time line"
  sleep 0.1
done
grep -q "Aikaa jaljella vain60 sekuntia!!" "$work/out" || fail "no time line within 30 s"

window=$(xwininfo -root -tree | grep -F "\"$title\":" | awk '{print $1; exit}')
[ -n "$window" ] || fail "no window titled \"$title\" on the X server"
xwd -id "$window" -silent >"$work/shot.xwd" || fail "cannot take a picture of the window"
# Looked at once the game has ended; 'a' goes in at once.
wine "$send_key" "$title" a || fail "cannot type into the window"
for _ in $(seq 100); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && fail "'a' did not end the game within 10 s"
wait "$game"
code=$?
game=""
[ "$code" -eq 0 ] || fail "maze.exe ended with $code, not 0"
"$scripts/xwd-colors" "$work/shot.xwd" >"$work/colours" || fail "cannot read the picture"
count() { awk -v c="$1" '$1 == c {print $2; found = 1} END {if (!found) print 0}' "$work/colours"; }
total=$(awk '{n += $2} END {print n}' "$work/colours")
green=$(count 00A800) blue=$(count 0000A8) white=$(count FCFCFC) red=$(count A80000)
yellow=$(count FCFC54) black=$(count 000000)
echo "picture: $total pixels; green $green, blue $blue, white $white, red $red, yellow $yellow, black $black"
[ "$green" -gt $((total / 100)) ] || fail "the green frame is missing"
[ "$blue" -gt $((total / 20)) ] || fail "the blue walls are missing"
[ "$white" -gt $((total / 5)) ] || fail "the white cells are missing"
[ "$red" -gt 0 ] || fail "the red dome is missing"
# Nothing else: the game's colours and the black margin around the field.
[ $((green + blue + white + red + yellow + black)) -eq "$total" ] || fail "colours that the game does not draw"

echo "maze.exe played: window, time lines, 'a' ends it with 0"
