#!/usr/bin/env bash
# Plays the examples of the newer library's style (examples/window/) on the in-memory display
# as a user would: clicks, drags and keys played into their windows (GRAPHWIN_HEADLESS_KEYS),
# then looks at their last picture (GRAPHWIN_HEADLESS_SAVE).
#   window_examples.sh BIN_DIR [RUNNER]
# BIN_DIR holds the programs (with SUFFIX, e.g. .exe, from the environment); RUNNER, e.g.
# wine, runs each of them.
set -uo pipefail
bin=$(cd "$1" && pwd)
runner=${2:-}
suffix=${SUFFIX:-}
source "$(dirname "$0")/run_headless.sh"

play() { run_headless "$@"; }
at() { "$python" "$here/picture_colors.py" "$work/$program.ppm" "$@" | tr '\n' ' ' | sed 's/ $//'; }

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

# X takes the top row; O's click on X's square is no move, so O plays the middle row.
if play tic_tac_toe "wait:300 click:50,50 click:60,60 click:50,150 click:150,50 click:150,150 \
click:250,50 Esc"; then
  [ "$(at 75,50 225,50)" = "FCFC54 FCFC54" ] || fail "no winning line on the top row: $(at 75,50 225,50)"
  [ "$(at 50,150 150,150)" = "000000 000000" ] || fail "O's circles are not hollow"
  [ "$(at 85,150 185,150 285,150)" = "5454FC 5454FC 000000" ] ||
    fail "O's circles are not in the first two squares of the middle row: $(at 85,150 185,150 285,150)"
  [ "$(at 230,70)" = FC5454 ] || fail "no X in the top-right square: $(at 230,70)"
fi

# A ball drawn on the hidden page and shown by swapbuffers: every picture holds one whole ball.
if play bouncing_ball "wait:1500 a"; then
  [ "$("$python" "$here/picture_colors.py" "$work/$program.ppm" size)" = 400x300 ] ||
    fail "its window is not the 400x300 it asked for"
  # A whole ball of radius 15 is about 700 pixels: half of one, or two, is a torn frame.
  balls=$("$python" "$here/picture_colors.py" "$work/$program.ppm" FCFC54)
  [ "$balls" -gt 600 ] && [ "$balls" -lt 900 ] ||
    fail "$balls yellow pixels: the shown page does not hold one whole ball"
  [ "$(at 0,150)" = A8A8A8 ] || fail "no light-grey frame"
fi

# near HEX R G B: whether the colour HEX is within 2 of (R, G, B) in each channel.
near() {
  local v=$((16#$1)) r=$2 g=$3 b=$4
  local dr=$(((v >> 16) - r)) dg=$((((v >> 8) & 255) - g)) db=$(((v & 255) - b))
  [ "${dr#-}" -le 2 ] && [ "${dg#-}" -le 2 ] && [ "${db#-}" -le 2 ]
}
# A gradient written as PNG, read back scaled to half into the first frame, the gallery
# written as BMP.
if play rgb_gallery "wait:300 Esc"; then
  [ -s "$work/gradient.png" ] && [ -s "$work/gallery.bmp" ] || fail "gradient.png or gallery.bmp missing"
  # (100, 70) in the frame from (20, 20) at half size is the gradient's (160, 100).
  colors=$(at 100,70 300,400)
  near "${colors% *}" 127 128 127 || fail "the scaled gradient at (100,70) is ${colors% *}"
  [ "${colors#* }" = 28283C ] || fail "the background is ${colors#* }, not COLOR(40,40,60)"
fi

[ "$failures" -eq 0 ] || exit 1
echo "ok: the window examples play as expected"
