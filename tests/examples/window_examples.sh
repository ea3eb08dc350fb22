#!/usr/bin/env bash
# Plays the examples of the newer library's style (examples/window/) on the in-memory display
# as a user would: clicks, drags and keys played into their windows (GRAPHWIN_HEADLESS_KEYS),
# then looks at their last picture (GRAPHWIN_HEADLESS_SAVE).
#   window_examples.sh BIN_DIR [RUNNER]
# BIN_DIR holds the programs (with SUFFIX, e.g. .exe, from the environment); RUNNER, e.g.
# wine, runs each of them.
set -uo pipefail
bin=$1
runner=${2:-}
suffix=${SUFFIX:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $program: $*"
  echo "--- standard output:"; cat -v "$work/out"
  echo "--- standard error:"; cat "$work/err"
  failures=$((failures + 1))
}

# play PROGRAM SCRIPT: runs it; false (and says why) when it did not end well.
play() {
  program=$1
  local picture=$work/$program.ppm
  rm -f "$picture"
  [ "$runner" = wine ] && picture_arg=$(winepath -w "$picture") || picture_arg=$picture
  env -u DISPLAY GRAPHWIN_BACKEND=headless GRAPHWIN_HEADLESS_KEYS="$2" \
    GRAPHWIN_HEADLESS_SAVE="$picture_arg" timeout 60 $runner "$bin/$program$suffix" \
    </dev/null >"$work/out" 2>"$work/err"
  local code=$?
  [ "$code" -eq 0 ] || { fail "ended with $code"; return 1; }
  [ -s "$picture" ] || { fail "left no picture"; return 1; }
}
at() { "$here/picture_colors.py" "$work/$program.ppm" at "$@" | tr '\n' ' ' | sed 's/ $//'; }

# A red stroke that C clears again; then green picked from its square, a stroke dragged
# across, the right button's handler steps to cyan, and a cyan dot clicked.
if play mouse_paint "wait:300 click:180,20 down:50,300 move:150,300 up:150,300 C \
click:100,20 down:100,100 move:200,100 move:300,150 up:300,150 rclick:500,300 click:400,400 \
click:420,20 Esc"; then
  [ "$(at 150,100 250,125)" = "00A800 00A800" ] || fail "no green stroke: $(at 150,100 250,125)"
  [ "$(at 400,400)" = 00A8A8 ] || fail "the click after the right button is $(at 400,400), not cyan"
  [ "$(at 100,300)" = 000000 ] || fail "C did not clear the red stroke: $(at 100,300)"
  [ "$(at 60,5 420,20)" = "0000A8 54FC54" ] ||
    fail "the colour squares are not there: $(at 60,5 420,20)"
fi

[ "$failures" -eq 0 ] || exit 1
echo "ok: the window examples play as expected"
