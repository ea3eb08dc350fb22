#!/usr/bin/env bash
# Plays the classic examples (examples/classic/) on the in-memory display as a user would:
# keys typed into their windows (GRAPHWIN_HEADLESS_KEYS), a choice typed on standard input
# before the graphics start, and then looks at what they printed and at their last picture
# (GRAPHWIN_HEADLESS_SAVE).
#   classic_examples.sh BIN_DIR [RUNNER]
# BIN_DIR holds the programs (with SUFFIX, e.g. .exe, from the environment); RUNNER, e.g.
# wine, runs each of them.
set -uo pipefail
bin=$(cd "$1" && pwd)
runner=${2:-}
suffix=${SUFFIX:-}
source "$(dirname "$0")/run_headless.sh"

# play PROGRAM KEYS STDIN: runs it; false (and says why) when it did not end well. Then
# looks at its last picture for the questions in $questions (X,Y or RRGGBB).
play() {
  run_headless "$@" || return 1
  local picture=$work/$program.ppm
  # Every question about the picture in one look: its size, and what the checks ask.
  local answers
  mapfile -t answers < <("$python" "$here/picture_colors.py" "$picture" size $questions)
  answer=()
  local i=0 question
  for question in size $questions; do
    answer[$question]=${answers[$i]:-}
    i=$((i + 1))
  done
  [ "${answer[size]}" = 640x480 ] ||
    { fail "its window was ${answer[size]}, not the classic 640x480"; return 1; }
}
declare -A answer
# The colour at X,Y or the count of a colour, as the last play looked at them.
at() { echo "${answer[$1]}"; }
count() { echo "${answer[$1]}"; }

# The menu: "1" and "2" chosen in the console, a key in each picture, then "q".
questions="FCFCFC"
if play menu "wait:300 Enter wait:300 Enter" "12q"; then
  grep -q "PICTURE MENU" "$work/out" || fail "no menu on standard output"
  grep -q "Goodbye." "$work/out" || fail "did not say goodbye"
  ! grep -q $'\x1b' "$work/out" || fail "escape sequences in output that is not a terminal"
  [ "$(grep -c "Your choice" "$work/out")" -eq 3 ] || fail "the menu did not come back twice"
  [ "$(count FCFCFC)" -gt 100 ] || fail "the last picture, bars, has no white"
fi

# The game loop: each arrow moves the square one step; the count and place are printed.
questions="330,250 54FC54"
if play bioskey_game "Right Right Down Space Left Esc"; then
  grep -q "^6 keys, the square ended at 320,240$" "$work/out" ||
    fail "the keys did not move the square as bioskey gave them"
  [ "$(at 330,250)" = FCFC54 ] || fail "the square is not yellow where it ended"
  [ "$(count 54FC54)" -gt 50 ] || fail "no light-green marker where Space was pressed"
fi

# The pages: the last frame shown whole, the ball in it.
questions="FC5454 0,240"
if play pages "wait:1500 a"; then
  balls=$(count FC5454)
  [ "$balls" -gt 900 ] && [ "$balls" -lt 1500 ] ||
    fail "$balls light-red pixels: the shown page does not hold one whole ball"
  [ "$(at 0,240)" = A8A8A8 ] || fail "no light-grey frame on the shown page"
fi

# Stroke fonts from no font file: every title drawn.
questions="A800A8 A85400 A8A8A8 545454 5454FC 54FC54 54FCFC FC5454 FC54FC FCFC54 FCFCFC"
if play stroke_titles "wait:300 Enter"; then
  ! grep -q "did not load" "$work/out" || fail "$(cat "$work/out")"
  for color in $questions; do
    [ "$(count $color)" -gt 20 ] || fail "no title in colour $color"
  done
fi

# The palette turns the screen: blue night, then light-cyan day, with the sun turned red.
questions="300,200 5,5 520,90 300,460"
if play bkcolor_scene "wait:300 Enter wait:1500 Enter"; then
  [ "$(at 300,200) $(at 5,5)" = "54FCFC 54FCFC" ] || fail "the sky is $(at 300,200), not light cyan"
  [ "$(at 520,90)" = FC5454 ] || fail "the sun is $(at 520,90), not light red"
  [ "$(at 300,460)" = 00A800 ] || fail "the hills are $(at 300,460), not green"
fi

[ "$failures" -eq 0 ] || exit 1
echo "ok: the classic examples play as expected"
