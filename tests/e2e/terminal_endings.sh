#!/bin/bash
# The maze in a terminal under tmux, ended every way but a quit: Ctrl+C, SIGTERM, SIGHUP,
# a crash signal, and a terminal too small to start in; and, without tmux, a backend
# asked for that cannot start. Each time the terminal's modes
# must be as before and the exit status the expected one. A resize on the way must bring
# the picture and the time lines back at the new size.
# Usage: terminal_endings.sh MAZE_BINARY [FIXED_BOOT_CLOCK_LIBRARY BOOT_MS]
set -u

maze=${1:-build/game/maze}
[ -x "$maze" ] || { echo "FAIL: no maze binary at $maze"; exit 1; }
maze=$(cd "$(dirname "$maze")" && pwd)/$(basename "$maze")
# With the boot clock, and so the seed, fixed, no mine comes near the dome while a game here
# runs.
fixed_clock=""
[ $# -ge 3 ] && fixed_clock="LD_PRELOAD=$2 FIXED_BOOT_MS=$3"

# A backend asked for by name that cannot start: one line says which and why, then the
# window driver's report and the game's message follow as when there is no backend at all.
named_failures=0
named_start_fails() {  # named_start_fails BACKEND REASON
  local dir
  dir=$(mktemp -d)
  env -u DISPLAY -u WAYLAND_DISPLAY GRAPHWIN_BACKEND="$1" "$maze" </dev/null >"$dir/out" 2>"$dir/err"
  local code=$?
  local want_err="GRAPHWIN_BACKEND asks for the $1 backend, which cannot start: $2, or unset GRAPHWIN_BACKEND.
Window creation failed"
  if [ "$code" != 1 ] || [ "$(cat "$dir/err")" != "$want_err" ] ||
    [ "$(cat "$dir/out")" != "grapich state is not supported!" ]; then
    echo "FAIL: GRAPHWIN_BACKEND=$1 with no display and no terminal: exit status $code," \
      "standard error '$(cat "$dir/err")', standard output '$(cat "$dir/out")'"
    named_failures=$((named_failures + 1))
  else
    echo "ok: GRAPHWIN_BACKEND=$1 says why it cannot start"
  fi
  rm -rf "$dir"
}
x11_reason="DISPLAY is not set; set DISPLAY to a running X server"
# A build without Xlib has no X11 backend at all, and says so.
grep -q "Xlib was missing" "$maze" &&
  x11_reason="this build has no X11 support (Xlib was missing when it was built); use terminal, or build again with the X11 development files"
named_start_fails x11 "$x11_reason"
named_start_fails terminal \
  "standard input and output are not a terminal; run the program in a terminal without redirecting its input or output"
[ "$named_failures" = 0 ] || exit 1

command -v tmux >/dev/null || { echo "SKIP: tmux is not installed"; exit 77; }

# A server of its own for every run, so that one that is still going away does not matter.
run=0
socket=maze-terminal-endings-$$-$run
work=$(mktemp -d)
trap 'tmux -L "$socket" kill-server 2>/dev/null; rm -rf "$work"' EXIT
failures=0

cat >"$work/run.sh" <<EOF
#!/bin/bash
stty -g >"$work/modes-before"
sh -c 'echo \$\$ >"$work/pid"; exec env -u DISPLAY -u WAYLAND_DISPLAY GRAPHWIN_BACKEND= $fixed_clock "$maze"' 2>"$work/stderr"
echo \$? >"$work/exit-code"
stty -g >"$work/modes-after"
exec sleep 600
EOF
chmod +x "$work/run.sh"

. "$(dirname "${BASH_SOURCE[0]}")/wait_for.sh"
plain() { tmux -L "$socket" capture-pane -p 2>/dev/null; }
time_line_shown() { plain | grep -q "Aikaa jaljella vain"; }
exited() { [ -s "$work/modes-after" ]; }
# Normal screen, cursor shown, scroll region the whole pane.
screen_state() {
  tmux -L "$socket" display -p '#{alternate_on} #{cursor_flag} #{scroll_region_upper} #{scroll_region_lower} #{pane_height}'
}
normal_screen_of() { echo "0 1 0 $(($1 - 1)) $1"; }

start() {  # start COLUMNS ROWS
  normal_screen=$(normal_screen_of "$2")
  rm -f "$work"/modes-* "$work/exit-code" "$work/pid" "$work/stderr"
  tmux -L "$socket" kill-server 2>/dev/null
  run=$((run + 1))
  socket=maze-terminal-endings-$$-$run
  tmux -L "$socket" -f /dev/null new-session -d -x "$1" -y "$2" "$work/run.sh" ||
    echo "note: tmux did not start a session of $1 x $2"
}

# The game is running once its time line shows; one that already ended has started too.
started_or_ended() { time_line_shown || exited; }
# What a start that never showed the game left behind, in one line.
what_was_seen() {
  echo "exit status '$(cat "$work/exit-code" 2>/dev/null)'," \
    "standard error '$(tr '\n' ' ' <"$work/stderr" 2>/dev/null)'," \
    "screen '$(plain | tr -s ' \n' ' ' | cut -c 1-200)'"
}

checked=0
check_end() {  # check_end NAME EXPECTED_CODE
  local name=$1 want=$2
  checked=$((checked + 1))
  if ! wait_for 15 exited; then
    echo "FAIL: $name: the game did not end"
    failures=$((failures + 1))
    return
  fi
  local code
  code=$(cat "$work/exit-code")
  if [ "$code" != "$want" ]; then
    echo "FAIL: $name: exit status $code, expected $want"
    failures=$((failures + 1))
  elif ! cmp -s "$work/modes-before" "$work/modes-after"; then
    echo "FAIL: $name: terminal modes changed"
    failures=$((failures + 1))
  elif [ "$(screen_state)" != "$normal_screen" ]; then
    echo "FAIL: $name: screen state '$(screen_state)' afterwards, expected '$normal_screen'"
    failures=$((failures + 1))
  else
    echo "ok: $name ends with $code, terminal modes kept"
  fi
}

# Ctrl+C, after a resize that must show the picture and the time lines again.
ctrl_c() {
  start 130 52
  if ! wait_for 30 started_or_ended; then
    echo "FAIL: Ctrl+C: the game did not start ($(what_was_seen))"
    failures=$((failures + 1))
    return
  fi
  # Narrower and taller: tmux keeps what the pane showed and adds empty rows below, so only
  # the game's new layout puts the time line on the new last row (56), clears the old
  # message rows (49-52, now picture rows below the maze) and draws the picture again
  # after that clear.
  tmux -L "$socket" resize-window -x 124 -y 56
  normal_screen=$(normal_screen_of 56)
  laid_out_again() {
    local screen
    screen=$(plain)
    [ "$(sed -n 56p <<<"$screen" | grep -c 'Aikaa jaljella vain')" = 1 ] &&
      ! sed -n 49,52p <<<"$screen" | grep -q '[A-Za-z]' &&
      [ "$(head -n 2 <<<"$screen" | grep -o $'\xe2\x96\x80' | wc -l)" -gt 100 ]
  }
  if wait_for 10 laid_out_again; then
    resized=ok
  else
    seen="line 56: '$(plain | sed -n 56p)', lines 49-52: '$(plain | sed -n 49,52p | tr -s ' \n' ' ')'"
    seen+=", half blocks in lines 1-2: $(plain | head -n 2 | grep -o $'\xe2\x96\x80' | wc -l)"
    resized=failed
  fi
  if exited; then
    echo "FAIL: Ctrl+C: the game ended by itself ($(what_was_seen))"
    failures=$((failures + 1))
    return
  fi
  tmux -L "$socket" send-keys C-c
  wait_for 15 exited
  if [ "$resized" = ok ]; then
    echo "ok: picture and time lines shown again after a resize"
  else
    echo "FAIL: no picture or time line at the new size after a resize ($seen)"
    failures=$((failures + 1))
  fi
  check_end "Ctrl+C" 130
}
ctrl_c

for signal in TERM:143 HUP:129 SEGV:139 ABRT:134; do
  name=${signal%%:*}
  start 130 52
  if ! wait_for 30 started_or_ended; then
    echo "FAIL: SIG$name: the game did not start ($(what_was_seen))"
    failures=$((failures + 1))
    continue
  fi
  if exited; then
    echo "FAIL: SIG$name: the game ended by itself ($(what_was_seen))"
    failures=$((failures + 1))
    continue
  fi
  kill -s "$name" "$(cat "$work/pid")"
  wait_for 15 exited
  check_end "SIG$name" "${signal##*:}"
done

# One column and one row short of the maze: the game does not start, and says which size
# it needs.
start 101 44
check_end "a 101 x 44 terminal" 1
if [ "$(cat "$work/stderr")" = "The terminal is 101 x 44; the game needs at least 102 columns and 45 rows." ]; then
  echo "ok: the size needed is reported"
else
  echo "FAIL: standard error of the too small start was: $(cat "$work/stderr")"
  failures=$((failures + 1))
fi

[ "$checked" = 6 ] || { echo "FAIL: only $checked of 6 endings could be checked"; exit 1; }
[ "$failures" = 0 ] || exit 1
echo PASS
