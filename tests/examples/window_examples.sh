#!/usr/bin/env bash
# Plays the examples of the newer BGI-style library (examples/window/) on the in-memory
# display, keys typed into their windows, and looks at their last picture.
#   window_examples.sh BIN_DIR
set -uo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
picture=$work/last.ppm

env -u DISPLAY GRAPHWIN_BACKEND=headless GRAPHWIN_HEADLESS_KEYS="wait:1500 a" \
  GRAPHWIN_HEADLESS_SAVE="$picture" timeout 60 "$bin/bouncing_ball" >"$work/out" 2>&1
code=$?
fail() { echo "FAIL: bouncing_ball: $*"; cat "$work/out"; exit 1; }
[ "$code" -eq 0 ] || fail "ended with $code"
[ -s "$picture" ] || fail "left no picture"
size=$("$here/picture_colors.py" "$picture" size)
[ "$size" = 400x300 ] || fail "its window was $size, not the 400x300 it asked for"
# A whole ball of radius 15 is about 700 pixels: half of one, or two, is a torn frame.
balls=$("$here/picture_colors.py" "$picture" count FCFC54)
[ "$balls" -gt 600 ] && [ "$balls" -lt 900 ] ||
  fail "$balls yellow pixels: the shown page does not hold one whole ball"
[ "$("$here/picture_colors.py" "$picture" at 0,150)" = A8A8A8 ] || fail "no light-grey frame"
echo "ok: the window examples play as expected"
