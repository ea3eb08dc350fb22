#!/bin/bash
# Plays the maze in a terminal under tmux, with no X display: the picture must show the
# maze's colours in half blocks with the time lines below it, an arrow key must move the
# red dome, 'a' must quit with 0, and the terminal's modes must be the same afterwards.
# Usage: terminal_play.sh MAZE_BINARY [FIXED_BOOT_CLOCK_LIBRARY BOOT_MS]
set -u

maze=${1:-build/game/maze}
# With the boot clock, and so the seed, fixed, no mine comes near the dome while it plays.
fixed_clock=""
[ $# -ge 3 ] && fixed_clock="LD_PRELOAD=$2 FIXED_BOOT_MS=$3"
here=$(cd "$(dirname "$0")" && pwd)
command -v tmux >/dev/null || { echo "SKIP: tmux is not installed"; exit 77; }
command -v perl >/dev/null || { echo "SKIP: perl is not installed"; exit 77; }
[ -x "$maze" ] || { echo "FAIL: no maze binary at $maze"; exit 1; }
maze=$(cd "$(dirname "$maze")" && pwd)/$(basename "$maze")

socket=maze-terminal-play-$$
work=$(mktemp -d)
trap 'tmux -L "$socket" kill-server 2>/dev/null; rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*"
  echo "--- screen:"
  tmux -L "$socket" capture-pane -p 2>/dev/null | sed -e '/^$/d' | tail -n 12
  exit 1
}

# The game runs in the foreground of a shell in the pane; the shell records the terminal's
# modes before and after, and the exit code.
cat >"$work/run.sh" <<EOF
#!/bin/bash
stty -g >"$work/modes-before"
env -u DISPLAY -u WAYLAND_DISPLAY GRAPHWIN_BACKEND= $fixed_clock "$maze"
echo \$? >"$work/exit-code"
stty -g >"$work/modes-after"
exec sleep 600
EOF
chmod +x "$work/run.sh"

tmux -L "$socket" -f /dev/null new-session -d -x 130 -y 52 "$work/run.sh" || fail "tmux did not start"

capture() { tmux -L "$socket" capture-pane -e -p; }
pixels() { capture | perl "$here/terminal_capture.pl"; }

. "$(dirname "${BASH_SOURCE[0]}")/wait_for.sh"

time_line_shown() { tmux -L "$socket" capture-pane -p | grep -q "Aikaa jaljella vain"; }
wait_for 30 time_line_shown || fail "no time line within 30 s"

# The picture: half blocks in the maze's colours.
screen=$(capture)
blocks=$(printf '%s' "$screen" | grep -o $'\xe2\x96\x80' | wc -l)
[ "$blocks" -gt 1000 ] || fail "only $blocks half blocks on the screen"
pixels >"$work/pixels-before"
for color in B W G R; do
  grep -q "$color" "$work/pixels-before" || fail "no pixel of colour $color in the picture"
done

# The time lines sit in the rows kept below the picture, and no text is in the picture.
plain=$(tmux -L "$socket" capture-pane -p)
first_text_row=$(printf '%s\n' "$plain" | grep -n "Aikaa jaljella vain" | head -n 1 | cut -d: -f1)
[ "$first_text_row" -gt 48 ] || fail "a time line is on row $first_text_row, inside the picture"
picture_rows=$(printf "%s\n" "$plain" | head -n 48)
if printf '%s\n' "$picture_rows" | grep -q "[A-Za-z]"; then fail "text inside the picture"; fi

# Where the dome is (the red pixel), and an open neighbour to step onto.
read -r dome_x dome_y < <(perl -ne 'if (($i = index($_, "R")) >= 0) { print $i, " ", $. - 1, "\n"; exit }' "$work/pixels-before")
[ -n "${dome_x:-}" ] || fail "no red dome"
at() { perl -ne "if (\$. - 1 == $2) { print substr(\$_, $1, 1); exit }" "$work/pixels-before"; }
key=""
if [ "$(at $((dome_x + 1)) "$dome_y")" = W ]; then key=Right
elif [ "$(at $((dome_x - 1)) "$dome_y")" = W ]; then key=Left
elif [ "$(at "$dome_x" $((dome_y - 1)))" = W ]; then key=Up
elif [ "$(at "$dome_x" $((dome_y + 1)))" = W ]; then key=Down
fi
[ -n "$key" ] || fail "the dome at $dome_x,$dome_y has no open neighbour"

# The mean position of the red pixels moves the way of the key.
red_centre() {
  pixels | perl -ne 'while (/R/g) { $x += pos($_) - 1; $y += $. - 1; $n++ } END { printf "%d %d\n", $n ? 100 * $x / $n : -1, $n ? 100 * $y / $n : -1 }'
}
read -r before_x before_y < <(red_centre)
tmux -L "$socket" send-keys "$key"
moved() {
  read -r x y < <(red_centre)
  case $key in
    Right) [ "$x" -gt "$before_x" ] ;;
    Left) [ "$x" -ge 0 ] && [ "$x" -lt "$before_x" ] ;;
    Down) [ "$y" -gt "$before_y" ] ;;
    Up) [ "$y" -ge 0 ] && [ "$y" -lt "$before_y" ] ;;
  esac
}
wait_for 10 moved || fail "the dome did not move $key from $dome_x,$dome_y"

# 'a' quits with 0 and the terminal is put back.
tmux -L "$socket" send-keys a
exited() { [ -s "$work/modes-after" ]; }
wait_for 15 exited || fail "the game did not end after 'a'"
code=$(cat "$work/exit-code")
[ "$code" = 0 ] || fail "exit code $code after 'a'"
cmp -s "$work/modes-before" "$work/modes-after" ||
  fail "terminal modes changed: $(cat "$work/modes-before") -> $(cat "$work/modes-after")"
state=$(tmux -L "$socket" display -p '#{alternate_on} #{cursor_flag} #{scroll_region_upper} #{scroll_region_lower}')
[ "$state" = "0 1 0 51" ] || fail "screen state '$state' afterwards (alternate screen, cursor, scroll region)"
echo "PASS: picture, dome moved $key, quit with 0, terminal modes kept"
