# What the example checks share, sourced by them once bin, runner and suffix are set: a work
# folder, the count of failures, and a program run on the in-memory display as a user would
# run it, with its output and last picture kept.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The system's Python where there is one: a version manager's shim costs seconds a start.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $program: $*"
  echo "--- standard output:"; cat -v "$work/out"
  echo "--- standard error:"; cat "$work/err"
  failures=$((failures + 1))
}

# run_headless PROGRAM KEYS [STDIN]: runs it from the work folder (where programs that write
# files write them), keys typed into its window and STDIN on its standard input; false (and
# says why) when it did not end well or left no picture. Its picture: $work/PROGRAM.ppm.
run_headless() {
  program=$1
  local picture=$work/$program.ppm
  rm -f "$picture"
  [ "$runner" = wine ] && picture_arg=$(winepath -w "$picture") || picture_arg=$picture
  printf '%b' "${3:-}" | (cd "$work" && env -u DISPLAY GRAPHWIN_BACKEND=headless \
    GRAPHWIN_HEADLESS_KEYS="$2" GRAPHWIN_HEADLESS_SAVE="$picture_arg" \
    timeout 60 $runner "$bin/$program$suffix" >"$work/out" 2>"$work/err")
  local code=$?
  # Windows ends its lines with CR LF.
  sed -i 's/\r$//' "$work/out"
  [ "$code" -eq 0 ] || { fail "ended with $code"; return 1; }
  [ -s "$picture" ] || { fail "left no picture"; return 1; }
}
